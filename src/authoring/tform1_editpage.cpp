// TForm1: the page editor round trip, from reading the page to showing it again.
#include "app/tform1.h"

#include "authoring/pagereader.h"
#include "authoring/pagesave.h"

#include <QApplication>

namespace sorvek {

void TForm1::SetEditor(TForm2 *editor)
{
    Form2 = editor;
    if (!Form2)
        return;
    Form2->OpenMemo = [this](const QString &path) {
        if (!Form12)
            return;
        Form12->resize(840, 300);
        if (Form12->Tag > 0) {
            Form12->close();
            return;
        }
        if (Form12->LoadFile(path))
            Form12->show();
    };
    Form2->CloseMemo = [this] {
        if (Form12 && Form12->Tag > 0)
            Form12->close();
    };
}

void TForm1::EditPageClick()
{
    EditPage(QString(), QString(), 0);
}

int TForm1::EditPage(const QString &fileName, const QString &html, int mode)
{
    if (!Form2)
        return 0;
    const QString currentPage = levels_.topFolder() + levels_.currentPageReference();
    const PageEditReading reading = readPageForEditing({fileName, html, currentPage}, {levels_.topFolder(), answerMarks()});
    if (!reading.ok()) {
        if (!reading.message().isEmpty() && services().prompt)
            services().prompt->warning(reading.message());
        return 0;
    }
    IndexedFolder = QStringLiteral("xxx");
    PageEditFields fields = reading.fields;
    Form2->Folder = levels_.topFolder();
    Form2->BaseWidth = BaseWidth;
    Form2->FillFromPage(fields);
    Form2->EditResult = mode;
    EditSaveOutcome outcome;
    for (;;) {
        if (mode == 0) {
            Form2->BitBtn1Tag = 0;
            showModal(Form2);
        }
        Form2->ReadIntoPage(fields);
        const EditorClosing closing = mode == 0 ? Form2->ClosingResult() : EditorClosing{mode, fields.Label5, 0, {}};
        // A page that had LOOK links gets them made anew over the whole book's titles.
        const bool links = fields.lookFlag && closing.editResult > 0;
        outcome = saveEditedPage(fields, closing, currentPage, answerMarks(), links ? LookLinkIndex(currentPage) : LookTitleIndex{});
        if (!outcome.offerSaveAs() || mode != 0)
            break;
        // The page on disk is as it was: the author's fields stay, and the next save asks for a
        // file name.
        if (services().prompt)
            services().prompt->warning(outcome.message() + QStringLiteral("\n編集内容はそのままです。別の名前で保存してください。"));
        if (Form2->Label5.isEmpty())
            Form2->Label5 = fields.Edit1.isEmpty() ? QStringLiteral("newpage") : fields.Edit1;
    }
    if (!outcome.offerSaveAs() && !outcome.message().isEmpty() && services().prompt)
        services().prompt->warning(outcome.message());
    if (outcome.reopenLevel()) {
        OpenLevel(levels_.topFolder(), PageIndex(), false);
        RebuildPageButtons();
        RunCommand(outcome.goCommand);
    }
    QApplication::processEvents();
    TiteleLoad(PageIndex());
    RefreshPageButton(PageIndex());
    ShowPage(true);
    return Form2->EditResult;
}

} // namespace sorvek
