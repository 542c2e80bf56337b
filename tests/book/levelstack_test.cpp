#include "book/levelstack.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

const QString docType = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n");

QString titledPage(const QString &title)
{
    return docType + QStringLiteral("<HTML><HEAD><TITLE>") + title + QStringLiteral("</TITLE></HEAD></HTML>\n");
}

// A book folder with three pages and a subfolder "sub" with one.
class LevelStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        book = dir.path();
        testutil::writePage(book, QStringLiteral("index.html"), titledPage(QStringLiteral("表紙")));
        testutil::writePage(book, QStringLiteral("1010_a.html"), titledPage(QStringLiteral("一")));
        testutil::writePage(book, QStringLiteral("1020_b.html"), titledPage(QStringLiteral("二")));
        testutil::writePage(book, QStringLiteral("sub/x.html"), titledPage(QStringLiteral("下")));
    }
    QTemporaryDir dir;
    QString book;
    testutil::BookLevels levels;
};

} // namespace

TEST(LevelStackEmpty, NoLevelGivesMinusOneAndZero)
{
    testutil::BookLevels levels;
    EXPECT_EQ(levels.pageIndex(), -1);
    EXPECT_EQ(levels.pageCount(), 0);
    EXPECT_EQ(levels.topFolder(), QString());
    levels.setPageIndex(3);  // nothing to store it in
    levels.closeLevel();
    EXPECT_EQ(levels.pageIndex(), -1);
    EXPECT_EQ(levels.depth(), 0);
    EXPECT_EQ(levels.currentPageReference(), QString());
}

TEST_F(LevelStackTest, OpensRootWithPagesTitlesIndexAndFolder)
{
    EXPECT_TRUE(levels.openLevel(book, 2, true));
    EXPECT_EQ(levels.pageList(), (QStringList{u"index.html"_s, u"1010_a.html"_s, u"1020_b.html"_s}));
    EXPECT_EQ(levels.titleList(), (QStringList{u"表紙"_s, u"一"_s, u"二"_s}));
    EXPECT_EQ(levels.pageIndex(), 2);
    EXPECT_EQ(levels.topFolder(), book + QLatin1Char('/'));
    EXPECT_EQ(levels.currentPageReference(), QStringLiteral("1020_b.html"));
}

TEST_F(LevelStackTest, CloseAtRootKeepsLevelAndSetsPageZero)
{
    levels.openLevel(book, 2, true);
    levels.closeLevel();
    EXPECT_EQ(levels.depth(), 1);
    EXPECT_EQ(levels.pageIndex(), 0);
    EXPECT_EQ(levels.pageCount(), 3);
}

TEST_F(LevelStackTest, PushAndCloseReturnToCallingLevel)
{
    levels.openLevel(book, 1, true);
    levels.openLevel(book + QStringLiteral("/sub"), 0, true);
    EXPECT_EQ(levels.depth(), 2);
    EXPECT_EQ(levels.topFolder(), book + QStringLiteral("/sub/"));
    EXPECT_EQ(levels.titleList(), QStringList{u"下"_s});
    EXPECT_EQ(levels.pageIndexAt(0), 1);
    levels.closeLevel();
    EXPECT_EQ(levels.depth(), 1);
    EXPECT_EQ(levels.pageIndex(), 1);
    EXPECT_EQ(levels.topFolder(), book + QLatin1Char('/'));
}

TEST_F(LevelStackTest, ReplaceReadsTopLevelAgain)
{
    levels.openLevel(book, 0, true);
    testutil::writePage(book, QStringLiteral("1030_c.html"), titledPage(QStringLiteral("三")));
    levels.openLevel(levels.topFolder(), 1, false);
    EXPECT_EQ(levels.depth(), 1);
    EXPECT_EQ(levels.pageCount(), 4);
    EXPECT_EQ(levels.title(3), QStringLiteral("三"));
    EXPECT_EQ(levels.pageIndex(), 1);
}

TEST_F(LevelStackTest, MissingFolderIsCreated)
{
    levels.openLevel(book, 0, true);
    EXPECT_TRUE(levels.openLevel(book + QStringLiteral("/new"), 0, true));
    EXPECT_TRUE(QDir(book + QStringLiteral("/new")).exists());
    EXPECT_EQ(levels.pageCount(), 0);
    EXPECT_EQ(levels.topFolder(), book + QStringLiteral("/new/"));
}

TEST_F(LevelStackTest, LevelsAWebPageAskedForKeepWebTrustAndCreateNothing)
{
    levels.openLevel(book, 0, true);
    levels.openLevel(book + QStringLiteral("/made"), 0, true, CommandOrigin::WebPage);
    EXPECT_FALSE(QDir(book + QStringLiteral("/made")).exists());
    levels.openLevel(levels.topFolder(), 0, false); // a reload in place keeps the trust it had
    EXPECT_EQ(levels.topOrigin(), CommandOrigin::WebPage);
    levels.pushLevel({QStringLiteral("a.html")}, {}, 0, book, CommandOrigin::WebPage);
    levels.closeLevel();
    levels.closeLevel();
    EXPECT_EQ(levels.topOrigin(), CommandOrigin::localBookPage());
}

