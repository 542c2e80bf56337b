// TForm1: the page editor round trip, from reading the page to showing it again.
#include "app/tform1.h"

#include "authoring/pagereader.h"
#include "authoring/notereader.h"
#include "authoring/pagesave.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

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

namespace {

// A written file that lies in the folder of the level and is one of its pages: only such a save
// makes a page of the level (a "note.txt" saved there is no page to move).
bool writtenIntoLevel(const EditSaveOutcome &outcome, const QString &folder, const QStringList &pages)
{
    if (!outcome.saved())
        return false;
    const QFileInfo file(outcome.path);
    const QString written = file.absoluteDir().canonicalPath();
    return !written.isEmpty() && written == QDir(folder).canonicalPath() && pages.contains(file.fileName());
}

// After a failed save the editor opens again as the author left it, the picture's size included.
void keepForRetry(PageEditFields &fields)
{
    fields.GX = quotedAttributeValue(fields.Edit7, u"width=");
    fields.GY = quotedAttributeValue(fields.Edit7, u"height=");
    fields.pictureSizeRead = !fields.Edit7.isEmpty();
}

} // namespace

int TForm1::EditPage(const QString &fileName, const QString &html, int mode)
{
    if (!Form2 && MakeEditor)
        MakeEditor();
    if (!Form2)
        return 0;
    const QString currentPage = levels_.topFolder() + levels_.currentPageReference();
    const PageEditReading reading = readPageForEditing({fileName, html, currentPage}, {levels_.topFolder(), answerMarks()});
    if (!reading.ok()) {
        if (!reading.message().isEmpty() && services().prompt)
            services().prompt->warning(this, reading.message());
        return 0;
    }
    IndexedFolder = QStringLiteral("xxx");
    PageEditFields fields = reading.fields;
    Form2->Folder = levels_.topFolder();
    Form2->BaseWidth = BaseWidth;
    Form2->FillFromPage(fields);
    Form2->KeptEdits = false;
    Form2->EditResult = mode;
    EditSaveOutcome outcome;
    for (;;) {
        if (mode == 0) {
            // Shown again after a save that did not happen, the window closed with Esc saves nothing.
            Form2->EditResult = 0;
            Form2->BitBtn1Tag = 0;
            showModal(Form2);
        }
        Form2->ReadIntoPage(fields);
        const EditorClosing closing = mode == 0 ? Form2->ClosingResult() : EditorClosing{mode, fields.Label5, 0, {}};
        // A page that had LOOK links gets them made anew over the whole book's titles.
        const bool links = fields.lookFlag && closing.editResult > 0;
        bool complete = true;
        const LookTitleIndex index = links ? LookLinkIndex(currentPage, &complete) : LookTitleIndex{};
        if (!complete) {
            // An index cut short would drop LOOK links the author never touched: nothing is
            // written, and the editor opens again as the author left it.
            outcome = {};
            if (services().prompt)
                services().prompt->warning(this, QStringLiteral("LOOK自動リンクを中止しました。ページは保存していません。編集内容はそのままです。"));
            if (mode != 0)
                break;
            keepForRetry(fields);
            Form2->FillFromPage(fields);
            Form2->KeptEdits = true;
            continue;
        }
        outcome = saveEditedPage(fields, closing, currentPage, answerMarks(), index);
        if (!outcome.offerSaveAs() || mode != 0)
            break;
        // The page on disk is as it was: the author's fields stay, and the next save asks for a
        // file name.
        if (services().prompt)
            services().prompt->warning(this, outcome.message() + QStringLiteral("\n別の名前で保存してください。"));
        keepForRetry(fields);
        Form2->FillFromPage(fields);
        Form2->KeptEdits = true;
        if (Form2->Label5.isEmpty())
            Form2->Label5 = fields.Edit1.isEmpty() ? QStringLiteral("newpage") : fields.Edit1;
    }
    if (!outcome.offerSaveAs() && !outcome.message().isEmpty() && services().prompt)
        services().prompt->warning(this, outcome.message());
    if (outcome.reopenLevel()) {
        OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
        RebuildPageButtons();
        RunCommand(outcome.goCommand);
    }
    // The page is shown again at the same address: its page work (notes panel, sounds) must run
    // again for what was just written.
    if (outcome.saved())
        LastLoadedURL.clear();
    // Reached through a page button's popup, the page was shown without its link scan; what was
    // just written needs it.
    HighlightCurrent = true;
    QApplication::processEvents();
    TiteleLoad(PageIndex());
    RefreshPageButton(PageIndex());
    ShowPage(true);
    return writtenIntoLevel(outcome, levels_.topFolder(), levels_.pageList()) ? Form2->EditResult : 0;
}

} // namespace sorvek
