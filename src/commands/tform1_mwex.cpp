// TForm1: MicroWorlds EX: finding it, LOGO pages with new projects, and project links.
#include "app/tform1.h"

#include "commands/mwex.h"

#include <QDateTime>

namespace sorvek {

namespace {

QString registeredCommand(const PlatformServices &services)
{
    return services.shell ? registeredMwexCommand(*services.shell, applicationFolders()) : QString();
}

} // namespace

void TForm1::FindMwex()
{
    const auto show = [this](const MwexMenu &menu) {
        MwexModeTag = int(menu.mode);
        LOGO1->setVisible(menu.visible);
        LOGO1->setEnabled(menu.enabled);
        LOGO1->setText(menu.caption);
        LOGO1->setToolTip(menu.hint);
    };
    // What the book and the install folder offer now; the desktop's registration when it answers,
    // so that its slow query does not hold up the first page.
    show(findMwex(BookFolder, QString()));
    if (services().shell)
        services().shell->defaultProgramForLater(mwexMimeType(), this, [this, show](const QString &entry) {
            show(findMwex(BookFolder, mwexCommandForEntry(entry, applicationFolders())));
        });
}

void TForm1::launchMwex(const ProgramLaunch &launch)
{
    if (!launch.caption.isEmpty())
        setWindowTitle(launch.caption);
    ShowNotice(launch.notice, kMwexNoticeMs);
    if (!launch.program.isEmpty() && services().processes)
        services().processes->startDetached(launch.program, launch.arguments, QString());
}

void TForm1::LOGO1Click()
{
    const auto mode = MwexMode(MwexModeTag);
    if (mode == MwexMode::None)
        return;
    const LogoPagePlan plan = planLogoPage(levels_.topFolder(), PageIndex(), QDateTime::currentDateTime());
    const LogoPageWrite written = writeLogoPage(plan);
    if (!written.page)
        warn(written.page.error);
    if (!written.project)
        warn(written.project.error);
    if (const std::optional<ProgramLaunch> launch = newProjectLaunch(mode, BookFolder, plan.project, registeredCommand(services())))
        launchMwex(*launch);
    OpenLevel(levels_.topFolder(), PageIndex(), false);
    RebuildPageButtons();
    ShowPage(true);
    MovePageAndRenumber(PageCount() - 1, plan.targetIndex);
}

bool TForm1::OpenProjectLink(const QString &file)
{
    const std::optional<ProgramLaunch> launch = projectLinkLaunch(file, MwexMode(MwexModeTag), BookFolder,
                                                                  [this] { return registeredCommand(services()); });
    if (!launch)
        return false;
    launchMwex(*launch);
    return true;
}

} // namespace sorvek
