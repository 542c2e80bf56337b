#include "commands/linkdispatcher.h"

#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

TEST(NavigationText, DecodedOnceWithQueryAndFragmentAndNoEncodedSeparator)
{
    EXPECT_EQ(navigationText(QUrl(u"file:///$NEXT,$BACK"_s)), u"/$NEXT,$BACK"_s);
    EXPECT_EQ(navigationText(QUrl(u"file:///book/a.wav?$x"_s)), u"/book/a.wav?$x"_s);
    EXPECT_EQ(navigationText(QUrl(u"file:///$JS%20v.txt%20q=a?b"_s)), u"/$JS v.txt q=a?b"_s);
    EXPECT_EQ(navigationText(QUrl(u"file:///$_%E3%80%90?%E3%80%91"_s)), u"/$_【?】"_s);
    EXPECT_EQ(navigationText(QUrl(u"file:///$_%E3%80%90#%E3%80%91"_s)), u"/$_【#】"_s);
    EXPECT_EQ(navigationText(QUrl(u"http://h/$usr%2Fbin%2Ftouch%20a%5Cb%2520"_s)), u"http://h/$usr%2Fbin%2Ftouch a%5Cb%20"_s);
    EXPECT_EQ(navigationText(QUrl(u"file:///book/my%20page.html"_s)), u"/book/my page.html"_s);
    EXPECT_EQ(navigationText(QUrl(u"file:///book/$-1,$%3C-1[_x]"_s)), u"/book/$-1,$<-1[_x]"_s);
    EXPECT_EQ(navigationText(QUrl(u"https://example.com/a%20b/$LOOK%20%E7%8C%AB"_s)),
              u"https://example.com/a b/$LOOK 猫"_s);
    EXPECT_EQ(navigationText(QUrl(u"http://example.com/$-1,$%3C-1"_s)), u"http://example.com/$-1,$<-1"_s);
}

TEST(LowerForDocument, OnlyLocalFilesAndTheFirstLoadKeepTheTrustGiven)
{
    static_assert(!std::is_default_constructible_v<CommandOrigin> && !std::is_default_constructible_v<NavigationStart>);
    const CommandOrigin local = CommandOrigin::localBookPage();
    EXPECT_EQ(lowerForDocument(local, QUrl(u"file:///book/a.html"_s)), local);
    EXPECT_EQ(lowerForDocument(local, QUrl()), local);
    EXPECT_EQ(lowerForDocument(CommandOrigin::WebPage, QUrl(u"file:///book/a.html"_s)), CommandOrigin::WebPage);
    EXPECT_EQ(lowerForDocument(local, QUrl(u"https://example.com/"_s)), CommandOrigin::WebPage);
    EXPECT_EQ(lowerForDocument(local, QUrl(u"about:blank"_s)), CommandOrigin::WebPage);
}

struct DecisionCase {
    const char *name;
    const char16_t *target;
    NavigationAction action;
    const char16_t *result; // the decision's target, or the page index for SelectPage
    NavigationStart start = NavigationStart::localBookPage();
};

class DecideNavigation : public testing::TestWithParam<DecisionCase> {};

TEST_P(DecideNavigation, InOrder)
{
    NavigationContext context;
    context.pages = {u"/links/a.html"_s, u"http://example.com/b%20c.html"_s, u"/links/d.html"_s};
    context.currentIndex = 2;
    const DecisionCase &c = GetParam();
    const NavigationDecision d = decideNavigation(QString::fromUtf16(c.target), context, c.start);
    EXPECT_EQ(d.action, c.action);
    if (c.action == NavigationAction::SelectPage)
        EXPECT_EQ(QString::number(d.pageIndex), QString::fromUtf16(c.result));
    else
        EXPECT_EQ(d.target, QString::fromUtf16(c.result));
}

