#include "platform/navigationtrail.h"

#include "testutil.h"

#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

// One chain of engine events; each step is "verb kind url" (see run below). The trust the last
// "ask" got and the document's trust at the end are checked.
struct TrailCase {
    const char *name;
    std::vector<const char16_t *> steps;
    CommandOrigin asked;
    CommandOrigin document;
};

class Trail : public testing::TestWithParam<TrailCase> {};

TEST_P(Trail, TrustComesFromWhoStartedTheNavigation)
{
    using K = NavigationTrail::Kind;
    const QHash<QString, K> kinds = {{u"program"_s, K::Program}, {u"link"_s, K::Document}, {u"frame"_s, K::Document},
                                     {u"redirect"_s, K::Redirect}, {u"history"_s, K::History}, {u"reload"_s, K::Reload}, {u"other"_s, K::Other}};
    NavigationTrail trail;
    NavigationStart asked = NavigationStart::web();
    for (const char16_t *step : GetParam().steps) {
        const QStringList w = QString::fromUtf16(step).split(u' ');
        const QUrl url(w.at(2));
        if (w.at(0) == u"request")
            trail.programRequested(url, {w.at(1) == u"web" ? CommandOrigin::WebPage : CommandOrigin::localBookPage()});
        else if (w.at(0) == u"load")
            trail.loaded(url);
        else if (w.at(0) == u"end")
            trail.ended(url);
        else {
            asked = trail.startOf(url, kinds.value(w.at(1)), w.at(1) != u"frame");
            trail.accepted(url, asked);
        }
    }
    EXPECT_EQ(asked.origin, GetParam().asked);
    EXPECT_EQ(trail.documentOrigin(), GetParam().document);
}

constexpr auto L = CommandOrigin::localBookPage();
constexpr auto W = CommandOrigin::WebPage;

INSTANTIATE_TEST_SUITE_P(
    Chains, Trail,
    testing::Values(
        TrailCase{"LocalLevelPage", {u"request local file:///b/a.html", u"ask program file:///b/a.html", u"load - file:///b/a.html",
                                     u"ask link file:///$JS"}, L, L},
        TrailCase{"LocalPageEscapedOtherwise", {u"request local file:///b/a%7Cb%5E.html", u"ask program file:///b/a|b^.html",
                                                u"load - file:///b/a|b^.html"}, L, L},
        TrailCase{"PageOfAWebLevel", {u"request web file:///b/a.html", u"ask program file:///b/a.html", u"load - file:///b/a.html",
                                      u"ask link file:///$JS"}, W, W},
        TrailCase{"WebAddressOfALocalLevel", {u"request local http://h/a.html", u"ask program http://h/a.html"}, W, W},
        TrailCase{"LoadNobodyAskedFor", {u"ask program file:///b/a.html", u"load - file:///b/a.html"}, W, W},
        TrailCase{"RedirectOfALocalPageLink", {u"load - about:blank", u"request local file:///b/a.html",
                                               u"ask program file:///b/a.html", u"load - file:///b/a.html",
                                               u"ask link http://h/r", u"ask redirect file:///$JS"}, W, W},
        TrailCase{"ScriptOfAWebPageStillLoading", {u"request local file:///b/a.html", u"ask program file:///b/a.html",
                                                   u"load - file:///b/a.html", u"ask link http://h/x",
                                                   u"ask frame file:///$JS"}, W, W},
        TrailCase{"FailedWebLoadLeavesTheLocalPage", {u"request local file:///b/a.html", u"ask program file:///b/a.html",
                                                      u"load - file:///b/a.html", u"ask link http://h/x", u"end - http://h/x",
                                                      u"ask frame file:///b/$NEXT"}, L, L},
        TrailCase{"BackIntoAPageShownForTheWeb", {u"request web file:///e/a.html", u"ask program file:///e/a.html",
                                                   u"load - file:///e/a.html", u"request local file:///b/a.html",
                                                   u"ask program file:///b/a.html", u"load - file:///b/a.html",
                                                   u"ask history file:///e/a.html", u"load - file:///e/a.html"}, W, W},
        TrailCase{"RefreshOfALocalPageTurnsIt", {u"request local file:///b/a.html", u"ask program file:///b/a.html",
                                                 u"load - file:///b/a.html", u"ask redirect file:///$NEXT"}, L, L},
        TrailCase{"DropOnALocalPage", {u"request local file:///b/a.html", u"ask program file:///b/a.html", u"load - file:///b/a.html", u"ask other file:///b/$JS"}, W, W},
        TrailCase{"ReloadOfALocalPage", {u"request local file:///b/a.html", u"ask program file:///b/a.html",
                                         u"load - file:///b/a.html", u"ask reload file:///b/a.html"}, L, L}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
