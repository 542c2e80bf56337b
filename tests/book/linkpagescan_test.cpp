// After a page loads: whether the page work and the link scan run, the notes-panel link, and
// how a link page is followed.
#include "book/levelstack.h"
#include "book/linkpagescan.h"
#include "book/webcommandlist.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace sorvek;
using Action = LinkPageDecision::Action;

namespace {

const QString localPage = QStringLiteral("file:///book/unit/1010_links.html");
const QString webPage = QStringLiteral("http://example.org/lesson/index.html");
const QString folder = QStringLiteral("/book/unit/");

QString linkPage(const QString &body)
{
    return QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>");
}

struct WorkCase {
    const char *name;
    QString url;
    QString last;
    bool runs;
};

class PageWorkTest : public ::testing::TestWithParam<WorkCase> {};

TEST_P(PageWorkTest, RunsForNewHtmlAddresses)
{
    EXPECT_EQ(needsPageWork(GetParam().url, GetParam().last), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PageWorkTest,
    ::testing::Values(WorkCase{"NewHtmlPage", QStringLiteral("file:///b/p.html"), QStringLiteral("file:///b/o.html"), true},
                      WorkCase{"SameAddressAgainSkips", QStringLiteral("file:///b/p.html"), QStringLiteral("file:///b/p.html"), false},
                      WorkCase{"UpperCaseHtm", QStringLiteral("file:///b/P.HTM"), QString(), true},
                      WorkCase{"QueryAfterExtension", QStringLiteral("http://h/p.htm?a=1"), QString(), true},
                      WorkCase{"ColonAfterLastDot", QStringLiteral("http://h/p.html?t=1:2"), QString(), false},
                      WorkCase{"BackslashAfterLastDot", QStringLiteral("c.html\\x"), QString(), false},
                      WorkCase{"PictureIsNoPage", QStringLiteral("file:///b/leaf.jpg"), QString(), false},
                      WorkCase{"WebRootIsNoPage", QStringLiteral("http://www.example.org/"), QString(), false},
                      WorkCase{"NoDotAtAll", QStringLiteral("about:blank"), QString(), false}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(LinkScanGate, SkipsAfterReloadAndForCommandTargets)
{
    EXPECT_TRUE(linkScanRuns(true, localPage));
    EXPECT_FALSE(linkScanRuns(false, localPage));
    EXPECT_FALSE(linkScanRuns(true, QStringLiteral("file:///book/unit/$NEXT")));
}

struct NotesCase {
    const char *name;
    QString source;
    bool opens;
};

class NotesPanelTest : public ::testing::TestWithParam<NotesCase> {};

TEST_P(NotesPanelTest, FirstDollarAndBracketLink)
{
    EXPECT_EQ(opensNotesPanel(GetParam().source), GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NotesPanelTest,
    ::testing::Values(NotesCase{"CommandWithBracket", QStringLiteral("<a href=\"/$【光合成】\">x</a>"), true},
                      NotesCase{"CapitalHref", QStringLiteral("<A HREF=\"/$-1,$<-1[_【×】]\">x</a>"), true},
                      NotesCase{"CommandWithoutBracket", QStringLiteral("<a href=\"/$NEXT\">x</a>"), false},
                      NotesCase{"BracketWithoutCommand", QStringLiteral("<a href=\"【a】.html\">x</a>"), false},
                      NotesCase{"LaterLinkCounts", QStringLiteral("<a href=\"a.html\">a</a><a href=\"/$【b】\">b</a>"), true},
                      NotesCase{"UnquotedIgnored", QStringLiteral("<a href=/$【b】>b</a>"), false},
                      NotesCase{"UnclosedQuote", QStringLiteral("<a href=\"/$【b】"), false}),
    [](const auto &row) { return std::string(row.param.name); });

struct LinkPageCase {
    const char *name;
    QString source;
    QString location;
    Action action;
    int links;
    QString detail; // followUrl, commandList, or the pages joined by "|"
    QString caption;
};

class LinkPageTest : public ::testing::TestWithParam<LinkPageCase> {};

TEST_P(LinkPageTest, Decides)
{
    const LinkPageCase &c = GetParam();
    const LinkPageDecision d = decideLinkPage(c.source, c.location, folder, CommandOrigin::localBookPage());
    EXPECT_EQ(d.action, c.action);
    EXPECT_EQ(d.linkCount, c.links);
    switch (c.action) {
    case Action::Follow:
        EXPECT_EQ(d.followUrl, c.detail);
        EXPECT_EQ(d.caption, c.caption);
        break;
    case Action::RunCommands:
    case Action::RefusedFromWebPage:
        EXPECT_EQ(d.commandList, c.detail);
        break;
    case Action::NewLevel:
        EXPECT_EQ(d.pages.join(u'|'), c.detail);
        EXPECT_EQ(d.titles.join(u'|'), c.caption);
        EXPECT_EQ(d.folder, folder);
        break;
    case Action::None:
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LinkPageTest,
    ::testing::Values(
        LinkPageCase{"NoMarkerNoLinkPage", linkPage(QStringLiteral("<a href=\"a.html\">A</a>")), localPage,
                     Action::None, 0, {}, {}},
        LinkPageCase{"NotLinkOptsOut", linkPage(QStringLiteral("【リンク】NOTLINK<a href=\"a.html\">A</a>")), localPage,
                     Action::None, 0, {}, {}},
        LinkPageCase{"MarkerWithoutLinks", linkPage(QStringLiteral("【リンク】なし")), localPage, Action::None, 0, {}, {}},
        LinkPageCase{"OneLinkFollowed", linkPage(QStringLiteral("【リンク】<a href=\"page2.html\">次</a>")), localPage,
                     Action::Follow, 1, QStringLiteral("file:///book/unit/page2.html"), {}},
        LinkPageCase{"CapitalHrefLikeLowerCase", linkPage(QStringLiteral("【リンク】<A HREF=\"page2.html\">次</A>")),
                     localPage, Action::Follow, 1, QStringLiteral("file:///book/unit/page2.html"), {}},
        LinkPageCase{"BackslashTargetBecomesPath", linkPage(QStringLiteral("【リンク】<a href=\"sub\\p.html\">x</a>")),
                     localPage, Action::Follow, 1, QStringLiteral("file:///book/unit/sub/p.html"), {}},
        LinkPageCase{"WebTargetAsItStands", linkPage(QStringLiteral("【リンク】<a href=\"https://x.org/a\">x</a>")),
                     localPage, Action::Follow, 1, QStringLiteral("https://x.org/a"), {}},
        LinkPageCase{"LeadingSlashDollarIsNavigated", linkPage(QStringLiteral("【リンク】<a href=\"/$NEXT\">x</a>")),
                     localPage, Action::Follow, 1, QStringLiteral("file:///$NEXT"), {}},
        LinkPageCase{"PageThenCommandsRunAtOnce",
                     linkPage(QStringLiteral("【リンク】<a href=\"page.html/$NEXT,$BACK\">x</a>")), localPage,
                     Action::RunCommands, 1, QStringLiteral("NEXT,$BACK,"), {}},
        LinkPageCase{"BackslashDollarRunsToo", linkPage(QStringLiteral("【リンク】<a href=\"page.html\\$TOP\">x</a>")),
                     localPage, Action::RunCommands, 1, QStringLiteral("TOP,"), {}},
        LinkPageCase{"WebPageMayTurnPages", linkPage(QStringLiteral("【リンク】<a href=\"p.html/$NEXT\">x</a>")),
                     webPage, Action::RunCommands, 1, QStringLiteral("NEXT,"), {}},
        LinkPageCase{"WebPageMayNotWriteFiles",
                     linkPage(QStringLiteral("【リンク】<a href=\"p.html/$JS v.js a=1\">x</a>")), webPage,
                     Action::RefusedFromWebPage, 1, QStringLiteral("JS v.js a=1,"), {}},
        LinkPageCase{"LinkBeforeMarkerGivesCaption",
                     linkPage(QStringLiteral("<a href=\"m.html\">M</a>【リンク】見出し<br>")), localPage, Action::Follow,
                     1, QStringLiteral("file:///book/unit/m.html"), QStringLiteral("見出し")},
        // Links between the first one and the marker are not counted; a new level still takes them all.
        LinkPageCase{"LinksBeforeMarkerSkipped",
                     linkPage(QStringLiteral("<a href=\"m1.html\">M1</a><a href=\"m2.html\">M2</a>【リンク】題"
                                             "<a href=\"t.html\">T</a>")),
                     localPage, Action::NewLevel, 2, QStringLiteral("m1.html|m2.html|t.html"), QStringLiteral("M1|M2|T")},
        LinkPageCase{"SeveralLinksMakeLevel",
                     linkPage(QStringLiteral("【リンク】<a href=\"a.html\">甲</a><br><A HREF=\"b.html\" target=x>乙</A>")),
                     localPage, Action::NewLevel, 2, QStringLiteral("a.html|b.html"), QStringLiteral("甲|乙")},
        LinkPageCase{"WebLevelResolvesRelativeLinks",
                     linkPage(QStringLiteral("【リンク】<a href=\"a.html\">A</a><a href=\"/top.html\">T</a>"
                                             "<a href=\"https://x.org/\">X</a>")),
                     webPage, Action::NewLevel, 3,
                     QStringLiteral("http://example.org/lesson/a.html|http://example.org/top.html|https://x.org/"),
                     QStringLiteral("A|T|X")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(LinkPage, OneLinkSetsOrigin)
{
    const QString source = linkPage(QStringLiteral("【リンク】<a href=\"p.html/$NEXT\">x</a>"));
    EXPECT_EQ(decideLinkPage(source, localPage, folder, CommandOrigin::localBookPage()).origin, CommandOrigin::localBookPage());
    EXPECT_EQ(decideLinkPage(source, webPage, folder, CommandOrigin::localBookPage()).origin, CommandOrigin::WebPage);
}

TEST(LinkScan, FirstAmpersandEntityDecodedForTheLink)
{
    const LinkScanResult r =
        scanLoadedPage(linkPage(QStringLiteral("【リンク】<a href=\"http://h/q?a=1&amp;b=2&amp;c=3\">x</a>")),
                       localPage, folder, CommandOrigin::localBookPage());
    EXPECT_FALSE(r.openNotesPanel);
    EXPECT_EQ(r.linkPage.followUrl, QStringLiteral("http://h/q?a=1&b=2&amp;c=3"));
}

TEST(LinkScan, LargePageScannedOnce)
{
    // Thousands of links on a big page: the scan must not rescan the page for every link.
    QString body = QStringLiteral("【リンク】");
    for (int i = 0; i < 20000; ++i)
        body += QStringLiteral("<a href=\"p%1.html\">P%1</a>").arg(i) + QString(200, u' ');
    const LinkPageDecision d = decideLinkPage(linkPage(body), localPage, folder, CommandOrigin::localBookPage());
    EXPECT_EQ(d.action, Action::NewLevel);
    EXPECT_EQ(d.pages.size(), 20000);
    EXPECT_EQ(d.titles.last(), QStringLiteral("P19999"));
}

TEST(LinkLevel, ReplacesEverythingAboveRoot)
{
    testutil::BookLevels levels;
    levels.pushLevel({QStringLiteral("r1.html"), QStringLiteral("r2.html")}, {}, 1, QStringLiteral("/book"));
    levels.pushLevel({QStringLiteral("s.html")}, {}, 0, QStringLiteral("/book/s"));
    levels.pushLevel({QStringLiteral("t.html")}, {}, 0, QStringLiteral("/book/s/t"));
    LinkPageDecision d;
    d.pages = {QStringLiteral("a.html"), QStringLiteral("b.html")};
    d.titles = {QStringLiteral("A"), QStringLiteral("B")};
    d.folder = QStringLiteral("/book/s/t/");
    openLinkLevel(levels, d);
    EXPECT_EQ(levels.depth(), 2);
    EXPECT_EQ(levels.pageIndexAt(0), 1);
    EXPECT_EQ(levels.pageList(), d.pages);
    EXPECT_EQ(levels.titleList(), d.titles);
    EXPECT_EQ(levels.pageIndex(), 0);
    EXPECT_EQ(levels.topFolder(), QStringLiteral("/book/s/t/"));
}

struct WebListCase {
    const char *name;
    QString list;
    bool allowed;
};

class WebListTest : public ::testing::TestWithParam<WebListCase> {};

TEST_P(WebListTest, OnlyPageTurnsFromWeb)
{
    EXPECT_EQ(commandListAllowedFromWebPage(GetParam().list), GetParam().allowed);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WebListTest,
    ::testing::Values(WebListCase{"PageTurns", QStringLiteral("NEXT,$BACK,$TOP,$HOME,"), true},
                      WebListCase{"LevelsAndSearch", QStringLiteral("GO a,$GOSUB b,$RETURN,$LOOK 葉,$DIR sub,"), true},
                      WebListCase{"CounterAndNote", QStringLiteral("+1,$=0,$【メモ】,"), true},
                      WebListCase{"EmptyItemShowsAgain", QStringLiteral(","), true},
                      WebListCase{"VariableFile", QStringLiteral("NEXT,$JS v.js a=1,"), false},
                      WebListCase{"History", QStringLiteral("HISJS a=1,"), false},
                      WebListCase{"Download", QStringLiteral("SAVE http://x/a b.zip,"), false},
                      WebListCase{"Program", QStringLiteral("calc.exe,"), false},
                      WebListCase{"FileManager", QStringLiteral("dir sub,"), false},
                      WebListCase{"DesktopPath", QStringLiteral("DESKTOP,"), false},
                      WebListCase{"ConditionThenBranch", QStringLiteral("<3[COPY a b][NEXT],"), false},
                      WebListCase{"ConditionElseBranch", QStringLiteral(">3[NEXT][WAV a.wav],"), false},
                      WebListCase{"ConditionHarmless", QStringLiteral("<3[+1][NEXT],"), true}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
