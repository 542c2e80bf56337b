#include "commands/textfile.h"

#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QProcess>

#include <unistd.h>

using namespace sorvek;

namespace {

QByteArray sjis(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

TEST(PageWriter, EveryLineEndsWithCrLfAfterByteOrderMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    ASSERT_TRUE(writePageText(path, QStringLiteral("A\rB\nC\r\n\rD")).ok);
    EXPECT_EQ(testutil::readBytes(path), QByteArray("\xEF\xBB\xBF" "A\r\nB\r\nC\r\n\r\nD\r\n"));
}

TEST(PageWriter, FinalBreakAddsNoEmptyLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    ASSERT_TRUE(writePageText(path, QStringLiteral("A\rB\r")).ok);
    EXPECT_EQ(testutil::readBytes(path), QByteArray("\xEF\xBB\xBF" "A\r\nB\r\n"));
    ASSERT_TRUE(writePageText(path, QStringLiteral("A\r\r")).ok);
    EXPECT_EQ(testutil::readBytes(path), QByteArray("\xEF\xBB\xBF" "A\r\n\r\n"));
}

TEST(PageWriter, JapaneseTextRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ページ.html"));
    const QString text = QStringLiteral("<TITLE>どうぶつ#ねこ?絵</TITLE>");
    ASSERT_TRUE(writePageText(path, text).ok);
    const ReadResult read = readPageText(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.text, text + QStringLiteral("\r\n"));
}

TEST(PageWriter, ReadOnlyFolderLeavesOldFileWholeAndReportsFailure)
{
    QTemporaryDir dir;
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("sub/p.html"), "old");
    const QString sub = dir.filePath(QStringLiteral("sub"));
    if (!testutil::makeFolderReadOnly(sub))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const WriteResult result = writePageText(path, QStringLiteral("new"));
    testutil::restoreFolder(sub);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(path));
    EXPECT_EQ(testutil::readBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files).size(), 1);
}

// A full disk in the middle of a write: the old page stays whole and the write is reported.
TEST(PageWriter, FullDiskKeepsOldPageWhole)
{
    QTemporaryDir dir;
    const QString mountPoint = dir.filePath(QStringLiteral("small"));
    QDir().mkpath(mountPoint);
    if (geteuid() != 0
        || QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                       QStringLiteral("size=16k"), QStringLiteral("tmpfs"), mountPoint}) != 0)
        GTEST_SKIP() << "cannot mount a small file system here";
    const QString path = mountPoint + QStringLiteral("/p.html");
    const QByteArray old("\xEF\xBB\xBFold page\r\n");
    testutil::writeBytes(mountPoint, QStringLiteral("p.html"), old);
    const WriteResult result = writePageText(path, QString(40000, QChar(0x3042)));
    const QByteArray after = testutil::readBytes(path);
    const QStringList leftovers = QDir(mountPoint).entryList(QDir::Files | QDir::Hidden);
    QProcess::execute(QStringLiteral("umount"), {mountPoint});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(after, old);
    EXPECT_EQ(leftovers, QStringList{QStringLiteral("p.html")});
}

TEST(PageWriter, MissingFolderIsReportedNotCreated)
{
    QTemporaryDir dir;
    const WriteResult result = writePageText(dir.filePath(QStringLiteral("gone/p.html")), QStringLiteral("x"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("gone"))));
}

TEST(PageWriter, TargetThatIsAFolderIsReported)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("p.html"));
    EXPECT_FALSE(writePageText(dir.filePath(QStringLiteral("p.html")), QStringLiteral("x")).ok);
}

TEST(CodePageFiles, WriteAndReadCodePage932)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("v.txt"));
    ASSERT_TRUE(writeCodePageLines(path, {QStringLiteral("名前=\"花子\""), QStringLiteral("x=1")}).ok);
    EXPECT_EQ(testutil::readBytes(path), sjis(QStringLiteral("名前=\"花子\"\r\nx=1\r\n")));
    const ReadResult read = readCodePageText(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.text, QStringLiteral("名前=\"花子\"\r\nx=1\r\n"));
}

TEST(CodePageFiles, ByteOrderMarkOverridesCodePage)
{
    QTemporaryDir dir;
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("u.txt"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("花").toUtf8());
    EXPECT_EQ(readCodePageText(path).text, QStringLiteral("花"));
}

TEST(CodePageFiles, MissingFileIsAnError)
{
    QTemporaryDir dir;
    const ReadResult read = readCodePageText(dir.filePath(QStringLiteral("none.txt")));
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.error.isEmpty());
}

struct MigrationCase {
    const char *name;
    const char *declaration;
    const char *expectedHead;
};

class ShiftJisMigrationTest : public ::testing::TestWithParam<MigrationCase> {};

TEST_P(ShiftJisMigrationTest, ConvertsFirstDeclarationOnly)
{
    const MigrationCase &c = GetParam();
    QTemporaryDir dir;
    const QString original = QString::fromUtf8(c.declaration) + QStringLiteral("\r\n<TITLE>日本語</TITLE>\r\n");
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("menu.html"), sjis(original));
    const QString text = migrateShiftJisPage(path);
    const QString expected = QString::fromUtf8(c.expectedHead) + QStringLiteral("\r\n<TITLE>日本語</TITLE>\r\n");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(testutil::readBytes(path), QByteArray("\xEF\xBB\xBF") + expected.toUtf8());
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, ShiftJisMigrationTest,
    ::testing::Values(
        MigrationCase{"UpperCase", "<META content=\"text/html; charset=SHIFT_JIS\">",
                      "<META content=\"text/html; charset=UTF-8\">"},
        MigrationCase{"LowerCase", "<META content=\"text/html; charset=shift_jis\">",
                      "<META content=\"text/html; charset=UTF-8\">"},
        MigrationCase{"TwoDeclarations", "<META charset=Shift_JIS><META charset=Shift_JIS>",
                      "<META charset=UTF-8><META charset=Shift_JIS>"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ShiftJisMigration, Utf8PageIsLeftAlone)
{
    QTemporaryDir dir;
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + QStringLiteral("<TITLE>ねこ</TITLE>\r\n").toUtf8();
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("p.html"), bytes);
    EXPECT_EQ(migrateShiftJisPage(path), QStringLiteral("<TITLE>ねこ</TITLE>\r\n"));
    EXPECT_EQ(testutil::readBytes(path), bytes);
}

TEST(ShiftJisMigration, MissingFileGivesEmptyText)
{
    QTemporaryDir dir;
    EXPECT_EQ(migrateShiftJisPage(dir.filePath(QStringLiteral("none.html"))), QString());
}

} // namespace
