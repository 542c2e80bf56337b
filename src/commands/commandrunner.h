#pragma once
// Runs the link command language against the main window: item lists with the page counter,
// and the single commands that turn pages, move between levels, write files and start programs.
#include "commands/commandhost.h"
#include "commands/commandtext.h"
#include "commands/linkdispatcher.h"

#include <QString>

namespace sorvek {

// How an item list ended.
struct LinkListOutcome {
    enum class End {
        Completed,  // every item ran
        ShownAgain, // an empty item showed the page again and ended the list
        BadCounter, // a counter item without an integer ended the list
    };
    End end = End::Completed;
    QString item; // the counter item that ended the list
};

class CommandRunner {
public:
    explicit CommandRunner(CommandHost &host);

    // PageCounter: showing a page by navigating to it resets it (the host calls this).
    int pageCounter() const { return pageCounter_; }
    void resetPageCounter() { pageCounter_ = 0; }

    // RunLinkCommands: runs an item list ("NEXT,$BACK,"), stopping at an empty item or at a
    // counter item that holds no integer.
    LinkListOutcome runLinkCommands(const QString &list, CommandOrigin origin);
    // RunCommand: runs one command. Commands that write files or start programs are refused
    // for a web page's links, with a notice.
    void runCommand(const QString &text, CommandOrigin origin);

private:
    bool refusedForWebPage(const PreparedCommand &command, CommandOrigin origin);
    CommandFolders folders() const;
    void runPageGroup(const PreparedCommand &command, CommandOrigin origin);
    void goSub(const QString &name, CommandOrigin origin);
    void returnFromLevel();
    void look(const QString &words, CommandOrigin origin);
    void enterFolder(const QString &argumentText, CommandOrigin origin);
    void reloadLevel(CommandOrigin origin);
    void recordSound(const PreparedCommand &command);
    void paint(const PreparedCommand &command);
    void download(const PreparedCommand &command);
    void copy(const PreparedCommand &command);
    void writeVariableFile(const QString &path, const QString &assignment);
    void switchHistory(const QString &argumentText);
    void launchProgram(const PreparedCommand &command, CommandOrigin origin);
    bool makeTargetFolder(const QString &target);

    CommandHost &host_;
    int pageCounter_ = 0;
    bool toldUnmappable_ = false;  // the "?" notice of variable files is given once
};

} // namespace sorvek
