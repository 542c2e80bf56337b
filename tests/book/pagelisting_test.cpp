#include "book/bookfilereader.h"
#include "book/levelstack.h"
#include "book/pagelisting.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct ListingCase {
    const char *name;
    QStringList files;  // "name", or "name->target" (a link), "name|fifo", "name|folder", "name|big", "name|sjis"
    QStringList expectedPages;
    QStringList told = {};  // names the first listing tells of; the next listing tells nothing
};

void makeEntry(const QString &folder, const QString &entry)
{
    const qsizetype arrow = entry.indexOf(u"->"_s);
    const QString name = entry.section(u'|', 0, 0).section(u"->"_s, 0, 0);
    const QString kind = entry.section(u'|', 1);
    const QString path = QDir(folder).filePath(name);
    if (arrow > 0) {
        QFile::link(entry.mid(arrow + 2), path);
    } else if (kind == u"fifo"_s) {
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
    } else if (kind == u"folder"_s) {
        QDir(folder).mkdir(name);
    } else if (kind == u"big"_s) {
        QFile file(testutil::writeBytes(folder, name, "x"));
        file.resize(bookFileSizeCap(BookFileKind::Page) + 1);  // sparse: costs no disk
    } else if (kind == u"sjis"_s) {
        const QByteArray raw = QFile::encodeName(folder) + '/' + QByteArray(QStringEncoder("windows-31j").encode(name));
        ::close(::open(raw.constData(), O_CREAT | O_WRONLY, 0600));
    } else {
        testutil::writeBytes(folder, name, "x");
    }
}

} // namespace

class PageListingTest : public ::testing::TestWithParam<ListingCase> {};

// Through the level stack as the main window opens a folder: a special file is never read, and
// what is left out is told once.
TEST_P(PageListingTest, OrdersPagesOfAFolder)
{
    const ListingCase &c = GetParam();
    QTemporaryDir dir;
    for (const QString &f : c.files)
        makeEntry(dir.path(), f);
    testutil::BookLevels levels;
    levels.openLevel(dir.path(), 0, true);
    EXPECT_EQ(levels.pageList(), c.expectedPages);
    const QString notice = levels.takeListingNotice();
    for (const QString &name : c.told)
        EXPECT_TRUE(notice.contains(name)) << notice.toStdString();
    EXPECT_EQ(notice.isEmpty(), c.told.isEmpty()) << notice.toStdString();
    levels.openLevel(dir.path(), 0, false);
    EXPECT_EQ(levels.takeListingNotice(), QString());

    // Read on a thread of its own at start-up and taken as the first level: the same level, told
    // the same; a stack that has a level already, or another folder, takes nothing.
    testutil::BookLevels first;
    ReadLevel read = readRootLevel(dir.path());
    EXPECT_FALSE(levels.openReadLevel(read, dir.path(), 0, CommandOrigin::localBookPage()));
    EXPECT_FALSE(first.openReadLevel(read, dir.filePath(u"other"_s), 0, CommandOrigin::localBookPage()));
    ASSERT_TRUE(first.openReadLevel(std::move(read), dir.path(), 0, CommandOrigin::localBookPage()));
    EXPECT_EQ(first.pageList(), levels.pageList());
    EXPECT_EQ(first.titleList(), levels.titleList());
    EXPECT_EQ(first.topFolder(), levels.topFolder());
    EXPECT_EQ(first.takeListingNotice(), notice);
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
        ListingCase{"EmptyFolderNoPages", {}, {}},
        ListingCase{"DevicePipeAndFolderNeverRead",
                    {u"a.html"_s, u"zero.html->/dev/zero"_s, u"pipe.html|fifo"_s, u"sub.html|folder"_s},
                    {u"a.html"_s}, {u"zero.html"_s, u"pipe.html"_s, u"sub.html"_s}},
        ListingCase{"PageOverTheCapListedByName", {u"big.html|big"_s, u"a.html"_s}, {u"a.html"_s, u"big.html"_s},
                    {u"big.html"_s}},
        ListingCase{"ShiftJisNameTold", {u"ねこ.html|sjis"_s, u"a.html"_s}, {u"a.html"_s}, {u"ねこ.html"_s}},
        ListingCase{"BrokenLinkLeftOutQuietly", {u"gone.html->nowhere.html"_s, u"a.html"_s}, {u"a.html"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

// The quick comparison of ASCII names sorts exactly as Qt's case-insensitive compare, also where
// a name goes on with letters that fold to ASCII (the Kelvin sign, the long s) or with kana.
TEST(PageListing, NameOrderIsQtsCaseInsensitiveOrder)
{
    QStringList names{u"b.html"_s, u"B.html"_s, u"a_B.htm"_s, u"A_b.htm"_s, u"k.html"_s, u"\u212A.html"_s, u"K.html"_s,
                      u"s1.html"_s, u"\u017F2.html"_s, u"S3.html"_s, u"\u00E4.html"_s, u"\u00C4.html"_s, u"[x].html"_s,
                      u"_x.html"_s, u"10.html"_s, u"1.html"_s, u"1.htm"_s, u"abc"_s, u"ABC"_s, u"ab"_s, u"abcd"_s,
                      u"ページ.html"_s, u"ぺーじ.html"_s, u"x\U0001D400.html"_s, u"X\U0001D401.html"_s, u"xK.html"_s, u"X\u212A.html"_s};
    QStringList expected = names;
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    for (int shuffle = 0; shuffle < 20; ++shuffle) {
        std::rotate(names.begin(), names.begin() + 7, names.end());
        std::swap(names[shuffle % names.size()], names[(shuffle * 5) % names.size()]);
        QStringList sorted = names;
        sortNamesCaseInsensitive(sorted);
        EXPECT_EQ(sorted, expected);
    }
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
