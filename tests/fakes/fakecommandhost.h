#pragma once
// A CommandHost that keeps a small level stack of its own and records every call as text, so
// tests can assert on what the command runner asked the main window to do.
#include "commands/commandhost.h"
#include "commands/commandrunner.h"

#include <QMap>
#include <vector>

class FakeCommandHost : public sorvek::CommandHost {
public:
    struct Level {
        QStringList pages;
        QStringList titles;
        int index = 0;
        QString folder;
    };

    explicit FakeCommandHost(QString book = QStringLiteral("/book"))
        : book_(std::move(book))
    {
    }

    // Starts a root level at the book folder with these pages.
    void setRoot(const QStringList &pages, int index = 0)
    {
        levels = {Level{pages, pages, index, book_ + u'/'}};
    }

    // Test state.
    std::vector<Level> levels;
    QMap<QString, QStringList> folderPages; // what openLevel finds in a folder
    sorvek::LookResult lookAnswer;
    QStringList calls;
    QString captionText;
    QString history = QStringLiteral("history/history");
    int direction = 99; // 99: never set
    int step = 0;
    QString desktop = QStringLiteral("/home/ann/Desktop");
    sorvek::CommandRunner *runner = nullptr;

    bool called(const QString &call) const { return calls.contains(call); }
    Level &top() { return levels.back(); }

    // CommandHost
    int pageCount() const override { return levels.empty() ? 0 : int(levels.back().pages.size()); }
    int pageIndex() const override { return levels.empty() ? -1 : levels.back().index; }
    void setPageIndex(int index) override
    {
        if (!levels.empty())
            levels.back().index = index;
    }
    void openLevel(const QString &folder, int index, bool push, sorvek::CommandOrigin origin) override
    {
        calls << QStringLiteral("openLevel(%1,%2,%3)").arg(folder).arg(index).arg(push ? u"push" : u"replace")
                     + webMark(origin);
        if (!push && !levels.empty())
            levels.pop_back();
        const QString withSlash = folder.endsWith(u'/') ? folder : folder + u'/';
        const QStringList pages = folderPages.value(withSlash);
        levels.push_back(Level{pages, pages, index, withSlash});
    }
    void closeLevel() override
    {
        calls << QStringLiteral("closeLevel");
        if (levels.size() < 2)
            setPageIndex(0);
        else
            levels.pop_back();
    }
    void leaveLevel() override
    {
        calls << QStringLiteral("leaveLevel");
        closeLevel();
    }
    void goHome() override
    {
        calls << QStringLiteral("goHome");
        const QStringList pages = folderPages.value(book_ + u'/', levels.empty() ? QStringList() : levels.front().pages);
        levels = {Level{pages, pages, 0, book_ + u'/'}};
    }
    void pushLevel(const QStringList &pages, const QStringList &titles, int index,
                   const QString &folder, sorvek::CommandOrigin origin = sorvek::CommandOrigin::localBookPage()) override
    {
        calls << QStringLiteral("pushLevel(%1,%2)").arg(index).arg(folder) + webMark(origin);
        levels.push_back(Level{pages, titles, index, folder});
    }
    QString topFolder() const override { return levels.empty() ? QString() : levels.back().folder; }
    QStringList pageList() const override { return levels.empty() ? QStringList() : levels.back().pages; }
    QStringList titleList() const override { return levels.empty() ? QStringList() : levels.back().titles; }
    QString bookFolder() const override { return book_; }

    void rebuildPageButtons() override { calls << QStringLiteral("rebuildPageButtons"); }
    void showPage(bool navigate) override
    {
        calls << QStringLiteral("showPage(%1)").arg(navigate ? u"true" : u"false");
        if (navigate && runner)
            runner->resetPageCounter();
    }
    void showPageFrom(sorvek::CommandOrigin origin) override
    {
        calls << QStringLiteral("showPage(true)") + webMark(origin);
        if (runner)
            runner->resetPageCounter();
    }
    // Calls made for a web page are marked, so a row can tell them apart.
    static QString webMark(sorvek::CommandOrigin origin)
    {
        return origin == sorvek::CommandOrigin::WebPage ? QStringLiteral(" web") : QString();
    }
    void showNote(const QString &word, bool find) override
    {
        calls << QStringLiteral("showNote(%1,%2)").arg(word, find ? u"true" : u"false");
    }
    void showNotice(const QString &text, int) override { calls << QStringLiteral("notice:") + text; }
    void setCaption(const QString &text) override { captionText = text; }

    int pageDirection() const override { return direction; }
    void setPageDirection(int d) override { direction = d; }
    int pageStep() const override { return step; }

    QString historyName() const override { return history; }
    void setHistoryName(const QString &name) override { history = name; }
    QString desktopFolder() const override { return desktop; }

    void recordPageSound(const QString &path) override { calls << QStringLiteral("record:") + path; }
    void openFolderInFileManager(const QString &path) override { calls << QStringLiteral("explore:") + path; }
    void openInImageEditor(const QString &path) override { calls << QStringLiteral("paint:") + path; }
    void startProgram(const QString &program, const QStringList &arguments, bool waitForEnd) override
    {
        calls << QStringLiteral("start:%1|%2|%3").arg(program, arguments.join(u'|'),
                                                    waitForEnd ? u"wait" : u"nowait");
    }
    void startDownload(const QString &url, const QString &target) override
    {
        calls << QStringLiteral("download:%1|%2").arg(url, target);
    }
    sorvek::LookResult lookSearch(const QString &words, const QString &askingPage) override
    {
        calls << QStringLiteral("look:%1|%2").arg(words, askingPage);
        return lookAnswer;
    }

private:
    QString book_;
};

// The runner driven by the program's own book pages, as the rule tests mostly want it.
struct BookPageRunner : sorvek::CommandRunner {
    using CommandRunner::CommandRunner;
    using CommandRunner::runCommand;
    using CommandRunner::runLinkCommands;
    void runCommand(const QString &text) { runCommand(text, sorvek::CommandOrigin::localBookPage()); }
    sorvek::LinkListOutcome runLinkCommands(const QString &list)
    {
        return CommandRunner::runLinkCommands(list, sorvek::CommandOrigin::localBookPage());
    }
};
