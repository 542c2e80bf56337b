#pragma once
// The link dispatcher's decisions: what a navigation of the page, the notes panel or the side
// menu turns into, and whether its target is a title page.
#include <QString>
#include <QStringList>
#include <QUrl>

namespace sorvek {

// Where a command list came from. A web page may only turn pages and move between levels.
// There is no default: whatever is not a book page the program chose itself is a web page,
// and only localBookPage() makes the other kind.
class CommandOrigin {
public:
    static const CommandOrigin WebPage;
    // For a book page the program shows by its own choice: a page button, a level it opened
    // from the book, the side menu file, its own history of those.
    static constexpr CommandOrigin localBookPage() noexcept { return CommandOrigin(false); }

    constexpr bool isWeb() const noexcept { return web_; }
    friend constexpr bool operator==(CommandOrigin, CommandOrigin) noexcept = default;

private:
    explicit constexpr CommandOrigin(bool web) noexcept
        : web_(web)
    {
    }
    bool web_;
};
inline constexpr CommandOrigin CommandOrigin::WebPage{true};

// origin, lowered to web when the document at documentUrl is not a local file.
CommandOrigin lowerForDocument(CommandOrigin origin, const QUrl &documentUrl);
// Web when either is web: trust only ever goes down along a chain of navigations.
CommandOrigin leastTrusted(CommandOrigin a, CommandOrigin b);

// The notice for what a page shown for the web asked for and was refused, and how long it shows.
QString webRefusalNotice(const QString &refused);
constexpr int kWebRefusalNoticeMs = 2000;

// Who started a navigation, as far as the engine tells: the trust of the document (or program
// step) that asked for it, the frame it loads in, and whether a web server redirected it.
struct NavigationStart {
    CommandOrigin origin;
    bool mainFrame = true;
    bool redirect = false; // a server's answer: never followed into a local file or a command
    bool pageFile = false; // the program shows a level's page file: its name is no command

    static NavigationStart web() { return {CommandOrigin::WebPage}; }
    // The program shows a book page it chose itself (see CommandOrigin::localBookPage()).
    static NavigationStart localBookPage() { return {CommandOrigin::localBookPage()}; }
};

// The text the dispatcher's rules look at, decoded once: a file URL as its local path with its
// query and fragment kept ("a.wav?$x", "_【?】"); a web address percent-decoded, except that an
// encoded "/" or "\" stays encoded so it never becomes a path separator.
QString navigationText(const QUrl &url);

// The title the layout decision looks at: the title of the page file target names (read only
// when it is a ".htm*" file), else the top level's title of the current page when the index is
// above 0, else "".
QString layoutTitle(const QString &target, const QStringList &titles, int currentIndex);
// A title page takes the layout without side menu and page buttons.
bool isTitlePageTitle(const QString &title);

enum class NavigationAction {
    Navigate,     // let the browser navigate
    SelectPage,   // setPageIndex(pageIndex), showPage(true); the browser still navigates
    LaunchMwex,   // the shell opens target ("mwex.exe")
    OpenProject,  // OpenProjectLink(target) (a MicroWorlds EX project)
    PlayWave,     // PlayWave(target)
    OpenVideo,    // the video player opens the local file target
    OpenWebVideo, // the shell opens the web address target
    OpenMail,     // the shell opens the mailto: address target
    RunCommands,  // RunLinkCommands(target), target being the item list
    Refuse,       // a web server's redirect into a local file or a command: only a notice
};

struct NavigationDecision {
    NavigationAction action = NavigationAction::Navigate;
    int pageIndex = -1; // for SelectPage
    QString target;     // a path, a web address or an item list
    // Every action but Navigate and SelectPage cancels the browser's own navigation.
    bool cancelsNavigation() const
    {
        return action != NavigationAction::Navigate && action != NavigationAction::SelectPage;
    }
};

struct NavigationContext {
    QStringList pages;       // the top level's page list
    int currentIndex = -1;   // the top level's current page, -1 without a level
    bool mwexAvailable = false; // the book's MWEX copy exists, or MicroWorlds EX is installed
};

// Decides, in this order: a page of the level, "mwex.exe", a project file, a sound, a video, a
// command link, else a plain navigation. target is navigationText() of the requested URL.
// A redirect into a local file or a command is refused; a level's page file is never taken for
// a command link; a frame's navigation is only looked at for a command link. What only the
// desktop could open is refused for the web; a local page still hands mailto: to the desktop.
NavigationDecision decideNavigation(const QString &target, const NavigationContext &context,
                                    const NavigationStart &start);

} // namespace sorvek
