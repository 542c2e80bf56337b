#include "commands/commandrunner.h"

#include "commands/commanditems.h"
#include "commands/texthelpers.h"
#include "commands/variablefile.h"

namespace sorvek {

CommandRunner::CommandRunner(CommandHost &host)
    : host_(host)
{
}

LinkListOutcome CommandRunner::runLinkCommands(const QString &list, CommandOrigin origin)
{
    for (QString item : splitCommandItems(list)) {
        const CommandItemKind kind = commandItemKind(item);
        if (kind == CommandItemKind::Empty) {
            host_.showNote(QString(), false);
            host_.rebuildPageButtons();
            host_.showPage(false);
            return {LinkListOutcome::End::ShownAgain, {}};
        }
        if (kind == CommandItemKind::Condition) {
            // The chosen item runs as a counter item or a command, never as a condition.
            item = evalCondition(item, pageCounter_);
            if (item.isEmpty())
                continue;
        }
        if (commandItemKind(item) == CommandItemKind::Counter) {
            const std::optional<int> counter = changedPageCounter(item, pageCounter_);
            if (!counter)
                return {LinkListOutcome::End::BadCounter, item};
            pageCounter_ = *counter;
        } else {
            runCommand(item, origin);
        }
    }
    return {};
}

void CommandRunner::runCommand(const QString &text, CommandOrigin origin)
{
    const PreparedCommand command = prepareCommand(text, host_.desktopFolder());
    const QString &word = command.word;
    if (refusedForWebPage(command, origin))
        return;
    if (QStringLiteral("/NEXT/BACK/TOP/HOME/GO/GOSUB/").contains(u'/' + word + u'/'))
        runPageGroup(command, origin);
    else if (word == u"RETURN")
        returnFromLevel();
    else if (word == u"LOOK")
        look(command.argumentText, origin);
    else if (word == u"DIR")
        enterFolder(command.argumentText, origin);
    else if (word == u"WAV")
        recordSound(command);
    else if (word == u"PAINT")
        paint(command);
    else if (word == u"dir")
        host_.openFolderInFileManager(bookOrFolderPath(command.argumentText, folders()));
    else if ((word == u"SAVE" || word == u"COPY" || word == u"JS") && command.tokens.size() < 3)
        reloadLevel(origin);
    else if (word == u"SAVE")
        download(command);
    else if (word == u"COPY")
        copy(command);
    else if (word == u"JS")
        writeVariableFile(host_.topFolder() + toSlashes(command.first), command.second);
    else if (word == u"HISJS")
        writeVariableFile(historyFilePath(host_.bookFolder(), host_.historyName()), command.first);
    else if (word == u"HIS")
        switchHistory(command.argumentText);
    else if (word.contains(u'.'))
        launchProgram(command, origin);
    else
        host_.showNote(text, true); // the text as it came, before "DESKTOP" was replaced
}

bool CommandRunner::refusedForWebPage(const PreparedCommand &command, CommandOrigin origin)
{
    if (!origin.isWeb())
        return false;
    // A web page may turn pages and move between levels, but never write files or start
    // programs on this machine.
    static const QStringList writers = {
        QStringLiteral("WAV"), QStringLiteral("PAINT"), QStringLiteral("dir"),
        QStringLiteral("SAVE"), QStringLiteral("COPY"), QStringLiteral("JS"),
        QStringLiteral("HISJS"), QStringLiteral("HIS"),
    };
    if (!writers.contains(command.word) && !command.word.contains(u'.'))
        return false;
    host_.showNotice(webRefusalNotice(command.word), kWebRefusalNoticeMs);
    return true;
}

CommandFolders CommandRunner::folders() const
{
    return {host_.bookFolder(), host_.topFolder()};
}

void CommandRunner::runPageGroup(const PreparedCommand &command, CommandOrigin origin)
{
    const QString &word = command.word;
    const int index = host_.pageIndex();
    const int count = host_.pageCount();
    if (word == u"NEXT") {
        host_.setPageDirection(1);
        if (index < count - 1)
            host_.setPageIndex(index + 1);
        else
            host_.leaveLevel();
    } else if (word == u"BACK") {
        host_.setPageDirection(-1);
        // On page 0 the last page; an empty level keeps index 0 rather than -1.
        host_.setPageIndex(index > 0 ? index - 1 : qMax(count - 1, 0));
    } else if (word == u"TOP") {
        host_.setPageDirection(-1);
        host_.setPageIndex(0);
    } else if (word == u"HOME") {
        host_.setPageDirection(0);
        host_.goHome();
    } else if (word == u"GO") {
        host_.setPageDirection(1);
        const int found = findPageByName(host_.pageList(), command.argumentText);
        if (found >= 0)
            host_.setPageIndex(found);
    } else if (word == u"GOSUB") {
        host_.setPageDirection(1);
        goSub(command.argumentText, origin);
    }
    // A page a web page picked by name is shown with no more trust than that web page.
    if (word == u"GO" || word == u"GOSUB")
        host_.showPageFrom(origin);
    else
        host_.showPage(true);
}

void CommandRunner::goSub(const QString &name, CommandOrigin origin)
{
    const QStringList pages = host_.pageList();
    const int found = findPageByName(pages, name);
    if (found < 0)
        return;
    // The calling level keeps its own index, so RETURN comes back to the calling page.
    host_.pushLevel(pages, host_.titleList(), found, host_.topFolder(), origin);
    host_.rebuildPageButtons();
}

void CommandRunner::returnFromLevel()
{
    host_.setPageDirection(-1);
    host_.closeLevel();
    host_.rebuildPageButtons();
    host_.showPage(true);
}

void CommandRunner::look(const QString &words, CommandOrigin origin)
{
    host_.setPageDirection(0);
    const QString askingPage =
        (host_.topFolder() + host_.pageList().value(host_.pageIndex())).toUpper();
    const LookResult found = host_.lookSearch(words, askingPage);
    // A search cut short (Esc) shows no result and hands back no pages: the reader stays put.
    if (found.pages.isEmpty() || found.shownUrl.isEmpty())
        return;
    host_.pushLevel(found.pages, found.titles, 0, host_.bookFolder() + u'/', origin);
    host_.rebuildPageButtons();
    runCommand(QStringLiteral("GO ") + pageStem(found.shownUrl), origin);
}

void CommandRunner::enterFolder(const QString &argumentText, CommandOrigin origin)
{
    const QString folder = levelFolderPath(argumentText, folders());
    // Network shares and drive letters name no folder here; "//srv" must not become "/srv".
    if (!folder.startsWith(u'/') || folder.startsWith(QStringLiteral("//"))) {
        host_.showNotice(QStringLiteral("フォルダを開けません: ") + folder, 2000);
        return;
    }
    host_.setPageDirection(1);
    host_.setPageIndex(host_.pageIndex() + host_.pageStep());
    host_.openLevel(folder, 0, true, origin);
    host_.rebuildPageButtons();
    host_.showPage(true);
}

void CommandRunner::reloadLevel(CommandOrigin origin)
{
    host_.openLevel(host_.topFolder(), host_.pageIndex(), false, origin);
    host_.rebuildPageButtons();
    host_.showPage(true);
}

} // namespace sorvek
