#include "commands/textfile.h"

#include "commands/booktree.h"

#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QFileInfo>

#include <sys/stat.h>


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

enum class Writer { Bytes, PageLines, CodePageLines };

struct NoRoomCase {
    const char *name;
    Writer writer;
    qsizetype size;
};

void PrintTo(const NoRoomCase &c, std::ostream *os)
{
    *os << c.name;
}

class PageWriterNoRoom : public ::testing::TestWithParam<NoRoomCase> {};

// Any write that does not reach the disk whole is reported, names the file and the reason in
// words, and leaves the old file byte for byte, with no stray temporary file beside it.
TEST_P(PageWriterNoRoom, KeepsOldFileWholeAndSaysWhy)
{
    const NoRoomCase &c = GetParam();
    QTemporaryDir dir;
    testutil::NoRoom room(dir.filePath(QStringLiteral("small")));
    const QString folder = dir.filePath(QStringLiteral("small"));
    const QByteArray old = QByteArray("\xEF\xBB\xBF") + QStringLiteral("古いページ\r\n").toUtf8();
    const QString path = testutil::writeBytes(folder, QStringLiteral("p.html"), old);
    const QByteArray bytes(c.size, 'a');
    const auto write = [&] {
        switch (c.writer) {
        case Writer::PageLines:
            return writePageLines(path, {QString::fromLatin1(bytes)});
        case Writer::CodePageLines:
            return writeCodePageLines(path, {QString::fromLatin1(bytes)});
        case Writer::Bytes:
            break;
        }
        return writeBytesSafely(path, bytes);
    };
    room.fill();
    const WriteResult failed = write();
    room.release();
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(testutil::readBytes(path), old);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("p.html")});
    EXPECT_TRUE(failed.error.startsWith(path)) << failed.error.toStdString();
    EXPECT_TRUE(failed.error.contains(room.diskFull() ? QStringLiteral("ディスクがいっぱいです")
                                                      : QStringLiteral("ファイルが大きすぎます")))
        << failed.error.toStdString();
    // With room again the same write goes through whole.
    ASSERT_TRUE(write().ok);
    EXPECT_EQ(QFileInfo(path).size(), c.writer == Writer::Bytes ? c.size : c.size + 2 + (c.writer == Writer::PageLines ? 3 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PageWriterNoRoom,
    ::testing::Values(NoRoomCase{"OneByte", Writer::Bytes, 1}, NoRoomCase{"BelowAPage", Writer::Bytes, 4095},
                      NoRoomCase{"OnePage", Writer::Bytes, 4096}, NoRoomCase{"AbovePage", Writer::Bytes, 4097},
                      NoRoomCase{"BufferSize", Writer::Bytes, 16384}, NoRoomCase{"AboveBuffer", Writer::Bytes, 16385},
                      NoRoomCase{"HundredKiB", Writer::Bytes, 120000}, NoRoomCase{"OneMiB", Writer::Bytes, 1 << 20},
                      NoRoomCase{"SmallPage", Writer::PageLines, 5000},
                      NoRoomCase{"SmallVariableFile", Writer::CodePageLines, 12}),
    [](const auto &row) { return std::string(row.param.name); });

struct LinkCase {
    const char *name;
    const char *link;    // a symbolic link, relative to the root ...
    const char *target;  // ... to this place
    const char *write;   // the path written
    bool written;
    const char *watched; // a file whose bytes tell where the write went
    const char *watchedAfter;  // its bytes afterwards ("" when it must not exist)
};

void PrintTo(const LinkCase &c, std::ostream *os)
{
    *os << c.name;
}

class PageWriterLinks : public ::testing::TestWithParam<LinkCase> {};

// Inside the book, a write goes only where the path really leads inside it.
TEST_P(PageWriterLinks, NeverWritesOutsideTheBookThroughALink)
{
    const LinkCase &c = GetParam();
    QTemporaryDir root;
    const auto at = [&](const char *relative) { return root.filePath(QString::fromUtf8(relative)); };
    testutil::writeBytes(root.path(), QStringLiteral("outside/secret.html"), "secret");
    testutil::writeBytes(root.path(), QStringLiteral("book/sub/q.html"), "old");
    ASSERT_TRUE(QFile::link(at(c.target), at(c.link)));
    setGuardedBookFolder(at("book"));
    const WriteResult result = writeBytesSafely(at(c.write), "new");
    setGuardedBookFolder(QString());
    EXPECT_EQ(result.ok, c.written) << result.error.toStdString();
    EXPECT_EQ(QFileInfo(at(c.watched)).exists() ? testutil::readBytes(at(c.watched)) : QByteArray(), QByteArray(c.watchedAfter));
    EXPECT_TRUE(QFileInfo(at(c.link)).isSymLink());
}

INSTANTIATE_TEST_SUITE_P(
    Links, PageWriterLinks,
    ::testing::Values(
        LinkCase{"PageLinkedOutside", "book/p.html", "outside/secret.html", "book/p.html", false, "outside/secret.html", "secret"},
        LinkCase{"DanglingLinkOutside", "book/p.html", "outside/none.html", "book/p.html", false, "outside/none.html", ""},
        LinkCase{"FolderLinkedOutside", "book/pics", "outside", "book/pics/secret.html", false, "outside/secret.html", "secret"},
        LinkCase{"PageLinkedInsideBook", "book/p.html", "book/sub/q.html", "book/p.html", true, "book/sub/q.html", "new"},
        LinkCase{"BookReachedThroughALink", "alias", "book", "alias/sub/q.html", true, "book/sub/q.html", "new"}),
    [](const auto &row) { return std::string(row.param.name); });

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

TEST(CodePageFiles, WhatTheCodePageCannotHoldIsWrittenAsQuestionMarks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("v.txt"));
    // The wave dash and minus sign that input methods here type are the code page's own 〜 and −.
    const WriteResult written = writeCodePageLines(path, {QStringLiteral("x=caf\u00e9\U0001F600花\u301C\u2212"), QStringLiteral("y=1")});
    ASSERT_TRUE(written.ok);
    EXPECT_EQ(written.unmappable, 2);
    EXPECT_EQ(testutil::readBytes(path), QByteArray("x=caf??") + sjis(QStringLiteral("花")) + "\x81\x60\x81\x7C\r\ny=1\r\n");
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

enum class Entry { Regular, LinkToDevZero, Fifo, Folder, Missing, Sized, ReadError };

struct ReaderCase {
    const char *name;
    Entry entry;
    BookFileKind kind;
    qint64 size;  // of a Sized file (sparse)
    BookFileError error;
};

void PrintTo(const ReaderCase &c, std::ostream *os)
{
    *os << c.name;
}

class BookFileReader : public ::testing::TestWithParam<ReaderCase> {};

// What a book holds is read only when it is a regular file of a sane size; anything else returns
// at once with its reason and the path, never blocking on a pipe or filling memory from a device.
TEST_P(BookFileReader, ReadsOnlyRegularFilesWithinTheirCap)
{
    const ReaderCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.html"));
    switch (c.entry) {
    case Entry::Regular:
        testutil::writeBytes(dir.path(), QStringLiteral("p.html"), "page");
        break;
    case Entry::LinkToDevZero:
        QFile::link(QStringLiteral("/dev/zero"), path);
        break;
    case Entry::Fifo:
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Entry::Folder:
        QDir(dir.path()).mkdir(QStringLiteral("p.html"));
        break;
    case Entry::Sized:
        QFile(testutil::writeBytes(dir.path(), QStringLiteral("p.html"), "x")).resize(c.size);
        break;
    case Entry::ReadError:  // a regular file whose read fails
        QFile::link(QStringLiteral("/proc/self/mem"), path);
        break;
    case Entry::Missing:
        break;
    }
    const BookFileRead read = readBookFile(path, c.kind);
    EXPECT_EQ(read.error, c.error) << read.message.toStdString();
    EXPECT_EQ(read.message.startsWith(path), c.error != BookFileError::None);
    EXPECT_EQ(read.bytes.startsWith("page"), c.entry == Entry::Regular);
    EXPECT_EQ(readPageText(path, c.kind).ok, c.error == BookFileError::None);
}

constexpr qint64 memoCap = 4 * 1024 * 1024;

INSTANTIATE_TEST_SUITE_P(
    Entries, BookFileReader,
    ::testing::Values(
        ReaderCase{"RegularPage", Entry::Regular, BookFileKind::Page, 0, BookFileError::None},
        ReaderCase{"LinkToDevZero", Entry::LinkToDevZero, BookFileKind::Page, 0, BookFileError::NotRegular},
        ReaderCase{"Fifo", Entry::Fifo, BookFileKind::Memo, 0, BookFileError::NotRegular},
        ReaderCase{"Folder", Entry::Folder, BookFileKind::Page, 0, BookFileError::NotRegular},
        ReaderCase{"Missing", Entry::Missing, BookFileKind::VariableFile, 0, BookFileError::Missing},
        ReaderCase{"ReadFailsHalfway", Entry::ReadError, BookFileKind::AnyFile, 0, BookFileError::Unreadable},
        ReaderCase{"PageOverItsCap", Entry::Sized, BookFileKind::Page, 64 * 1024 * 1024 + 1, BookFileError::TooLarge},
        ReaderCase{"MemoAtItsCap", Entry::Sized, BookFileKind::Memo, memoCap, BookFileError::None},
        ReaderCase{"MemoOverItsCap", Entry::Sized, BookFileKind::Memo, memoCap + 1, BookFileError::TooLarge},
        ReaderCase{"VariableFileOverItsCap", Entry::Sized, BookFileKind::VariableFile, memoCap + 1,
                   BookFileError::TooLarge}),
    [](const auto &row) { return std::string(row.param.name); });

QByteArray utf8(const char *text)
{
    return QByteArray(text);
}

struct MigrationCase {
    const char *name;
    QByteArray bytes;      // the page on disk
    QByteArray expected;   // the text the caller gets, in UTF-8
    bool rewritten;        // the page is now UTF-8 with BOM holding exactly that text
};

void PrintTo(const MigrationCase &c, std::ostream *os)
{
    *os << c.name;
}

class ShiftJisMigration : public ::testing::TestWithParam<MigrationCase> {};

// Only a page declared as code page 932 in its META tag, whose bytes really are code page 932,
// is rewritten; every other page stays byte for byte and is read as best it can be.
TEST_P(ShiftJisMigration, RewritesOnlyTrueShiftJisDeclarations)
{
    const MigrationCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("menu.html"), c.bytes);
    const QString expected = QString::fromUtf8(c.expected);
    EXPECT_EQ(migrateShiftJisPage(path), expected);
    EXPECT_EQ(testutil::readBytes(path), c.rewritten ? QByteArray("\xEF\xBB\xBF") + expected.toUtf8() : c.bytes);
}

