// TForm1: the stack of folder levels and the handlers that move between them.
#include "app/tform1.h"

#include "pagefiles/renamejournal.h"

#include "book/archivefolder.h"
#include "commands/texthelpers.h"

#include <QDir>

namespace sorvek {

void TForm1::OpenLevel(const QString &folder, int index, bool push, CommandOrigin origin)
{
    // A level opened in place keeps the trust it had.
    if (!push && levels_.depth() > 0)
        origin = leastTrusted(origin, levels_.topOrigin());
    // Renames cut short by a killed process are brought to an end before the folder is listed:
    // the program's own work on the book, never done for a folder the web asked for.
    if (!origin.isWeb()) {
        const JournalRecovery recovered = recoverRenameJournal(folder, BookFolder);
        if (!recovered.message.isEmpty() && services().prompt)
            services().prompt->information(this, recovered.message);
    }
    levels_.openLevel(folder, index, push, origin);
    tellListingNotice();
}

void TForm1::tellListingNotice()
{
    if (const QString notice = levels_.takeListingNotice(); !notice.isEmpty())
        ShowNotice(notice, 4000);
}

void TForm1::TiteleLoad(int i)
{
    const TitleLoadResult result = levels_.titeleLoad(i, windowTitle());
    if (result.status == TitleLoadResult::Status::ReadError && services().prompt)
        services().prompt->warning(this, QStringLiteral("ページを読めません: ") + result.error);
}

void TForm1::CloseLevel()
{
    levels_.closeLevel();
}

void TForm1::SetPageIndex(int i)
{
    levels_.setPageIndex(i);
}

int TForm1::PageCount() const
{
    return levels_.pageCount();
}

int TForm1::PageIndex() const
{
    return levels_.pageIndex();
}

void TForm1::pushLevel(const QStringList &pages, const QStringList &titles, int index, const QString &folder,
                       CommandOrigin origin)
{
    levels_.pushLevel(pages, titles, index, folder, origin);
}

void TForm1::LeaveLevel()
{
    HighlightCurrent = true;
    CloseLevel();
    RebuildPageButtons();
}

void TForm1::GoHome()
{
    HighlightCurrent = true;
    PageButtons.clear();
    levels_.clear();
    OpenLevel(BookFolder, 0, true, CommandOrigin::localBookPage());
    CreatePageButtons();
    SnapshotShown = false;
    FitBrowsers(false);
    ShowPage(true);
}

void TForm1::modoruMouseUp(Qt::MouseButton)
{
    if (!RightButtonFlag) {
        GoHome();
        return;
    }
    HOME1Click();
}

void TForm1::HOME1Click()
{
    IndexedFolder = QStringLiteral("xxx");
    GoHome();
    kabeRightResize();
    LoadSideMenu();
}

void TForm1::N1Click()
{
    const QString pocket = levels_.topFolder() + QStringLiteral("POCKET/");
    QDir().mkpath(pocket);
    if (services().shell)
        services().shell->openFolder(pocket);
}

void TForm1::UpdateArchiveButton()
{
    const ArchiveFolder::ButtonState state = ArchiveFolder(BookFolder).buttonState(levels_.topFolder());
    SpeedButton3->setToolTip(state.hint);
    SpeedButton3->setVisible(state.visible);
}

void TForm1::SpeedButton11MouseUp(Qt::MouseButton)
{
    const ArchiveFolder archive(BookFolder);
    if (!archive.clickOpens(levels_.topFolder()))
        return;
    SetPageIndex(PageIndex() + PageStep);
    OpenLevel(archive.path(), 0, true, CommandOrigin::localBookPage());
    RebuildPageButtons();
    ShowPage(true);
}

void TForm1::SpeedButton20MouseUp(Qt::MouseButton)
{
    CloseLevel();
    RebuildPageButtons();
    ShowPage(true);
}


} // namespace sorvek
