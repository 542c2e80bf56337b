// The footnote memo that follows the page shown: its file, when the window switches, and what
// happens to a memo that cannot be stored.
#include "book/pagememo.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using Action = MemoSyncOutcome::Action;

namespace {

struct PathCase {
    const char *name;
    QString reference;
    QString memo;
};

class MemoPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(MemoPathTest, CompanionInTopFolder)
{
    EXPECT_EQ(pageMemoPath(QStringLiteral("/book/unit/"), GetParam().reference), GetParam().memo);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MemoPathTest,
    ::testing::Values(PathCase{"BareName", QStringLiteral("1010_葉.html"), QStringLiteral("/book/unit/1010_葉.txt")},
                      PathCase{"LastSegmentOfUrl", QStringLiteral("file:///other/p.htm"), QStringLiteral("/book/unit/p.txt")},
                      PathCase{"LastDotOnly", QStringLiteral("a.b.html"), QStringLiteral("/book/unit/a.b.txt")},
                      PathCase{"NoExtensionAdded", QStringLiteral("readme"), QStringLiteral("/book/unit/readme.txt")},
                      PathCase{"BackslashPathKeptBelowTop", QStringLiteral("sub\\p.html"), QStringLiteral("/book/unit/sub/p.txt")},
                      PathCase{"DotInFolderNotExtension", QStringLiteral("sub.d\\page"), QStringLiteral("/book/unit/sub.d/page.txt")},
                      PathCase{"SearchResultKeepsItsFolder", QStringLiteral("sub/p.html"), QStringLiteral("/book/unit/sub/p.txt")},
                      PathCase{"AbsolutePathLastSegment", QStringLiteral("/other/q.html"), QStringLiteral("/book/unit/q.txt")},
                      PathCase{"WebAddressLastSegment", QStringLiteral("https://example.org/a/r.html"), QStringLiteral("/book/unit/r.txt")}),
    [](const auto &row) { return std::string(row.param.name); });

class MemoSyncTest : public ::testing::Test {
protected:
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(MemoSyncTest, HiddenWindowFollowsWithoutWriting)
{
    testutil::writePage(dir.path(), QStringLiteral("b.txt"), QStringLiteral("second memo\n"));
    const MemoSyncOutcome o = syncPageMemo(file(QStringLiteral("b.txt")), {false, file(QStringLiteral("a.txt")), QStringLiteral("typed"), false});
    EXPECT_EQ(o.action, Action::Switch);
    EXPECT_EQ(o.path, file(QStringLiteral("b.txt")));
    EXPECT_EQ(o.text, QStringLiteral("second memo\r\n"));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("a.txt"))));
}

TEST_F(MemoSyncTest, ShownWindowStoresThenSwitches)
{
    const MemoSyncOutcome o =
        syncPageMemo(file(QStringLiteral("b.txt")), {true, file(QStringLiteral("a.txt")), QStringLiteral("葉の観察"), false});
    EXPECT_EQ(o.action, Action::Switch);
    EXPECT_EQ(o.text, QString()); // b.txt does not exist
    EXPECT_TRUE(o.readable);
    EXPECT_EQ(testutil::readBytes(file(QStringLiteral("a.txt"))), QByteArray("\xEF\xBB\xBF") + QStringLiteral("葉の観察\r\n").toUtf8());
}

TEST_F(MemoSyncTest, SameFileClosesShownWindow)
{
    const QString a = file(QStringLiteral("a.txt"));
    EXPECT_EQ(syncPageMemo(a, {true, a, QStringLiteral("x"), false}).action, Action::Close);
    EXPECT_EQ(syncPageMemo(a, {false, a, QStringLiteral("x"), false}).action, Action::None);
    EXPECT_FALSE(QFile::exists(a)); // the close itself stores, not the sync
}

