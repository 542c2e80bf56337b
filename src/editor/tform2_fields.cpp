// The contract between the page editor and this window: the page editor fills the fields from a
// page before showing the window and reads them back after it has closed.
#include "editor/tform2.h"

#include "authoring/pageeditfields.h"
#include "authoring/pagesave.h"
#include "editor/editortext.h"

#include <QLineEdit>
#include <QPixmap>
#include <QTextDocument>
#include <QTextEdit>

namespace sorvek {

namespace {

// Memo1, Memo3 and Memo6 to Memo81: the table grid, in the page's cell order.
QList<int> gridMemoNumbers()
{
    QList<int> numbers{1, 3};
    for (int n = 6; n <= 81; ++n)
        numbers.append(n);
    return numbers;
}

// Every memo the page fills: the headings, the text paragraph and the grid.
QList<int> allMemoNumbers()
{
    QList<int> numbers = gridMemoNumbers();
    numbers.append({2, 4, 5});
    return numbers;
}

} // namespace

QString TForm2::rawMemoText(int number) const
{
    // toPlainText() would turn non-breaking spaces into blanks; only line breaks are the memo's own.
    QString text = Memo(number)->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.replace(QChar::LineSeparator, QLatin1Char('\n'));
}

void TForm2::FillFromPage(const PageEditFields &fields)
{
    using editortext::memoTextForField;
    Label5 = fields.Label5;
    setWindowTitle(fields.Caption);
    rememberPageOnDisk();
    GroupBox1Tag = fields.GroupBox1Tag;
    Edit1->setText(fields.Edit1);
    Edit5->setText(fields.Edit5);
    Edit6->setText(fields.Edit6);
    ETAGH1 = fields.ETAGH1;
    Memo4->setPlainText(memoTextForField(fields.Memo4));
    ETAGH2 = fields.ETAGH2;
    Memo5->setPlainText(memoTextForField(fields.Memo5));
    ETAGHYO1 = fields.ETAGHYO1;
    ETAGHYO1Tag = fields.ETAGHYO1Tag;
    for (int n : gridMemoNumbers())
        Memo(n)->setPlainText(memoTextForField(*fields.memo(n)));
    ETAGSRC1 = fields.ETAGSRC1;
    Edit7 = fields.Edit7;
    Edit2->setText(fields.Edit2);
    Edit3->setText(fields.Edit3);
    if (fields.pictureSizeRead) {
        GX->setText(fields.GX);
        GY->setText(fields.GY);
        GXTag = 1;
    }
    Gname->setText(fields.Gname);
    // The preview keeps its previous picture when the page names none that can be shown.
    const QPixmap preview = fields.Image1Path.isEmpty() ? QPixmap() : QPixmap(fields.Image1Path);
    if (!preview.isNull())
        Image1->setPixmap(preview);
    ETAGP1 = fields.ETAGP1;
    Memo2->setPlainText(memoTextForField(fields.Memo2));
    for (int n : allMemoNumbers()) {
        filledMemoText_[static_cast<size_t>(n)] = *fields.memo(n);
        filledMemoShown_[static_cast<size_t>(n)] = rawMemoText(n);
    }
}

void TForm2::ReadIntoPage(PageEditFields &fields) const
{
    using editortext::memoTextForPage;
    fields.Label5 = Label5;
    fields.Caption = windowTitle();
    fields.GroupBox1Tag = GroupBox1Tag;
    fields.Edit1 = Edit1->text();
    fields.Edit5 = Edit5->text();
    fields.Edit6 = Edit6->text();
    fields.ETAGH1 = ETAGH1;
    fields.ETAGH2 = ETAGH2;
    fields.ETAGHYO1 = ETAGHYO1;
    fields.ETAGHYO1Tag = ETAGHYO1Tag;
    for (int n : allMemoNumbers()) {
        const QString shown = rawMemoText(n);
        const auto at = static_cast<size_t>(n);
        *fields.memo(n) = shown == filledMemoShown_[at] ? filledMemoText_[at] : memoTextForPage(shown);
    }
    fields.ETAGSRC1 = ETAGSRC1;
    fields.Edit7 = Edit7;
    fields.Edit2 = Edit2->text();
    fields.Edit3 = Edit3->text();
    fields.GX = GX->text();
    fields.GY = GY->text();
    fields.Gname = Gname->text();
    fields.ETAGP1 = ETAGP1;
}

EditorClosing TForm2::ClosingResult() const
{
    return {EditResult, Label5, BitBtn1Tag, SaveDialog1FileName};
}

} // namespace sorvek
