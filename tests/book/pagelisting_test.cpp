#include "book/levelstack.h"
#include "book/pagelisting.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct ListingCase {
    const char *name;
    QStringList files;
    QStringList expectedPages;
};

QStringList listedPages(const QStringList &files)
{
    QTemporaryDir dir;
    for (const QString &f : files)
        testutil::writeBytes(dir.path(), f, "x");
    testutil::BookLevels levels;
    levels.openLevel(dir.path(), 0, true);
    return levels.pageList();
}

} // namespace

class PageListingTest : public ::testing::TestWithParam<ListingCase> {};

TEST_P(PageListingTest, OrdersPagesOfAFolder)
{
    EXPECT_EQ(listedPages(GetParam().files), GetParam().expectedPages);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PageListingTest,
    ::testing::Values(
        ListingCase{"ExactIndexFirstThenCaseInsensitiveOrder",
                    {u"index.htm"_s, u"Index.html"_s, u"a.html"_s, u"_b.html"_s, u"c.htm_"_s, u"d.html$"_s, u"e.HTML"_s},
                    {u"index.htm"_s, u"a.html"_s, u"e.HTML"_s, u"Index.html"_s}},
        ListingCase{"TwoIndexPagesBothFirstInListOrder",
                    {u"b.html"_s, u"index.html"_s, u"index.htm"_s},
                    {u"index.htm"_s, u"index.html"_s, u"b.html"_s}},
        ListingCase{"IndexWithExcludedExtensionIsNoPage", {u"index.htm_"_s, u"index.htm$"_s, u"a.htm"_s}, {u"a.htm"_s}},
        ListingCase{"UnderscoreNamesNeverPages", {u"_index.html"_s, u"_help.html"_s, u"x.htm"_s}, {u"x.htm"_s}},
        ListingCase{"LongerHtmExtensionsArePages", {u"a.htmx"_s, u"b.HTM"_s, u"c.xhtml"_s, u"d.htm.bak"_s, u"e.txt"_s},
                    {u"a.htmx"_s, u"b.HTM"_s}},
        ListingCase{"HiddenFilesLeftOut", {u".hidden.html"_s, u"shown.html"_s}, {u"shown.html"_s}},
        ListingCase{"NumberedPagesInNameOrder", {u"1020_b.html"_s, u"1010_a.html"_s, u"1100_c.html"_s},
                    {u"1010_a.html"_s, u"1020_b.html"_s, u"1100_c.html"_s}},
        ListingCase{"EmptyFolderNoPages", {}, {}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PageListing, FoldersNamedLikePagesAreNoPages)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("sub.html"));
    testutil::writeBytes(dir.path(), QStringLiteral("a.html"), "x");
    EXPECT_EQ(listPageFiles(dir.path()).value(), QStringList{QStringLiteral("a.html")});
}

TEST(PageListing, UnreadableFolderGivesNoListing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(listPageFiles(dir.filePath(QStringLiteral("missing"))).has_value());
}

TEST(PageListing, LevelFolderEndsWithSlash)
{
    EXPECT_EQ(levelFolderPath(QStringLiteral("/tmp/a/../b")), QStringLiteral("/tmp/b/"));
    EXPECT_EQ(levelFolderPath(QStringLiteral("/tmp/b/")), QStringLiteral("/tmp/b/"));
}
