// The editor window's editing commands: clearing, alignment, selection wrapping, the link and
// memo buttons, the caption field, and the three buttons that close the window.
#include "editor/tform2.h"

#include "app/filestamp.h"
#include "commands/texthelpers.h"
#include "editor/editortext.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace sorvek {

namespace {

const QString kLinkFilter =
    QStringLiteral("全ファイル (*);;HTML (*.html);;MWEX (*.mwx);;画像 (*.jpeg *.jpg *.gif *.bmp);;動画 (*.mvi *.wmv)");
const QString kSaveFilter = QStringLiteral("HTML (*.htm*);;全部 (*)");
const QString kLeft = QStringLiteral("left");
const QString kCentre = QStringLiteral("center");
const QString kRight = QStringLiteral("right");

QString selectedText(const QTextEdit *memo)
{
    // The fragment gives plain line breaks where selectedText() would give U+2029.
    return memo->textCursor().selection().toPlainText();
}

void replaceSelection(QTextEdit *memo, const QString &text)
{
    QTextCursor cursor = memo->textCursor();
    cursor.insertText(text);
    memo->setTextCursor(cursor);
}

} // namespace

void TForm2::SpeedButton3MouseUp()
{
    if (RightButtonDown) {
        Memo4->clear();
        Memo5->clear();
        Memo2->clear();
        return;
    }
    pictureEdited_ = true;
    SetLayoutTextOnly();
    ClearImage();
}

void TForm2::SpeedButton23MouseUp()
{
    if (RightButtonDown) {
        Memo1->clear();
        for (QTextEdit *cell : GridMemos)
            cell->clear();
        return;
    }
    SetLayoutTable();
}

void TForm2::SpeedButton27Click()
{
    for (QLineEdit *e : {Edit1, Edit5, Edit6, Edit2, Edit3, Edit4})
        e->clear();
    for (QTextEdit *m : {Memo4, Memo5, Memo1, Memo2})
        m->clear();
    for (QTextEdit *cell : GridMemos)
        cell->clear();
}

void TForm2::alignHeading(int level, const QString &align)
{
    const bool first = level == 1;
    const QList<SpeedButton *> row = first ? QList<SpeedButton *>{SpeedButton4, SpeedButton5, SpeedButton6}
                                           : QList<SpeedButton *>{SpeedButton7, SpeedButton8, SpeedButton9};
    const int index = align == kLeft ? 0 : (align == kCentre ? 1 : 2);
    raiseOne(row, row[index]);
    const Qt::Alignment alignment = index == 0 ? Qt::AlignLeft : (index == 1 ? Qt::AlignHCenter : Qt::AlignRight);
    alignMemos({first ? Memo4 : Memo5}, alignment);
    (first ? ETAGH1 : ETAGH2) = editortext::headingStartTag(level, align);
}

void TForm2::alignTable(const QString &align)
{
    const QList<SpeedButton *> row{SpeedButton19, SpeedButton20, SpeedButton21};
    raiseOne(row, row[align == kLeft ? 0 : (align == kCentre ? 1 : 2)]);
    const QString textAlign = editortext::textAlignForTable(align);
    QList<QTextEdit *> memos{Memo1, Memo2};
    for (QTextEdit *cell : GridMemos)
        memos.append(cell);
    alignMemos(memos, textAlign == kCentre ? Qt::AlignHCenter : Qt::AlignLeft);
    ETAGP1 = editortext::paragraphStartTag(textAlign);
    ETAGHYO1 = editortext::alignAttribute(align);
}

void TForm2::SpeedButton4MouseUp() { alignHeading(1, kLeft); }
void TForm2::SpeedButton5MouseUp() { alignHeading(1, kCentre); }
void TForm2::SpeedButton6MouseUp() { alignHeading(1, kRight); }
void TForm2::SpeedButton7MouseUp() { alignHeading(2, kLeft); }
void TForm2::SpeedButton8MouseUp() { alignHeading(2, kCentre); }
void TForm2::SpeedButton9MouseUp() { alignHeading(2, kRight); }
void TForm2::SpeedButton19Click() { alignTable(kLeft); }
void TForm2::SpeedButton20Click() { alignTable(kCentre); }
void TForm2::SpeedButton21Click() { alignTable(kRight); }

void TForm2::wrapFocusedSelection(editortext::Wrapping wrapping)
{
    const std::pair<QTextEdit *, int> memos[] = {{Memo4, Memo4Tag}, {Memo5, Memo5Tag}, {Memo1, Memo1Tag}, {Memo2, Memo2Tag}};
    for (const auto &[memo, tag] : memos) {
        if (tag == 1 && memo->textCursor().hasSelection())
            replaceSelection(memo, editortext::wrapSelection(wrapping, selectedText(memo)));
    }
}

void TForm2::SpeedButton24Click() { wrapFocusedSelection(editortext::Wrapping::Red); }
void TForm2::SpeedButton25Click() { wrapFocusedSelection(editortext::Wrapping::Strong); }
void TForm2::SpeedButton26Click() { wrapFocusedSelection(editortext::Wrapping::Underline); }

QTextEdit *TForm2::firstMemoWithSelection() const
{
    for (QTextEdit *memo : {Memo4, Memo5, Memo1, Memo2}) {
        if (memo->textCursor().hasSelection())
            return memo;
    }
    return nullptr;
}

void TForm2::SpeedButton17MouseEnter()
{
    QString hint;
    if (firstMemoWithSelection())
        hint = QStringLiteral("左クリック：選択文字にスクリプトの挿入／右クリック：選択解除");
    else if (SpeedButton17Tag == 2)
        hint = QStringLiteral("左クリック：画像にリンク／右クリック：リンク解除");
    else
        hint = QStringLiteral("左クリック：リンク挿入／右クリック：リンク解除");
    SpeedButton17->setToolTip(hint);
}

