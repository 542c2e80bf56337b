// TForm1: deleting, archiving and renumbering page files, and editing the side menu.
#include "app/tform1.h"

#include "pagefiles/linkedfiles.h"
#include "pagefiles/pagenumbering.h"
#include "pagefiles/sidemenu.h"
#include "pagefiles/unneededfiles.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace sorvek {

void TForm1::SetFileTools(TForm3 *fileTool, TForm5 *order, TForm10 *menu)
{
    Form3 = fileTool;
    Form5 = order;
    Form10 = menu;
}

int TForm1::showModal(QDialog *dialog)
{
    // The file watch pauses while a modal window is open.
    Timer5->stop();
    const int result = dialog->exec();
    Timer5->start();
    return result;
}

void TForm1::warn(const QString &text)
{
    if (services().prompt)
        services().prompt->warning(this, text);
}

bool TForm1::CloseMemoForPageTool()
{
    return !Form12 || Form12->Tag == 0 || Form12->close();
}

void TForm1::PageDeleteClick()
{
    ManagePageFiles(PageFileMode::Delete);
}

void TForm1::SaveToArchiveClick()
{
    if (PageCount() > 0)
        ManagePageFiles(PageFileMode::Archive);
}

void TForm1::ManagePageFiles(PageFileMode mode)
{
    const QString item = levels_.currentPageReference();
    if (!Form3 || !pageFileTaskAllowed(mode, windowTitle(), item, levels_.topFolder(), BookFolder)
        || !CloseMemoForPageTool())
        return;
    IndexedFolder = QStringLiteral("xxx");
    LinkedFileCollector collector(levels_.topFolder(), BookFolder);
    collector.collect(pageFileTaskPath(levels_.topFolder(), item));
    for (const QString &notice : collector.commandLinkNotices())
        services().prompt->information(this, notice);
    Form3->BookFolder = BookFolder;
    Form3->Prepare(fileToolCaption(mode), mode == PageFileMode::Delete, collector.files());
    showModal(Form3);
    HighlightCurrent = true;
    OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
    if (Form3->FileToolResult == 2)
        RebuildPageButtons();
    else
        RefreshPageButton(PageIndex());
    ShowPage(true);
}

void TForm1::DeleteOrphanFilesClick()
{
    if (!Form3 || !CloseMemoForPageTool())
        return;
    const UnneededFiles found = findUnneededFiles(levels_.topFolder(), levels_.pageList(), BookFolder);
    for (const QString &notice : found.commandLinkNotices)
        services().prompt->information(this, notice);
    if (found.files.isEmpty()) {
        services().prompt->information(this, noUnneededFilesMessage());
        return;
    }
    Form3->BookFolder = BookFolder;
    Form3->Prepare(unneededFilesCaption(), true, found.files);
    showModal(Form3);
    HighlightCurrent = true;
    if (Form3->FileToolResult == 2)
        RebuildPageButtons();
    else
        RefreshPageButton(PageIndex());
    ShowPage(true);
}

void TForm1::ButtonOrderClick()
{
    MovePageAndRenumber(PageIndex(), 0);
}

void TForm1::MovePageAndRenumber(int from, int to)
{
    if (!CloseMemoForPageTool())
        return;
    // A position given by the program places a new page, wherever its name sorted it.
    const bool placing = to != 0;
    if (to == 0) {
        if (!Form5)
            return;
        Form5->Prepare(PageIndex(), PageCount());
        if (showModal(Form5) != QDialog::Accepted) {
            if (Form5->Tag == 1)
                StripPageNumbers();
            return;
        }
        const std::optional<int> position = positionFromDialog(Form5->Memo1->text(), PageCount());
        if (!position)
            return;
        to = *position;
        IndexedFolder = QStringLiteral("xxx");
    }
    const PageMoveResult moved = movePageAndRenumber(levels_.topFolder(), levels_.pageList(), from, to, placing);
    // A refused move leaves the current page where it was.
    if (moved.renames.ok)
        SetPageIndex(moved.position);
    else
        warn(moved.renames.error);
    OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
    RebuildPageButtons();
    ShowPage(true);
}

void TForm1::StripPageNumbers()
{
    if (!services().prompt || !services().prompt->question(this, QStringLiteral("ファイル名を書き換えていいですか"), DefaultAnswer::No)
        || !CloseMemoForPageTool())
        return;
    IndexedFolder = QStringLiteral("xxx");
    const RenameBatchResult stripped = stripPageNumbers(levels_.topFolder(), levels_.pageList());
    if (!stripped.ok)
        warn(stripped.error);
    OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
    RebuildPageButtons();
    ShowPage(true);
}

void TForm1::N3Click()
{
    if (!Form10)
        return;
    const QString path = sideMenuPath(BookFolder);
    const SideMenuRead read = readSideMenu(path);
    if (!read.ok) {
        warn(QStringLiteral("メニューのページを読めません: ") + read.error);
        return;
    }
    Form10->Memo1->setPlainText(sideMenuDialogText(read.parts.region));
    Form10->setWindowTitle(path);
    // The dialog stays open with the names as typed until they are saved or it is closed.
    Form10->SaveMenu = [this, path, parts = read.parts](const QString &names) { return writeSideMenu(path, parts, names); };
    const int result = showModal(Form10);
    Form10->SaveMenu = nullptr;
    if (result != QDialog::Accepted)
        return;
    IndexedFolder = QStringLiteral("xxx");
    GoHome();
    LoadSideMenu();
}

bool TForm1::writeSideMenu(const QString &path, const SideMenuParts &parts, const QString &names)
{
    const WriteResult written = saveSideMenu(path, parts, names);
    if (!written)
        warn(QStringLiteral("メニューを保存できません: ") + written.error + QStringLiteral("。メニューのページはそのままです。"));
    return bool(written);
}

} // namespace sorvek