const char *const kanjiTitle = "\r\n<TITLE>日本語</TITLE>\r\n";

MigrationCase declared(const char *name, const char *charset)
{
    const QString tail = QString::fromUtf8(kanjiTitle);
    const QString meta = QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; charset=%1\">");
    return {name, sjis(meta.arg(QString::fromLatin1(charset)) + tail), (meta.arg(QStringLiteral("UTF-8")) + tail).toUtf8(),
            true};
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ShiftJisMigration,
    ::testing::Values(
        declared("UpperCase", "SHIFT_JIS"), declared("LowerCase", "shift_jis"), declared("Hyphen", "Shift-JIS"),
        declared("XSjis", "x-sjis"), declared("Ms932", "MS932"), declared("Windows31J", "windows-31j"),
        declared("Cp932", "cp932"),
        MigrationCase{"CharsetAttribute", sjis(QStringLiteral("<meta charset='Shift_JIS'><p>ねこ</p>\r\n")),
                      "<meta charset='UTF-8'><p>ねこ</p>\r\n", true},
        MigrationCase{"TwoDeclarationsFirstOnly", sjis(QStringLiteral("<META charset=Shift_JIS><META charset=Shift_JIS>\r\n")),
                      "<META charset=UTF-8><META charset=Shift_JIS>\r\n", true},
        MigrationCase{"Utf8PageMentioningTheWord",
                      utf8("<meta charset=\"utf-8\"><p>SHIFT_JISとは文字コードです</p>\r\n"),
                      "<meta charset=\"utf-8\"><p>SHIFT_JISとは文字コードです</p>\r\n", false},
        MigrationCase{"Utf8PageWithoutDeclaration", utf8("<p>charset=Shift_JIS と書きます</p>"),
                      "<p>charset=Shift_JIS と書きます</p>", false},
        MigrationCase{"Utf8BytesStillDeclaredShiftJis", utf8("<meta charset=Shift_JIS><p>ねこ</p>"),
                      "<meta charset=Shift_JIS><p>ねこ</p>", false},
        MigrationCase{"ByteOrderMarkWins", utf8("\xEF\xBB\xBF<meta charset=Shift_JIS><p>ねこ</p>"),
                      "<meta charset=Shift_JIS><p>ねこ</p>", false},
        MigrationCase{"DamagedShiftJis", sjis(QStringLiteral("<meta charset=Shift_JIS><p>ねこ")) + "\x82\xFF</p>",
                      "<meta charset=Shift_JIS><p>ねこ\uFFFD\uFFFD</p>", false},
        MigrationCase{"CutOffLeadByte", sjis(QStringLiteral("<meta charset=Shift_JIS><p>ねこ")) + "\x82",
                      "<meta charset=Shift_JIS><p>ねこ", false},
        MigrationCase{"MetaInCommentIsText", utf8("<!-- <meta charset=Shift_JIS> --><p>cat</p>"),
                      "<!-- <meta charset=Shift_JIS> --><p>cat</p>", false},
        MigrationCase{"MetaInXmpIsText", utf8("<XMP><META charset=Shift_JIS></XMP>"), "<XMP><META charset=Shift_JIS></XMP>", false},
        MigrationCase{"MetaWrittenByScript", utf8("<script>document.write('<meta charset=\"Shift_JIS\">')</script>"),
                      "<script>document.write('<meta charset=\"Shift_JIS\">')</script>", false},
        MigrationCase{"MetaInTheBody", utf8("<body><meta charset=Shift_JIS>"), "<body><meta charset=Shift_JIS>", false},
        MigrationCase{"MetaAfterAComment", sjis(QStringLiteral("<!-- -- --><meta charset=Shift_JIS>ねこ")),
                      "<!-- -- --><meta charset=UTF-8>ねこ\r\n", true}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ShiftJisMigration, MissingFileGivesEmptyText)
{
    QTemporaryDir dir;
    EXPECT_EQ(migrateShiftJisPage(dir.filePath(QStringLiteral("none.html"))), QString());
}

} // namespace