TEST_F(MemoSyncTest, ShownWindowWithoutFileTakesPageMemoAndCloses)
{
    const MemoSyncOutcome o = syncPageMemo(file(QStringLiteral("a.txt")), {true, QString(), QStringLiteral("x"), false});
    EXPECT_EQ(o.action, Action::Close);
    EXPECT_EQ(o.path, file(QStringLiteral("a.txt")));
}

TEST_F(MemoSyncTest, FailedStoreBlocksSwitchUntilDropped)
{
    const QString gone = dir.filePath(QStringLiteral("removed/a.txt"));
    const MemoWindowState window{true, gone, QStringLiteral("大事なメモ"), false};
    const MemoSyncOutcome blocked = syncPageMemo(file(QStringLiteral("b.txt")), window);
    EXPECT_EQ(blocked.action, Action::Blocked);
    EXPECT_EQ(blocked.path, gone);
    EXPECT_EQ(blocked.text, QStringLiteral("大事なメモ"));
    EXPECT_TRUE(blocked.error.contains(gone));

    const MemoSyncOutcome dropped = syncPageMemo(file(QStringLiteral("b.txt")), window, true);
    EXPECT_EQ(dropped.action, Action::Switch);
    EXPECT_EQ(dropped.path, file(QStringLiteral("b.txt")));
}

TEST_F(MemoSyncTest, UnreadMemoFileIsLeftAlone)
{
    // A memo path that names a folder exists but cannot be read: its text is unknown.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("odd.txt")));
    const MemoSyncOutcome in = syncPageMemo(file(QStringLiteral("odd.txt")), {false, QString(), QString(), false});
    EXPECT_EQ(in.action, Action::Switch);
    EXPECT_FALSE(in.readable);
    EXPECT_FALSE(in.error.isEmpty());
    // Leaving it unedited writes nothing there, so the shown memo switches without a failure.
    const MemoSyncOutcome out = syncPageMemo(file(QStringLiteral("b.txt")), {true, file(QStringLiteral("odd.txt")), QString(), true});
    EXPECT_EQ(out.action, Action::Switch);
}

struct SaveCase {
    const char *name;
    QString text;
    QByteArray bytes;
};

class MemoSaveTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(MemoSaveTest, Utf8WithBomAndCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.txt"));
    ASSERT_TRUE(saveMemoFile(path, GetParam().text).ok);
    EXPECT_EQ(testutil::readBytes(path), QByteArray("\xEF\xBB\xBF") + GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Rules, MemoSaveTest,
                         ::testing::Values(SaveCase{"EmptyMemoOnlyBom", QString(), QByteArray()},
                                           SaveCase{"LastLineGetsLineEnd", QStringLiteral("a\nb"), QByteArray("a\r\nb\r\n")},
                                           SaveCase{"EndingLineEndKept", QStringLiteral("a\n"), QByteArray("a\r\n")},
                                           SaveCase{"EmptyLinesKept", QStringLiteral("a\n\nb"), QByteArray("a\r\n\r\nb\r\n")}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(MemoSave, EmptyPathIsFailure)
{
    const WriteResult r = saveMemoFile(QString(), QStringLiteral("x"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

struct ButtonCase {
    const char *name;
    int pages;
    bool right;
    bool shown;
    MemoButtonAction action;
};

class MemoButtonTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(MemoButtonTest, OpensOrCloses)
{
    const ButtonCase &c = GetParam();
    EXPECT_EQ(memoButtonAction(c.pages, c.right, c.shown), c.action);
}

INSTANTIATE_TEST_SUITE_P(Rules, MemoButtonTest,
                         ::testing::Values(ButtonCase{"NoPagesNothing", 0, false, false, MemoButtonAction::None},
                                           ButtonCase{"LeftWhileHiddenOpens", 3, false, false, MemoButtonAction::SyncAndShow},
                                           ButtonCase{"LeftWhileShownCloses", 3, false, true, MemoButtonAction::Close},
                                           ButtonCase{"RightCloses", 3, true, false, MemoButtonAction::Close}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
