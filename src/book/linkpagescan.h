#pragma once
// What the main window does with a page once it has loaded: whether the page work runs at all,
// whether the notes panel shows the page a second time, and how a link page (one that holds
// "【リンク】") is followed: its one link taken at once, or its links made a level of their own.
#include "commands/linkdispatcher.h"

#include <QString>
#include <QStringList>

namespace sorvek {

class LevelStack;

// The page work runs for an address other than the last one handled whose text from its last
// "." (when no "\" or ":" follows it) holds ".HTM" in any case.
bool needsPageWork(const QString &url, const QString &lastLoadedUrl);

// The link scan runs when the last page show asked for it (highlightCurrent) and the loaded
// address is no command target (holds no "$"). Either way the caller sets highlightCurrent
// true again afterwards.
bool linkScanRuns(bool highlightCurrent, const QString &loadedUrl);

// The first link (href=" in any case) whose target holds both "$" and "【" asks for the page to
// be shown a second time in the notes panel.
bool opensNotesPanel(const QString &source);

// What HandleLinkPage does with a page's source.
struct LinkPageDecision {
    enum class Action {
        None,               // no link page ("【リンク】" missing, or "NOTLINK" present)
        Follow,             // one link: navigate the page browser to followUrl
        RunCommands,        // one link of the form "page/$..": run commandList at once
        RefusedFromWebPage, // as RunCommands, but the list came from a web page and may not run there
        NewLevel,           // several links: a level of pages and titles in folder
    };
    Action action = Action::None;
    int linkCount = 0;           // links counted (those between a link and the marker are skipped)
    CommandOrigin origin = CommandOrigin::WebPage;
    QString target;              // the one link's value as written
    QString followUrl;           // Follow: the value made absolute against the page's address
    QString caption;             // Follow: the label after the marker, "" leaves the button alone
    QString commandList;         // RunCommands / RefusedFromWebPage: the item list ("NEXT,")
    QStringList pages;           // NewLevel: every link's target, in order
    QStringList titles;          // NewLevel: every link's text
    QString folder;              // NewLevel: the folder of the new level (CurrentFolder)
};

// HandleLinkPage's decision. source is the page's text, locationUrl the page browser's address,
// currentFolder the folder bare link targets of a new level belong to, origin the trust of the
// shown document (a local file shown for a web page keeps web trust).
LinkPageDecision decideLinkPage(const QString &source, const QString &locationUrl,
                                const QString &currentFolder, CommandOrigin origin);

// What the link scan found: the notes-panel request and the link-page decision (made on the
// source with its first "&amp;" turned into "&", as the one link may carry a query).
struct LinkScanResult {
    bool openNotesPanel = false;
    LinkPageDecision linkPage;
};
LinkScanResult scanLoadedPage(const QString &source, const QString &locationUrl,
                              const QString &currentFolder, CommandOrigin origin);

// A link level replaces everything above the root: the root stays, the link level is pushed
// with its first page current and the trust of the page it was made from.
void openLinkLevel(LevelStack &levels, const LinkPageDecision &decision);

} // namespace sorvek