TEST_F(LevelStackTest, FolderThatCannotBeEnteredKeepsPreviousListing)
{
    levels.openLevel(book, 0, true);
    EXPECT_FALSE(levels.openLevel(book + QStringLiteral("/no/such/deep"), 0, true));
    EXPECT_EQ(levels.depth(), 2);
    EXPECT_EQ(levels.topFolder(), book + QLatin1Char('/'));
    EXPECT_EQ(levels.pageCount(), 3);
}

TEST_F(LevelStackTest, NeverChangesCurrentDirectory)
{
    const QString before = QDir::currentPath();
    levels.openLevel(book, 0, true);
    levels.openLevel(book + QStringLiteral("/sub"), 0, true);
    levels.closeLevel();
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(LevelStackTest, PushedLevelsAndCloseToRoot)
{
    levels.openLevel(book, 2, true);
    levels.pushLevel({QStringLiteral("https://example.org/a.html"), QStringLiteral("1010_a.html")},
                     {QStringLiteral("外"), QStringLiteral("一")}, 0, book);
    EXPECT_EQ(levels.topFolder(), book + QLatin1Char('/'));
    levels.pushLevel(levels.pageList(), levels.titleList(), 1, levels.topFolder());
    EXPECT_EQ(levels.depth(), 3);
    EXPECT_EQ(levels.pageIndex(), 1);
    levels.closeToRoot();
    EXPECT_EQ(levels.depth(), 1);
    EXPECT_EQ(levels.pageIndex(), 2);
}

TEST_F(LevelStackTest, ClearEmptiesEveryStack)
{
    levels.openLevel(book, 0, true);
    levels.clear();
    EXPECT_EQ(levels.depth(), 0);
    EXPECT_EQ(levels.pageIndex(), -1);
    EXPECT_EQ(levels.topFolder(), QString());
}

TEST_F(LevelStackTest, WrapPageIndexBeyondLastPage)
{
    levels.openLevel(book, 7, true);
    EXPECT_EQ(levels.wrapPageIndex(), 0);
    levels.setPageIndex(2);
    EXPECT_EQ(levels.wrapPageIndex(), 2);
}

TEST_F(LevelStackTest, OpeningClearsStaleTitles)
{
    levels.setTitlesStale(true);
    levels.openLevel(book, 0, true);
    EXPECT_FALSE(levels.titlesStale());
}

struct TiteleLoadCase {
    const char *name;
    int index;
    QString currentUrl;
    bool removeFile;
    TitleLoadResult::Status status;
    QString title;
};

class TiteleLoadTest : public LevelStackTest, public ::testing::WithParamInterface<TiteleLoadCase> {};

TEST_P(TiteleLoadTest, ReReadsOneTitle)
{
    const TiteleLoadCase &c = GetParam();
    levels.openLevel(book, 0, true);
    testutil::writePage(book, QStringLiteral("1010_a.html"), titledPage(QStringLiteral("改")));
    if (c.removeFile)
        QFile::remove(book + QStringLiteral("/1010_a.html"));
    const TitleLoadResult result = levels.titeleLoad(c.index, c.currentUrl);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.error.isEmpty(), c.status != TitleLoadResult::Status::ReadError);
    EXPECT_EQ(levels.title(1), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TiteleLoadTest,
    ::testing::Values(
        TiteleLoadCase{"LocalPageReRead", 1, QStringLiteral("file:///b/1010_a.html"), false,
                       TitleLoadResult::Status::Loaded, QStringLiteral("改")},
        TiteleLoadCase{"HttpPageShownSkips", 1, QStringLiteral("http://example.org/"), false,
                       TitleLoadResult::Status::Skipped, QStringLiteral("一")},
        TiteleLoadCase{"HttpsPageShownSkips", 1, QStringLiteral("https://example.org/"), false,
                       TitleLoadResult::Status::Skipped, QStringLiteral("一")},
        TiteleLoadCase{"NegativeIndexSkips", -1, QString(), false, TitleLoadResult::Status::Skipped,
                       QStringLiteral("一")},
        TiteleLoadCase{"IndexBeyondLevelSkips", 9, QString(), false, TitleLoadResult::Status::Skipped,
                       QStringLiteral("一")},
        TiteleLoadCase{"MissingFileIsReadError", 1, QString(), true, TitleLoadResult::Status::ReadError,
                       QStringLiteral("一")}),
    [](const auto &row) { return std::string(row.param.name); });
