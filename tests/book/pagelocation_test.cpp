#include "book/pagelocation.h"

#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

struct LocationCase {
    const char *name;
    QString ref;
    QString path;
    QString url;
    bool web;
};

class ShowPagePathTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(ShowPagePathTest, LocatesPage)
{
    const LocationCase &c = GetParam();
    const PageLocation loc = locatePage(c.ref, QStringLiteral("/book/sub/"), QStringLiteral("/book/previous.html"));
    EXPECT_EQ(loc.path, c.path);
    EXPECT_EQ(loc.url, c.url);
    EXPECT_EQ(loc.web, c.web);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ShowPagePathTest,
    ::testing::Values(
        LocationCase{"HttpUnchangedPathKept", QStringLiteral("http://example.org/a.html"),
                     QStringLiteral("/book/previous.html"), QStringLiteral("http://example.org/a.html"), true},
        LocationCase{"HttpsIsWebToo", QStringLiteral("https://example.org/a.html"),
                     QStringLiteral("/book/previous.html"), QStringLiteral("https://example.org/a.html"), true},
        LocationCase{"AbsolutePath", QStringLiteral("/other/1010_a.html"), QStringLiteral("/other/1010_a.html"),
                     QStringLiteral("file:///other/1010_a.html"), false},
        LocationCase{"FileUrl", QStringLiteral("file:///other/my%20page.html"), QStringLiteral("/other/my page.html"),
                     QStringLiteral("file:///other/my page.html"), false},
        LocationCase{"BareNameJoinedToTopFolder", QStringLiteral("1010_a.html"), QStringLiteral("/book/sub/1010_a.html"),
                     QStringLiteral("file:///book/sub/1010_a.html"), false},
        LocationCase{"BackslashesFromBookContent", QStringLiteral("deep\\x.html"), QStringLiteral("/book/sub/deep/x.html"),
                     QStringLiteral("file:///book/sub/deep/x.html"), false},
        LocationCase{"ColonInBareNameIsNoScheme", QStringLiteral("note:1.html"), QStringLiteral("/book/sub/note:1.html"),
                     QStringLiteral("file:///book/sub/note:1.html"), false},
        LocationCase{"DriveLetterInBareNameIsNoDrive", QStringLiteral("C:x.html"), QStringLiteral("/book/sub/C:x.html"),
                     QStringLiteral("file:///book/sub/C:x.html"), false},
        LocationCase{"JapaneseName", QStringLiteral("歴史.html"), QStringLiteral("/book/sub/歴史.html"),
                     QStringLiteral("file:///book/sub/歴史.html"), false}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PageFilePath, WebReferenceHasNoFile)
{
    EXPECT_FALSE(pageFilePath(QStringLiteral("HTTP://x/a.html"), QStringLiteral("/b/")).has_value());
    EXPECT_EQ(pageFilePath(QStringLiteral("sub/a.html"), QStringLiteral("/b/")).value(), QStringLiteral("/b/sub/a.html"));
}