using A = NavigationAction;
constexpr auto L = CommandOrigin::localBookPage();
constexpr auto W = CommandOrigin::WebPage;
INSTANTIATE_TEST_SUITE_P(
    Decisions, DecideNavigation,
    testing::Values(
        DecisionCase{"PageOfFullPathLevel", u"/links/a.html", A::SelectPage, u"0"},
        DecisionCase{"EncodedWebEntryOfLevel", u"http://example.com/b c.html", A::SelectPage, u"1"},
        DecisionCase{"CurrentPageNavigates", u"/links/d.html", A::Navigate, u""},
        DecisionCase{"Mwex", u"/book/MWEX/mwex.exe", A::LaunchMwex, u"/book/MWEX/mwex.exe"},
        DecisionCase{"MwexWithDollarIsCommand", u"/book/$mwex.exe", A::RunCommands, u"mwex.exe,"},
        DecisionCase{"MissingProjectGoesOn", u"/book/none.mwx", A::Navigate, u""},
        DecisionCase{"Wave", u"/book/a.wav", A::PlayWave, u"/book/a.wav"},
        DecisionCase{"WaveWithDollarIsCommandList", u"/book/a.wav?$x", A::RunCommands, u"x,"},
        DecisionCase{"WaveAtFirstCharacterIsNoSound", u".wav", A::Navigate, u""},
        DecisionCase{"LocalVideoEvenWithDollar", u"/book/$a.wmv", A::OpenVideo, u"/book/$a.wmv"},
        DecisionCase{"HttpsVideoWholeAddress", u"https://example.com/v/a.mpg", A::OpenWebVideo,
                     u"https://example.com/v/a.mpg"},
        DecisionCase{"CommandListIsDecodedOnceBefore", u"/$LOOK%20cat,$NEXT", A::RunCommands, u"LOOK%20cat,$NEXT,"},
        DecisionCase{"QueryAndFragmentStay", u"/book/a.wav?$x#y", A::RunCommands, u"x#y,"},
        DecisionCase{"ShowAgain", u"/$", A::RunCommands, u","},
        DecisionCase{"DollarOnlyFirstIsNoCommand", u"$NEXT", A::Navigate, u""},
        DecisionCase{"WebCommandLink", u"https://example.com/$NEXT", A::RunCommands, u"NEXT,"},
        DecisionCase{"PlainPage", u"/book/b.html", A::Navigate, u""},
        DecisionCase{"RedirectIntoCommand", u"http://h/$JS a b", A::Refuse, u"http://h/$JS a b", {W, true, true}},
        DecisionCase{"RedirectIntoFile", u"/book/b.html", A::Refuse, u"/book/b.html", {W, true, true}},
        DecisionCase{"RedirectOnTheWeb", u"http://h/b.html", A::Navigate, u"", {W, true, true}},
        DecisionCase{"PageFileNamedLikeACommand", u"/book/1110_$NEXT.html", A::Navigate, u"", {L, true, false, true}},
        DecisionCase{"MailFromALocalPage", u"mailto:a@b", A::OpenMail, u"mailto:a@b"},
        DecisionCase{"FrameCommandLink", u"/$NEXT", A::RunCommands, u"NEXT,", {L, false}},
        DecisionCase{"FrameSoundStaysInTheFrame", u"/book/a.wav", A::Navigate, u"", {L, false}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(DecideNavigation, FolderLevelEntriesNeverHoldAFullPath)
{
    NavigationContext context{{u"1000_a.html"_s, u"1010_b.html"_s}, 0, false};
    EXPECT_EQ(decideNavigation(u"/book/1010_b.html"_s, context, NavigationStart::localBookPage()).action, NavigationAction::Navigate);
}

TEST(DecideNavigation, ExistingProjectOpensOnlyWithMicroWorlds)
{
    QTemporaryDir dir;
    const QString project = testutil::writeBytes(dir.path(), u"p.mwx"_s, "x");
    NavigationContext context;
    EXPECT_EQ(decideNavigation(project, context, NavigationStart::localBookPage()).action, NavigationAction::Navigate);
    context.mwexAvailable = true;
    const NavigationDecision d = decideNavigation(project, context, NavigationStart::localBookPage());
    EXPECT_EQ(d.action, NavigationAction::OpenProject);
    EXPECT_TRUE(d.cancelsNavigation());
}

TEST(LayoutTitle, ReadsPageTitlesOnly)
{
    QTemporaryDir dir;
    const QString doc = u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"_s;
    const QString titled = testutil::writePage(dir.path(), u"1000_a.html"_s,
                                               doc + u"<html><title lang=ja>表紙 TITLE</Title></html>"_s);
    const QString empty = testutil::writePage(dir.path(), u"1010_b.htm"_s, doc + u"<TITLE></TITLE>"_s);
    const QString noDoctype = testutil::writePage(dir.path(), u"c.html"_s, u"<TITLE>題目</TITLE>"_s);
    const QString media = testutil::writeBytes(dir.path(), u"TITLE.avi"_s, "<!DOCTYPE HTML PUBLIC <TITLE>x</TITLE>");
    const QStringList titles = {u"zero"_s, u"&lt;題目&gt;"_s};
    EXPECT_EQ(layoutTitle(titled, titles, 1), u"表紙 TITLE"_s);
    EXPECT_EQ(layoutTitle(empty, titles, 1), u"1010_b"_s);
    EXPECT_EQ(layoutTitle(noDoctype, titles, 1), u""_s);
    EXPECT_EQ(layoutTitle(media, titles, 1), u""_s);
    EXPECT_EQ(layoutTitle(u"https://example.com/"_s, titles, 1), u"<題目>"_s);
    EXPECT_EQ(layoutTitle(u"https://example.com/"_s, titles, 0), u""_s);
    EXPECT_EQ(layoutTitle(u"https://example.com/"_s, titles, 5), u""_s);
}

TEST(IsTitlePageTitle, HoldsTitleOrDaimoku)
{
    EXPECT_TRUE(isTitlePageTitle(u"MY TITLE"_s));
    EXPECT_TRUE(isTitlePageTitle(u"第1章 題目"_s));
    EXPECT_FALSE(isTitlePageTitle(u"Title"_s));
    EXPECT_FALSE(isTitlePageTitle(QString()));
}

} // namespace
