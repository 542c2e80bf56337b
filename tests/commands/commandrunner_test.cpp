#include "commands/commandrunner.h"

#include "fakes/fakecommandhost.h"
#include "testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

const QStringList kPages = {u"1000_index.html"_s, u"1010_apple.html"_s, u"1020_pear.html"_s};

class CommandRunnerTest : public testing::Test {
protected:
    CommandRunnerTest()
        : runner(host)
    {
        host.runner = &runner;
        host.setRoot(kPages);
    }
    FakeCommandHost host;
    BookPageRunner runner;
};

// --- item lists -----------------------------------------------------------------------------

TEST_F(CommandRunnerTest, EmptyItemShowsAgainWithoutNavigating)
{
    const LinkListOutcome out = runner.runLinkCommands(u","_s);
    EXPECT_EQ(out.end, LinkListOutcome::End::ShownAgain);
    EXPECT_EQ(host.calls, (QStringList{u"showNote(,false)"_s, u"rebuildPageButtons"_s, u"showPage(false)"_s}));
}

TEST_F(CommandRunnerTest, EmptyItemStopsTheList)
{
    runner.runLinkCommands(u"NEXT,$,$BACK,"_s);
    EXPECT_EQ(host.top().index, 1); // NEXT ran, BACK never did
    EXPECT_EQ(host.calls.last(), u"showPage(false)"_s);
}

TEST_F(CommandRunnerTest, CountersAddUpOverOneVisitAndNavigationResetsThem)
{
    runner.runLinkCommands(u"+1,$+2,"_s);
    runner.runLinkCommands(u"-1,"_s);
    EXPECT_EQ(runner.pageCounter(), 2);
    runner.runLinkCommands(u"NEXT,$+1,"_s);
    EXPECT_EQ(runner.pageCounter(), 1);
}

