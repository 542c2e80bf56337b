#include "book/webcommandlist.h"

#include "testutil.h"

#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

using Action = LinkPageDecision::Action;

TEST(KeepWebAddressesOfWebPage, LinksOfAWebPageLeadOnlyToTheWeb)
{
    LinkPageDecision follow;
    follow.action = Action::Follow;
    follow.origin = CommandOrigin::WebPage;
    const struct {
        const char *name;
        const char16_t *followUrl;
        Action action;
    } rows[] = {{"LocalFile", u"file:///book/links.html", Action::RefusedFromWebPage},
                {"Program", u"file:///book/MWEX/mwex.exe", Action::RefusedFromWebPage},
                {"Script", u"javascript:location='file:///$JS%20a%20b'", Action::RefusedFromWebPage},
                {"Web", u"https://example.com/a.html", Action::Follow}};
    for (const auto &row : rows) {
        follow.followUrl = QString::fromUtf16(row.followUrl);
        EXPECT_EQ(keepWebAddressesOfWebPage(follow).action, row.action) << row.name;
    }

    LinkPageDecision level;
    level.action = Action::NewLevel;
    level.origin = CommandOrigin::WebPage;
    level.pages = {u"file:///etc/hostname"_s, u"http://h/a.html"_s, u"javascript:x"_s, u"http://h/$NEXT"_s};
    level.titles = {u"host"_s, u"a"_s, u"x"_s, u"next"_s};
    const LinkPageDecision kept = keepWebAddressesOfWebPage(level);
    EXPECT_EQ(kept.pages, (QStringList{u"http://h/a.html"_s, u"http://h/$NEXT"_s}));
    EXPECT_EQ(kept.titles, (QStringList{u"a"_s, u"next"_s}));
    level.origin = CommandOrigin::localBookPage();
    EXPECT_EQ(keepWebAddressesOfWebPage(level).pages, level.pages);
}

} // namespace
