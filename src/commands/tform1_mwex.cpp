// TForm1: MicroWorlds EX: finding it, LOGO pages with new projects, and project links.
#include "app/tform1.h"

#include "commands/mwex.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimer>

namespace sorvek {

namespace {

constexpr int kDesktopQueryDelayMs = 1500;

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
    // What the book and the install folder offer now; the desktop's registration when it answers.
    // Its query starts a dozen programs: asked once the first page has had time to show.
    show(findMwex(BookFolder, QString()));
    if (!services().shell)
        return;
    QTimer::singleShot(kDesktopQueryDelayMs, this, [this, show] {
        services().shell->defaultProgramForLater(mwexMimeType(), this, [this, show](const QString &entry) {
            show(findMwex(BookFolder, mwexCommandForEntry(entry, applicationFolders())));
        });
    });
}

void TForm1::launchMwex(const ProgramLaunch &launch)
{
    if (!launch.caption.isEmpty())
        setWindowTitle(launch.caption);
    ShowNotice(launch.notice, kMwexNoticeMs);
    const bool started = !launch.program.isEmpty() && services().processes
        && services().processes->startDetached(launch.program, launch.arguments, QString());
    if (!started)
        ShowNotice(mwexCannotRunNotice(launch.arguments.value(launch.arguments.size() - 1)), kMwexNoticeMs);
}

void TForm1::LOGO1Click()
{
    const auto mode = MwexMode(MwexModeTag);
    if (mode == MwexMode::None)
        return;
    const LogoPagePlan plan = planLogoPage(levels_.topFolder(), PageIndex(), QDateTime::currentDateTime());
    const LogoPageWrite written = writeLogoPage(plan);
    // Without its page there is nothing to start or place; without its project nothing to start.
    if (!written.page) {
        warn(written.page.error);
        return;
    }
    if (!written.project)
        warn(written.project.error);
    else if (const std::optional<ProgramLaunch> launch = newProjectLaunch(mode, BookFolder, plan.project, registeredCommand(services())))
        launchMwex(*launch);
    OpenLevel(levels_.topFolder(), PageIndex(), false, levels_.topOrigin());
    RebuildPageButtons();
    ShowPage(true);
    // The new page is found by its name: it does not always sort last.
    const int made = int(levels_.pageList().indexOf(QFileInfo(plan.page).fileName()));
    if (made >= 0)
        MovePageAndRenumber(made, plan.targetIndex);
}

bool TForm1::OpenProjectLink(const QString &file)
{
    const std::optional<ProgramLaunch> launch = projectLinkLaunch(file, MwexMode(MwexModeTag), BookFolder,
                                                                  [this] { return registeredCommand(services()); });
    if (!launch) {
        if (!QFileInfo(file).isFile())
            return false;
        // A project nothing here can run: say so rather than hand the file to the browser.
        ShowNotice(mwexCannotRunNotice(file), kMwexNoticeMs);
        return true;
    }
    launchMwex(*launch);
    return true;
}

} // namespace sorvek