TEST_F(CommandRunnerTest, NonIntegerCounterEndsTheList)
{
    const LinkListOutcome out = runner.runLinkCommands(u"+x,$NEXT,"_s);
    EXPECT_EQ(out.end, LinkListOutcome::End::BadCounter);
    EXPECT_EQ(out.item, u"+x"_s);
    EXPECT_EQ(host.top().index, 0);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(CommandRunnerTest, ConditionRunsChosenItem)
{
    runner.runLinkCommands(u"<2[NEXT,"_s);
    EXPECT_EQ(host.top().index, 1);
    runner.runLinkCommands(u"+2,$<2[NEXT,"_s);
    EXPECT_EQ(host.top().index, 1);
    runner.runLinkCommands(u">2[NEXT][BACK],"_s); // counter still 2: not above 2
    EXPECT_EQ(host.top().index, 0);
    runner.runLinkCommands(u">0[NEXT][BACK],"_s); // BACK showed a page: counter 0
    EXPECT_EQ(host.top().index, 2);
}

TEST_F(CommandRunnerTest, QuizWrongAnswersTryAgainThenGoBack)
{
    QTemporaryDir book;
    FakeCommandHost quiz(book.path());
    BookPageRunner quizRunner(quiz);
    quiz.setRoot(kPages);
    const QString wrong = u"-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1,"_s;
    quizRunner.runLinkCommands(wrong);
    EXPECT_TRUE(quiz.called(u"showNote(_【△】,true)"_s));
    quizRunner.runLinkCommands(wrong);
    EXPECT_TRUE(quiz.called(u"showNote(_【×】,true)"_s));
    EXPECT_EQ(testutil::readBytes(book.path() + u"/history/history.txt"_s), QByteArray("sDAT[1]=-2\r\n"));
}

// --- page turning and levels ----------------------------------------------------------------

struct TurnCase {
    const char *name;
    const char16_t *command;
    int startIndex;
    bool pushed;
    int endIndex;
    size_t endDepth;
    int direction;
};

class PageTurn : public CommandRunnerTest, public testing::WithParamInterface<TurnCase> {};

TEST_P(PageTurn, MovesAndShows)
{
    const TurnCase &c = GetParam();
    host.top().index = c.pushed ? 0 : c.startIndex;
    if (c.pushed)
        host.pushLevel({u"a.html"_s, u"b.html"_s}, {u"A"_s, u"B"_s}, c.startIndex, u"/book/sub/"_s);
    runner.runCommand(QString::fromUtf16(c.command));
    EXPECT_EQ(host.levels.size(), c.endDepth);
    EXPECT_EQ(host.top().index, c.endIndex);
    EXPECT_EQ(host.direction, c.direction);
    EXPECT_EQ(host.calls.last(), u"showPage(true)"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, PageTurn,
    testing::Values(TurnCase{"NextMiddle", u"NEXT", 0, false, 1, 1, 1},
                    TurnCase{"NextOnLastRootPageShowsFirst", u"NEXT", 2, false, 0, 1, 1},
                    TurnCase{"NextOnLastPushedPageLeavesLevel", u"NEXT", 1, true, 0, 1, 1},
                    TurnCase{"BackMiddle", u"BACK", 2, false, 1, 1, -1},
                    TurnCase{"BackOnFirstShowsLast", u"BACK", 0, false, 2, 1, -1},
                    TurnCase{"BackOnFirstPushedShowsItsLast", u"BACK", 0, true, 1, 2, -1},
                    TurnCase{"Top", u"TOP", 2, false, 0, 1, -1},
                    TurnCase{"GoByStem", u"GO 1020_pear", 0, false, 2, 1, 1},
                    TurnCase{"GoByName", u"GO apple", 0, false, 1, 1, 1},
                    TurnCase{"GoNoMatchKeepsIndex", u"GO plum", 2, false, 2, 1, 1},
                    TurnCase{"GroupWordWithSlashOnlyShows", u"NEXT/BACK", 1, false, 1, 1, 99}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(CommandRunnerTest, BackOnEmptyLevelKeepsIndexZero)
{
    host.setRoot({});
    runner.runCommand(u"BACK"_s);
    EXPECT_EQ(host.top().index, 0);
}

TEST_F(CommandRunnerTest, CommandWordsAreCaseSensitive)
{
    runner.runCommand(u"next"_s);
    EXPECT_EQ(host.calls, QStringList{u"showNote(next,true)"_s});
    EXPECT_EQ(host.top().index, 0);
}

TEST_F(CommandRunnerTest, GosubThenReturnComesBackToCallingPage)
{
    host.top().index = 1;
    runner.runCommand(u"GOSUB pear"_s);
    ASSERT_EQ(host.levels.size(), 2u);
    EXPECT_EQ(host.top().index, 2);
    EXPECT_EQ(host.top().folder, u"/book/"_s);
    EXPECT_EQ(host.top().pages, kPages);
    runner.runCommand(u"NEXT"_s); // last page of the pushed copy: leaves it
    EXPECT_EQ(host.levels.size(), 1u);
    EXPECT_EQ(host.top().index, 1);

    runner.runCommand(u"GOSUB pear"_s);
    runner.runCommand(u"RETURN"_s);
    EXPECT_EQ(host.levels.size(), 1u);
    EXPECT_EQ(host.top().index, 1);
    EXPECT_EQ(host.direction, -1);
}

TEST_F(CommandRunnerTest, GosubWithoutMatchOnlyShowsAgain)
{
    runner.runCommand(u"GOSUB plum"_s);
    EXPECT_EQ(host.levels.size(), 1u);
    EXPECT_EQ(host.calls, QStringList{u"showPage(true)"_s});
}

TEST_F(CommandRunnerTest, HomeGoesHomeAndShowsOnceMore)
{
    host.pushLevel({u"x.html"_s}, {u"X"_s}, 0, u"/book/sub/"_s);
    runner.runCommand(u"HOME"_s);
    EXPECT_EQ(host.levels.size(), 1u);
    EXPECT_EQ(host.direction, 0);
    EXPECT_EQ(host.calls.mid(1), (QStringList{u"goHome"_s, u"showPage(true)"_s}));
}

TEST_F(CommandRunnerTest, DirOpensFolderBelowTopAndStepsCallingLevel)
{
    host.step = 1;
    runner.runCommand(u"DIR pics"_s);
    EXPECT_EQ(host.levels.front().index, 1);
    EXPECT_EQ(host.calls.first(), u"openLevel(/book/pics,0,push)"_s);
    EXPECT_EQ(host.direction, 1);
}

TEST_F(CommandRunnerTest, DirWithDollarsNamesANetworkShareThatIsNoFolderHere)
{
    runner.runCommand(u"DIR $$srv$share"_s);
    EXPECT_EQ(host.calls, QStringList{u"notice:フォルダを開けません: //srv/share"_s});
    EXPECT_EQ(host.levels.size(), 1u);
}

TEST_F(CommandRunnerTest, LookPushesResultsAndGoesToShownPage)
{
    host.top().index = 1;
    host.lookAnswer = {{u"a/1000_cat.html"_s, u"b/1010_dog.html"_s}, {u"Cat"_s, u"Dog"_s},
                       u"file:///book/b/1010_dog.html"_s};
    runner.runCommand(u"LOOK dog/cat"_s);
    EXPECT_EQ(host.calls.first(), u"look:dog/cat|/BOOK/1010_APPLE.HTML"_s);
    ASSERT_EQ(host.levels.size(), 2u);
    EXPECT_EQ(host.top().folder, u"/book/"_s);
    EXPECT_EQ(host.top().index, 1);
    EXPECT_EQ(host.calls.last(), u"showPage(true)"_s);
}

// --- commands that reload, record, start ----------------------------------------------------

TEST_F(CommandRunnerTest, SaveCopyJsWithTwoTokensReloadTheLevel)
{
    for (const QString &command : {u"SAVE x"_s, u"COPY a.txt"_s, u"JS vars.txt"_s}) {
        host.calls.clear();
        host.top().index = 2;
        runner.runCommand(command);
        EXPECT_EQ(host.calls,
                  (QStringList{u"openLevel(/book/,2,replace)"_s, u"rebuildPageButtons"_s, u"showPage(true)"_s}))
            << command.toStdString();
    }
}

TEST_F(CommandRunnerTest, WavAddsExtensionOnlyWhenFirstArgumentHasNone)
{
    runner.runCommand(u"WAV talk"_s);
    runner.runCommand(u"WAV talk.wave"_s);
    runner.runCommand(u"WAV .talk"_s);
    EXPECT_EQ(host.calls, (QStringList{u"record:/book/talk.wav"_s, u"record:/book/talk.wave"_s,
                                       u"record:/book/talk"_s}));
}

TEST_F(CommandRunnerTest, SmallDirExploresBookOrFolderPath)
{
    runner.runCommand(u"dir .POCKET"_s);
    EXPECT_EQ(host.calls, QStringList{u"explore:/book/POCKET"_s});
}

TEST_F(CommandRunnerTest, ProgramWithUpperExeWaitsAndReloads)
{
    runner.runCommand(u"tool.EXE a .b"_s);
    EXPECT_EQ(host.captionText, u"/book/tool.EXE \"/book/a /book/b\"KKK"_s);
    EXPECT_EQ(host.calls, (QStringList{u"notice:/book/tool.EXE\u3000"_s, u"start:/book/tool.EXE|/book/a /book/b|wait"_s,
                                       u"openLevel(/book/,0,replace)"_s, u"rebuildPageButtons"_s, u"showPage(true)"_s}));
}

TEST_F(CommandRunnerTest, ProgramWithLowerExeDoesNotWait)
{
    runner.runCommand(u"tool.exe"_s);
    EXPECT_EQ(host.captionText, u"/book/tool.exe KKK"_s);
    EXPECT_TRUE(host.called(u"start:/book/tool.exe||nowait"_s));
}

TEST_F(CommandRunnerTest, MwexStartsAndNothingElse)
{
    runner.runCommand(u".MWEX/mwex.exe p.mwx"_s);
    EXPECT_EQ(host.calls, QStringList{u"start:/book/MWEX/mwex.exe|/book/p.mwx|nowait"_s});
}

TEST_F(CommandRunnerTest, NoteWordWithDotIsAProgram)
{
    runner.runCommand(u"_Fig.1"_s);
    EXPECT_TRUE(host.called(u"start:/book/_Fig.1||nowait"_s));
}

TEST_F(CommandRunnerTest, UnknownWordIsANoteWithTextAsItCame)
{
    runner.runCommand(u"_【○】 DESKTOP"_s);
    EXPECT_EQ(host.calls, QStringList{u"showNote(_【○】 DESKTOP,true)"_s});
}

// --- web pages ------------------------------------------------------------------------------

struct WebCase {
    const char *name;
    const char16_t *command;
    bool refused;
    const char16_t *call = nullptr; // a call the command makes, " web" where it keeps web trust
};

class FromWebPage : public CommandRunnerTest, public testing::WithParamInterface<WebCase> {};

TEST_P(FromWebPage, OnlyTurnsPagesAndMovesLevels)
{
    host.lookAnswer = {{u"a/1000_cat.html"_s}, {u"Cat"_s}, u"file:///book/a/1000_cat.html"_s};
    runner.runLinkCommands(QString::fromUtf16(GetParam().command) + u',', CommandOrigin::WebPage);
    const bool noticed = !host.calls.isEmpty() && host.calls.first().startsWith(u"notice:Webページからは実行できません: "_s);
    EXPECT_EQ(noticed, GetParam().refused);
    if (GetParam().refused) {
        EXPECT_EQ(host.calls.size(), 1);
    }
    if (GetParam().call) {
        EXPECT_TRUE(host.called(QString::fromUtf16(GetParam().call))) << host.calls.join(u'\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Web, FromWebPage,
    testing::Values(WebCase{"Next", u"NEXT", false, u"showPage(true)"},
                    WebCase{"Go", u"GO apple", false, u"showPage(true) web"},
                    WebCase{"Gosub", u"GOSUB pear", false, u"pushLevel(2,/book/) web"},
                    WebCase{"Dir", u"DIR pics", false, u"openLevel(/book/pics,0,push) web"},
                    WebCase{"Look", u"LOOK cat", false, u"pushLevel(0,/book/) web"},
                    WebCase{"Return", u"RETURN", false},
                    WebCase{"Note", u"_【○】", false}, WebCase{"Program", u"tool.exe a", true},
                    WebCase{"Save", u"SAVE x.com/a a.txt", true}, WebCase{"SaveReload", u"SAVE x", true},
                    WebCase{"Copy", u"COPY a b", true}, WebCase{"Js", u"JS v.txt a=1", true},
                    WebCase{"HisJs", u"HISJS a=1", true}, WebCase{"His", u"HIS a", true},
                    WebCase{"Wav", u"WAV a", true}, WebCase{"Paint", u"PAINT a", true},
                    WebCase{"Explore", u"dir a", true}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(CommandRunnerTest, WebRefusalSkipsOnlyThatItem)
{
    runner.runLinkCommands(u"+1,$SAVE a b,$NEXT,"_s, CommandOrigin::WebPage);
    EXPECT_EQ(host.top().index, 1);
}

// --- commands that write files --------------------------------------------------------------

class FileCommands : public testing::Test {
protected:
    FileCommands()
        : host(book.path())
        , runner(host)
    {
        host.setRoot({u"1000_a.html"_s});
        host.desktop = desktop.path();
    }
    QString inBook(const QString &relative) const { return book.path() + u'/' + relative; }
    QTemporaryDir book;
    QTemporaryDir desktop;
    FakeCommandHost host;
    BookPageRunner runner;
};

TEST_F(FileCommands, SaveComputesAddressAndTargetAndMakesFolder)
{
    runner.runCommand(u"SAVE example.com\\a.txt data\\a.txt"_s);
    runner.runCommand(u"SAVE https://example.com/b.txt .b.txt"_s);
    EXPECT_EQ(host.calls, (QStringList{u"download:http://example.com/a.txt|"_s + inBook(u"data/a.txt"_s),
                                       u"download:https://example.com/b.txt|"_s + inBook(u"b.txt"_s)}));
    EXPECT_TRUE(QFileInfo(inBook(u"data"_s)).isDir());
}

TEST_F(FileCommands, SaveToUnwritableTargetIsReportedAndListGoesOn)
{
    runner.runLinkCommands(u"SAVE example.com/a C:\\a.txt,$NEXT,"_s);
    ASSERT_FALSE(host.calls.isEmpty());
    EXPECT_TRUE(host.calls.first().startsWith(u"notice:"_s));
    EXPECT_FALSE(host.calls.join(u' ').contains(u"download:"_s));
    EXPECT_EQ(host.calls.last(), u"showPage(true)"_s);
}

TEST_F(FileCommands, CopyFromTopFolderToDesktop)
{
    testutil::writeBytes(book.path(), u"a.txt"_s, "hello");
    runner.runCommand(u"COPY a.txt DESKTOP\\a.txt"_s);
    EXPECT_EQ(testutil::readBytes(desktop.path() + u"/a.txt"_s), QByteArray("hello"));
    testutil::writeBytes(book.path(), u"a.txt"_s, "again");
    runner.runCommand(u"COPY a.txt DESKTOP\\a.txt"_s); // overwrites
    EXPECT_EQ(testutil::readBytes(desktop.path() + u"/a.txt"_s), QByteArray("again"));
    EXPECT_TRUE(host.calls.isEmpty());
}

struct CopySourceCase {
    const char *name;
    QString linkTo;  // what the source a.txt is a link to; "" for no source at all
};

class CopySources : public FileCommands, public testing::WithParamInterface<CopySourceCase> {};

// A source that cannot be read whole is reported, and the target keeps what it held.
TEST_P(CopySources, UnreadableSourceLeavesTargetAsItWas)
{
    testutil::writeBytes(book.path(), u"b.txt"_s, "old");
    if (!GetParam().linkTo.isEmpty()) {
        ASSERT_TRUE(QFile::link(GetParam().linkTo, inBook(u"a.txt"_s)));
    }
    runner.runCommand(u"COPY a.txt b.txt"_s);
    ASSERT_EQ(host.calls.size(), 1);
    EXPECT_TRUE(host.calls.first().startsWith(u"notice:"_s));
    EXPECT_EQ(testutil::readBytes(inBook(u"b.txt"_s)), QByteArray("old"));
}

INSTANTIATE_TEST_SUITE_P(Sources, CopySources,
                         testing::Values(CopySourceCase{"Missing", {}}, CopySourceCase{"Device", u"/dev/zero"_s},
                                         CopySourceCase{"Folder", u"/"_s},
                                         CopySourceCase{"ReadFails", u"/proc/self/mem"_s}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(FileCommands, PaintWritesWhitePictureOnlyWhenMissing)
{
    runner.runCommand(u"PAINT pic"_s);
    EXPECT_EQ(host.calls, QStringList{u"paint:"_s + inBook(u"pic.bmp"_s)});
    EXPECT_EQ(testutil::readBytes(inBook(u"pic.bmp"_s)), blankPictureBytes());
    testutil::writeBytes(book.path(), u"old.bmp"_s, "mine");
    runner.runCommand(u"PAINT old.bmp"_s);
    EXPECT_EQ(testutil::readBytes(inBook(u"old.bmp"_s)), QByteArray("mine"));
    EXPECT_EQ(host.calls.last(), u"paint:"_s + inBook(u"old.bmp"_s));
}

TEST_F(FileCommands, PaintThatCannotWriteIsReportedAndNotOpened)
{
    runner.runCommand(u"PAINT none/pic"_s);
    ASSERT_EQ(host.calls.size(), 1);
    EXPECT_TRUE(host.calls.first().startsWith(u"notice:"_s));
}

} // namespace
