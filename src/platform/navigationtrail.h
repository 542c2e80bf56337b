#pragma once
// The trust of one browser page's navigations: each gets the trust of whoever started it (the
// program on behalf of a level, the shown document, a web server's redirect, the history), never
// that of what the page happens to show when it is asked.
#include "commands/linkdispatcher.h"

#include <QHash>
#include <QList>
#include <QUrl>

namespace sorvek {

class NavigationTrail {
public:
    // How the engine says a navigation started.
    enum class Kind {
        Program,  // the program's own load
        Document, // a link, a form or a script of a document in the page
        Redirect, // a server's answer to a request
        History,  // back or forward
        Reload,
        Other,    // anything else: a drop, a frame's own load, ...
    };

    // The program is about to load url; start says on whose behalf.
    void programRequested(const QUrl &url, const NavigationStart &start);
    // Who started the navigation to url the engine asks about now.
    NavigationStart startOf(const QUrl &url, Kind kind, bool mainFrame);
    // A navigation was let through. A main-frame one is in flight until it loads or ends; a
    // frame's lowers the trust of what the page holds.
    void accepted(const QUrl &url, const NavigationStart &start);
    // The main frame loaded url: its navigation's trust becomes the document's.
    void loaded(const QUrl &url);
    // The main-frame navigation to url failed or was stopped: the document stays.
    void ended(const QUrl &url);

    // The shown document's trust, lowered by any navigation still in flight (its document may
    // already run scripts before it has finished loading).
    CommandOrigin documentOrigin() const;
    // The least trust of any document the page holds: the shown one and its frames. The engine
    // does not say which of them asks for a new window or hands an address to the desktop.
    CommandOrigin pageOrigin() const;

private:
    struct Step {
        QString key;
        NavigationStart start;
    };
    static QString keyOf(const QUrl &url);
    static qsizetype indexOf(const QList<Step> &steps, const QString &key);

    QList<Step> requested_; // program loads not yet asked about, oldest first
    QList<Step> inFlight_;  // main-frame navigations let through, oldest first
    // Every address loaded: web once loaded as web, a page file once shown as one.
    QHash<QString, NavigationStart> history_;
    NavigationStart loaded_ = NavigationStart::web(); // nothing loaded yet is no book page
    QString loadedKey_;
    // The least trust of the frames of the shown document, and of those since the last main-frame
    // navigation; no frame lowers nothing, so they start at the top and only ever go down.
    CommandOrigin shownFrames_ = CommandOrigin::localBookPage();
    CommandOrigin comingFrames_ = CommandOrigin::localBookPage();
};

} // namespace sorvek
