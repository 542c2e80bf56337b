#pragma once
// What the link command runner needs from the main window and the world outside: the level
// stack, the page display, notices, and the services that start programs or fetch files.
// TForm1 implements it; the rule tests use a recording fake.
#include "commands/linkdispatcher.h"

#include <QString>
#include <QStringList>

namespace sorvek {

// The pages found by a LOOK search, and the address of the result the search window showed.
struct LookResult {
    QStringList pages;  // paths relative to the book folder
    QStringList titles; // one per page
    QString shownUrl;   // the search window's caption: the URL of the result it previewed
};

class CommandHost {
public:
    virtual ~CommandHost() = default;

    // Level stack (folders end with "/"; the book folder does not).
    virtual int pageCount() const = 0;
    virtual int pageIndex() const = 0;
    virtual void setPageIndex(int index) = 0;
    // origin: who asked; a level a web page asked for keeps web trust for every page shown on it.
    virtual void openLevel(const QString &folder, int index, bool push, CommandOrigin origin) = 0;
    virtual void closeLevel() = 0;
    virtual void leaveLevel() = 0;
    virtual void goHome() = 0;
    // Pushes a level made of given lists (GOSUB's copy, LOOK's results).
    virtual void pushLevel(const QStringList &pages, const QStringList &titles, int index,
                           const QString &folder, CommandOrigin origin) = 0;
    virtual QString topFolder() const = 0;
    virtual QStringList pageList() const = 0;
    virtual QStringList titleList() const = 0;
    virtual QString bookFolder() const = 0;

    // Page display. showPage(true) must also reset the runner's page counter.
    virtual void rebuildPageButtons() = 0;
    virtual void showPage(bool navigate) = 0;
    // showPage(true) for a page a document of the given trust chose: the page gets no more.
    virtual void showPageFrom(CommandOrigin origin) = 0;
    virtual void showNote(const QString &word, bool find) = 0;
    virtual void showNotice(const QString &text, int milliseconds) = 0;
    // The current-URL register (the window caption), which also carries launch notices.
    virtual void setCaption(const QString &text) = 0;

    // Slide direction of the next page (-1, 0, 1) and the step DIR adds to the calling level.
    virtual int pageDirection() const = 0;
    virtual void setPageDirection(int direction) = 0;
    virtual int pageStep() const = 0;

    // HistoryName, relative to the book folder with "/" ("history/history" at start).
    virtual QString historyName() const = 0;
    virtual void setHistoryName(const QString &name) = 0;

    // The desktop folder without a trailing "/".
    virtual QString desktopFolder() const = 0;

    // Services.
    virtual void recordPageSound(const QString &path) = 0;
    virtual void openFolderInFileManager(const QString &path) = 0;
    virtual void openInImageEditor(const QString &path) = 0;
    // Starts a program with the current folder as its working folder. With waitForEnd the host
    // disables the window until the program has ended and drops the mouse input of that time;
    // it returns once the program has started (or ended, with waitForEnd) or failed to start.
    virtual void startProgram(const QString &program, const QStringList &arguments,
                              bool waitForEnd) = 0;
    // Asynchronous: streams into a temporary file and replaces target only on success; reports
    // progress and failure in the caption, then restores it.
    virtual void startDownload(const QString &url, const QString &target) = 0;
    // The LOOK title search over the whole book; askingPage (upper case) is left out.
    virtual LookResult lookSearch(const QString &words, const QString &askingPage) = 0;
};

} // namespace sorvek
