#include "tools/tform3.h"

#include "book/archivefolder.h"
#include "pagefiles/filebatch.h"
#include "pagefiles/picturenumbering.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace sorvek {

namespace {

QPushButton *makeButton(const QString &name, const QString &text, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

// A list short enough for a message box: the first files, then how many more there are.
QString listForMessage(const QStringList &files)
{
    constexpr int shown = 15;
    QString text = files.mid(0, shown).join(QLatin1Char('\n'));
    if (files.size() > shown)
        text += QStringLiteral("\n…ほか %1 個").arg(files.size() - shown);
    return text;
}

} // namespace

TForm3::TForm3(const PlatformServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , services_(services)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ファイルツール"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    BitBtn1 = makeButton(QStringLiteral("BitBtn1"), QStringLiteral("ファイルの削除"), QStringLiteral("ゴミ箱へ捨てる"), this);
    BitBtn3 = makeButton(QStringLiteral("BitBtn3"), QStringLiteral("書庫へコピー"), QString(), this);
    BitBtn2 = makeButton(QStringLiteral("BitBtn2"), QStringLiteral("閉じる"), QStringLiteral("片付けを止めて戻る"), this);
    BitBtn4 = makeButton(QStringLiteral("BitBtn4"), QStringLiteral("画像ファイル名変換"), QStringLiteral("連番で変換"), this);
    Edit1 = new QLineEdit(QStringLiteral("pic"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("変換後のファイル名"));
    Edit1->setMaximumWidth(120);
    auto *bar = new QHBoxLayout;
    bar->addWidget(BitBtn1);
    bar->addWidget(BitBtn3);  // only one of the two is shown
    bar->addWidget(BitBtn2);
    bar->addStretch();
    bar->addWidget(BitBtn4);
    bar->addWidget(Edit1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(bar);
    resize(560, 360);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm3::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm3::BitBtn4Click);
}

void TForm3::Prepare(const QString &caption, bool deleting, const QStringList &files)
{
    setWindowTitle(caption);
    BitBtn1->setVisible(deleting);
    BitBtn3->setVisible(!deleting);
    ListBox1->clear();
    ListBox1->addItems(files);
}

QStringList TForm3::Files() const
{
    QStringList out;
    for (int i = 0; i < ListBox1->count(); ++i)
        out.append(ListBox1->item(i)->text());
    return out;
}

QStringList TForm3::SelectedFiles() const
{
    QStringList out;
    for (int i = 0; i < ListBox1->count(); ++i) {
        if (ListBox1->item(i)->isSelected())
            out.append(ListBox1->item(i)->text());
    }
    return out;
}

void TForm3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm3::FormShow()
{
    ListBox1->selectAll();
}

void TForm3::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm3::FormClose()
{
    ListBox1->clear();
}

void TForm3::BitBtn2Click()
{
    FileToolResult = 0;
    ListBox1->clear();
    accept();
}

void TForm3::BitBtn1Click()
{
    FileToolResult = 2;
    kataduke(QString(), true);
}

void TForm3::BitBtn3Click()
{
    FileToolResult = 1;
    kataduke(ArchiveFolder(BookFolder).path(), false);
}

void TForm3::kataduke(const QString &target, bool deleting)
{
    const QStringList files = SelectedFiles();
    if (!files.isEmpty() && deleting) {
        const QString question = QStringLiteral("選択した %1 個のファイルをゴミ箱へ移動しますか？\n").arg(files.size())
                                 + listForMessage(files);
        if (services_.prompt && services_.prompt->question(this, question, DefaultAnswer::No) && services_.shell)
            report(QStringLiteral("ゴミ箱へ移動できなかったファイル（元の場所に残っています）:"),
                   moveFilesToTrash(files, *services_.shell).failed);
    } else if (!files.isEmpty()) {
        report(QStringLiteral("書庫へコピーできなかったファイル（元のファイルはそのままです）:"),
               copyFilesToArchive(files, target).failed);
    }
    accept();
}

void TForm3::BitBtn4Click()
{
    const QString base = pictureBaseName(Edit1->text());
    const QStringList all = Files();
    if (std::none_of(all.begin(), all.end(), [](const QString &f) { return isPictureFile(f); })) {
        if (services_.prompt)
            services_.prompt->warning(this, QStringLiteral("対象とする画像ファイルが見つかりません。"));
        return;
    }
    if (!services_.prompt
        || !services_.prompt->question(this, QStringLiteral("画像ファイル名を ") + base + QStringLiteral("+数字に書き換えていいですか"),
                                       DefaultAnswer::No))
        return;
    QStringList pages = SelectedFiles();
    pages.removeIf([](const QString &f) { return !isPageFile(f); });
    for (int i = 0; i < ListBox1->count(); ++i) {
        QListWidgetItem *item = ListBox1->item(i);
        if (!item->isSelected() || !isPictureFile(item->text()))
            continue;
        const PictureRenameResult renamed = renamePictureInPages(item->text(), base, pages, BookFolder);
        if (!renamed.ok) {
            services_.prompt->warning(this, renamed.error + QStringLiteral("\nこの画像から後の変換を止めました。"));
            return;
        }
        item->setText(renamed.newPath);
        item->setSelected(false);
    }
}

void TForm3::report(const QString &heading, const QStringList &failed)
{
    if (!failed.isEmpty() && services_.prompt)
        services_.prompt->warning(this, heading + QLatin1Char('\n') + listForMessage(failed));
}

} // namespace sorvek
