#include "tools/tform12.h"

#include "app/filestamp.h"
#include "book/pagememo.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QVBoxLayout>

namespace sorvek {

TForm12::TForm12(IUserPrompt &prompt, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , prompt_(prompt)
{
    setObjectName(QStringLiteral("Form12"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont font = Memo1->font();
    font.setPixelSize(16);
    Memo1->setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

bool TForm12::LoadFile(const QString &path)
{
    if (Tag >= 1 && !storeOrDrop(QStringLiteral("\nこのメモを保存せずに、別のメモを開きますか？")))
        return false;
    const MemoText memo = loadMemoFile(path);
    showFile(path, memo.text, memo.readable, memo.error);
    return true;
}

void TForm12::SyncToMemoFile(const QString &memoPath)
{
    const MemoWindowState window{Tag >= 1, Caption(), Memo1->toPlainText(), keepFile()};
    // A switch to another file stores the shown memo first: not over a file changed meanwhile.
    bool stored = false;
    if (window.shown && !window.keepFile && !window.path.isEmpty() && memoPath != window.path) {
        switch (checkFileOnDisk()) {
        case DiskCheck::Stay:
            return;
        case DiskCheck::Beside:
            if (!storeBeside())
                return;
            stored = true;
            break;
        case DiskCheck::Write:
            break;
        }
    }
    MemoSyncOutcome outcome = syncPageMemo(memoPath, window, stored);
    if (outcome.action == MemoSyncOutcome::Action::Blocked) {
        const QString question = QStringLiteral("メモを保存できません: ") + outcome.error
                                 + QStringLiteral("\nこのメモを保存せずに、次のページのメモに切り替えますか？");
        if (!prompt_.question(this, question, DefaultAnswer::No))
            return; // the memo stays on its own file, with its text
        outcome = syncPageMemo(memoPath, window, true);
    }
    switch (outcome.action) {
    case MemoSyncOutcome::Action::Close:
        setWindowTitle(outcome.path);
        close();
        break;
    case MemoSyncOutcome::Action::Switch:
        showFile(outcome.path, outcome.text, outcome.readable, outcome.error);
        break;
    case MemoSyncOutcome::Action::None:
    case MemoSyncOutcome::Action::Blocked:
        break;
    }
}

void TForm12::FormShow()
{
    Tag = 1;
}

bool TForm12::FormClose()
{
    // A memo that was never shown holds the file's own text: storing it would only create files.
    if (Tag >= 1 && !storeOrDrop(QStringLiteral("\nこのメモを保存せずに閉じますか？")))
        return false;
    Tag = 0;
    return true;
}

bool TForm12::storeOrDrop(const QString &dropQuestion)
{
    if (keepFile())
        return true;
    switch (checkFileOnDisk()) {
    case DiskCheck::Stay:
        return false;
    case DiskCheck::Beside:
        return storeBeside();
    case DiskCheck::Write:
        break;
    }
    const WriteResult stored = saveMemoFile(Caption(), Memo1->toPlainText());
    if (stored)
        fileAtOpen_ = fileState(Caption()); // our own write is no change by another program
    return stored || prompt_.question(this, QStringLiteral("メモを保存できません: ") + stored.error + dropQuestion, DefaultAnswer::No);
}

TForm12::DiskCheck TForm12::checkFileOnDisk()
{
    if (Caption().isEmpty() || !changedOnDisk(Caption(), fileAtOpen_))
        return DiskCheck::Write;
    const ChangedFileQuestion question = changedFileQuestion(Caption());
    switch (changedFileChoice(prompt_.choose(this, question.text, question.buttons, question.safeChoice))) {
    case ChangedFileChoice::Overwrite:
        return DiskCheck::Write;
    case ChangedFileChoice::KeepBoth:
        return DiskCheck::Beside;
    case ChangedFileChoice::Cancel:
        break;
    }
    return DiskCheck::Stay;
}

bool TForm12::storeBeside()
{
    const QString beside = freeNameBeside(Caption());
    const WriteResult stored = saveMemoFile(beside, Memo1->toPlainText());
    if (!stored) {
        prompt_.warning(this, QStringLiteral("メモを保存できません: ") + stored.error);
        return false;
    }
    prompt_.information(this, keptBothNotice(Caption(), beside, true));
    return true;
}

void TForm12::showFile(const QString &path, const QString &text, bool readable, const QString &error)
{
    setWindowTitle(path);
    Memo1->setPlainText(text);
    Memo1->document()->setModified(false);
    fileUnread_ = !readable;
    fileExisted_ = QFileInfo::exists(path);
    fileAtOpen_ = fileState(path);
    shownText_ = Memo1->toPlainText();
    Memo1->setPlaceholderText(readable ? QString() : QStringLiteral("メモを読み込めません: ") + error);
}

bool TForm12::keepFile() const
{
    // An unchanged memo is never written back: that would only turn a code page 932 memo into
    // UTF-8, or bring back a file removed meanwhile. A memo opened without a file still makes one.
    return (fileUnread_ || fileExisted_) && Memo1->toPlainText() == shownText_;
}

void TForm12::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TForm12::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

} // namespace sorvek