void TForm2::SpeedButton17MouseUp()
{
    QTextEdit *selected = firstMemoWithSelection();
    if (RightButtonDown) {
        if (!selected) {
            Edit2->clear();
            Edit3->clear();
            return;
        }
        for (QTextEdit *memo : {Memo4, Memo5, Memo1, Memo2}) {
            QTextCursor cursor = memo->textCursor();
            cursor.clearSelection();
            memo->setTextCursor(cursor);
        }
        return;
    }
    if (selected) {
        replaceSelection(selected, editortext::linkAroundSelection(selectedText(selected), Edit4->text()));
        return;
    }
    chooseLinkFile();
}

void TForm2::chooseLinkFile()
{
    const QString chosen = services_.fileDialogs->openFile(QStringLiteral("リンク"), Folder, kLinkFilter);
    if (chosen.isEmpty())
        return;
    const QString target = editortext::linkTargetForFile(chosen, Folder);
    Edit3->setText(target);
    Edit2->setText(target);
}

void TForm2::SpeedButton22MouseUp()
{
    if (OpenMemo)
        OpenMemo(editortext::memoFilePath(windowTitle(), Folder));
}

void TForm2::Edit1Change()
{
    if (Tag <= 0)
        return;
    if (!Edit1->text().isEmpty())
        Label5 = Edit1->text();
    if (Edit1Tag == 0)
        Memo4->setPlainText(Edit1->text());
}

void TForm2::Memo4Enter()
{
    ++Edit1Tag;
    Memo4Tag = 1;
}

void TForm2::Memo4Exit() { Memo4Tag = 0; }

void TForm2::Memo5Enter()
{
    ++Edit1Tag;
    Memo5Tag = 1;
}

void TForm2::Memo5Exit() { Memo5Tag = 0; }
void TForm2::Memo1Enter() { Memo1Tag = 1; }
void TForm2::Memo1Exit() { Memo1Tag = 0; }
void TForm2::Memo2Enter() { Memo2Tag = 1; }
void TForm2::Memo2Exit() { Memo2Tag = 0; }

bool TForm2::pictureFileGone(const QString &picture) const
{
    return !picture.isEmpty() && !isWebAddress(picture) && !QFileInfo(inFolder(picture)).isFile();
}

void TForm2::dropOrSizePicture()
{
    // A picture the author did not work on stays as the page gave it, unless its file went away
    // while the window was open; a web picture or one whose file was missing already stays too.
    if (!pictureEdited_) {
        if (!pictureAtOpen_.isEmpty() && pictureFileGone(pictureAtOpen_)) {
            ETAGSRC1.clear();
            Edit7.clear();
            Gname->clear();
        }
        return;
    }
    const QString name = Gname->text();
    // Only a local picture whose file is gone is left out (a link in Edit2 and Edit3 stays).
    if (pictureFileGone(name.isEmpty() ? GetTagSrc(Edit7) : name)) {
        ETAGSRC1.clear();
        Edit7.clear();
        Gname->clear();
    } else if (!name.isEmpty() && !isWebAddress(name)) {
        Edit7 = editortext::pictureTagForSave(Edit7, Image1Tag >= 1, GX->text(), GY->text());
    }
}

void TForm2::rememberPageOnDisk()
{
    pageOnDiskPath_ = windowTitle();
    pageOnDisk_ = fileState(pageOnDiskPath_);
}

bool TForm2::mayWriteOverPage()
{
    const QString path = windowTitle();
    if (path != pageOnDiskPath_ || !changedOnDisk(path, pageOnDisk_))
        return true;
    if (!services_.prompt)
        return false;
    const ChangedFileQuestion question = changedFileQuestion(path);
    switch (changedFileChoice(services_.prompt->choose(this, question.text, question.buttons, question.safeChoice))) {
    case ChangedFileChoice::Overwrite:
        return true;
    case ChangedFileChoice::KeepBoth: {
        // The save goes to a free name beside the page, as a confirmed save-as would.
        SaveDialog1FileName = freeNameBeside(path);
        Label5 = QFileInfo(SaveDialog1FileName).completeBaseName();
        BitBtn1Tag = 1;
        services_.prompt->information(this, keptBothNotice(path, SaveDialog1FileName, false));
        return true;
    }
    case ChangedFileChoice::Cancel:
        break;
    }
    return false;
}

void TForm2::closeWithSave(int result)
{
    dropOrSizePicture();
    EditResult = result;
    if (Label5.isEmpty()) {
        BitBtn1Tag = 0;
        if (mayWriteOverPage())
            accept();
        return; // otherwise editing goes on
    }
    const QString chosen = services_.fileDialogs->saveFile(QStringLiteral("名前を付けて保存"), windowTitle(), kSaveFilter);
    if (chosen.isEmpty())
        return; // editing goes on
    SaveDialog1FileName = editortext::withDefaultPageSuffix(chosen);
    BitBtn1Tag = 1;
    accept();
}

void TForm2::BitBtn1MouseUp() { closeWithSave(1); }
void TForm2::BitBtn3Click() { closeWithSave(2); }

void TForm2::BitBtn2MouseUp()
{
    EditResult = 0;
    reject();
}

void TForm2::FormClose()
{
    GXTag = 0;
    Tag = 0;
    Image1->clear();
    Image1Tag = 0;
    if (CloseMemo)
        CloseMemo();
}

} // namespace sorvek
