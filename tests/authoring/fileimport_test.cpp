#include "authoring/fileimport.h"

#include "authoring/picturesize.h"
#include "commands/textfile.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

// Groups ---------------------------------------------------------------------------------------

struct GroupCase {
    const char *name;
    QString path;
    ImportGroup group;
};

class ImportGroupOf : public ::testing::TestWithParam<GroupCase> {};

TEST_P(ImportGroupOf, GoesByTheExtensionInAnyCase)
{
    EXPECT_EQ(importGroupOf(GetParam().path), GetParam().group);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImportGroupOf,
    ::testing::Values(GroupCase{"Mwx", QStringLiteral("/a/p.mwx"), ImportGroup::LogoProject},
                      GroupCase{"UpperJpg", QStringLiteral("/a/X.JPG"), ImportGroup::MeasuredPicture},
                      GroupCase{"Png", QStringLiteral("/a/x.png"), ImportGroup::OtherPicture},
                      GroupCase{"Pdf", QStringLiteral("/a/x.pdf"), ImportGroup::DocumentOrMedia},
                      GroupCase{"Zip", QStringLiteral("/a/x.zip"), ImportGroup::Other},
                      GroupCase{"NoExtension", QStringLiteral("/a/README"), ImportGroup::Other},
                      GroupCase{"DotInFolderOnly", QStringLiteral("/a.jpg/README"), ImportGroup::Other},
                      GroupCase{"LastExtensionCounts", QStringLiteral("/a/x.jpg.zip"), ImportGroup::Other}),
    [](const auto &row) { return std::string(row.param.name); });

// Stamps and names -----------------------------------------------------------------------------

TEST(ImportStamp, IsDateHyphenAnd24HourTime)
{
    EXPECT_EQ(importStamp(QDateTime(QDate(2024, 3, 15), QTime(14, 25, 7))), QStringLiteral("20240315-142507"));
    EXPECT_EQ(importStamp(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59))), QStringLiteral("20231231-235959"));
}

const QString kS = QStringLiteral("20240315-142507");
const QString kF = QStringLiteral("/F/");

struct NamesCase {
    const char *name;
    QString path;
    QString stamp;
    ImportGroup group;
    QString base, plain, named, page;
};

class ImportNamesOf : public ::testing::TestWithParam<NamesCase> {};

TEST_P(ImportNamesOf, FollowTheNamingRule)
{
    const NamesCase &c = GetParam();
    const ImportNames names = importNames(c.path, kF, c.stamp, c.group);
    EXPECT_EQ(names.base, c.base);
    EXPECT_EQ(names.plainTarget, c.plain);
    EXPECT_EQ(names.namedTarget, c.named);
    EXPECT_EQ(names.pageFile, c.page);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ImportNamesOf,
    ::testing::Values(
        NamesCase{"PhotoGetsStampTildeName", QStringLiteral("/p/x.jpg"), kS, ImportGroup::MeasuredPicture,
                  QStringLiteral("x"), kF + kS + QStringLiteral(".jpg"), kF + kS + QStringLiteral("~x.jpg"),
                  kF + kS + QStringLiteral("~x.html")},
        NamesCase{"HyphenInNameUsesTheStampAlone", QStringLiteral("/p/a-b.jpg"), kS, ImportGroup::MeasuredPicture,
                  QStringLiteral("a-b"), kF + kS + QStringLiteral(".jpg"), kF + kS + QStringLiteral(".jpg"),
                  kF + kS + QStringLiteral(".html")},
        NamesCase{"EarlierImportLosesItsStamp", QStringLiteral("/p/20200101-000000~x.jpg"), kS,
                  ImportGroup::MeasuredPicture, QStringLiteral("x"), kF + kS + QStringLiteral(".jpg"),
                  kF + kS + QStringLiteral("~x.jpg"), kF + kS + QStringLiteral("~x.html")},
        NamesCase{"LogoProject", QStringLiteral("/p/p.mwx"), kS, ImportGroup::LogoProject, QStringLiteral("p"),
                  kF + kS + QStringLiteral(".mwx"), kF + kS + QStringLiteral("~p.mwx"),
                  kF + kS + QStringLiteral("~p.html")},
        NamesCase{"LogoWithEmptyBaseTakesTheWholeName", QStringLiteral("/p/old~.mwx"), kS, ImportGroup::LogoProject,
                  QStringLiteral("old~"), kF + kS + QStringLiteral(".mwx"), kF + kS + QStringLiteral("~.mwx"),
                  kF + kS + QStringLiteral("~.html")},
        NamesCase{"OthersKeepAnEmptyBase", QStringLiteral("/p/old~.pdf"), kS, ImportGroup::DocumentOrMedia,
                  QString(), kF + kS + QStringLiteral(".pdf"), kF + kS + QStringLiteral("~.pdf"),
                  kF + kS + QStringLiteral("~.html")},
        NamesCase{"ExtensionKeepsItsCase", QStringLiteral("/p/X.JPG"), kS, ImportGroup::MeasuredPicture,
                  QStringLiteral("X"), kF + kS + QStringLiteral(".JPG"), kF + kS + QStringLiteral("~X.JPG"),
                  kF + kS + QStringLiteral("~X.html")},
        NamesCase{"BrowserCacheHasNoStamp", QStringLiteral("/c/temporary internet/x.pdf"), QString(),
                  ImportGroup::DocumentOrMedia, QStringLiteral("x"), kF + QStringLiteral(".pdf"),
                  kF + QStringLiteral("~x.pdf"), kF + QStringLiteral("~x.html")}),
    [](const auto &row) { return std::string(row.param.name); });

// Picture sizes --------------------------------------------------------------------------------

struct ScaleCase {
    const char *name;
    QSize natural;
    QString width, height;
};

class PagePictureSizeOf : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PagePictureSizeOf, CapsTheWidthAt1000)
{
    const PagePictureSize size = pagePictureSize(GetParam().natural);
    EXPECT_EQ(size.width, GetParam().width);
    EXPECT_EQ(size.height, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PagePictureSizeOf,
    ::testing::Values(ScaleCase{"SmallStays", {800, 600}, QStringLiteral("800"), QStringLiteral("600")},
                      ScaleCase{"Exactly1000Stays", {1000, 1500}, QStringLiteral("1000"), QStringLiteral("1500")},
                      ScaleCase{"Width1001IsScaled", {1001, 1001}, QStringLiteral("1000"), QStringLiteral("1000")},
                      ScaleCase{"HalfGoesDownToEven", {2000, 1001}, QStringLiteral("1000"), QStringLiteral("500")},
                      ScaleCase{"HalfGoesUpToEven", {2000, 1003}, QStringLiteral("1000"), QStringLiteral("502")}),
    [](const auto &row) { return std::string(row.param.name); });

QByteArray gif(int w, int h)
{
    QByteArray b("GIF89a");
    b += char(w & 0xFF);
    b += char(w >> 8);
    b += char(h & 0xFF);
    b += char(h >> 8);
    return b + QByteArray(20, '\0');
}

QByteArray le32(qint32 v)
{
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b += char((quint32(v) >> (8 * i)) & 0xFF);
    return b;
}

QByteArray bmp(qint32 w, qint32 h)
{
    return QByteArray("BM") + QByteArray(12, '\0') + le32(40) + le32(w) + le32(h) + QByteArray(20, '\0');
}

QByteArray png(int w, int h)
{
    QByteArray b("\x89PNG\r\n\x1A\n", 8);
    b += QByteArray("\0\0\0\x0DIHDR", 8);
    for (int v : {w, h})
        b += QByteArray::fromHex(QByteArray::number(v, 16).rightJustified(8, '0'));
    return b + QByteArray(5, '\0');
}

QByteArray jpeg(int w, int h, const QByteArray &before = {})
{
    QByteArray b = QByteArray::fromHex("FFD8") + before;
    b += QByteArray::fromHex("FFC00011 08");
    b += char(h >> 8);
    b += char(h & 0xFF);
    b += char(w >> 8);
    b += char(w & 0xFF);
    return b + QByteArray(12, '\0');
}

struct SniffCase {
    const char *name;
    QByteArray data;
    std::optional<QSize> size;
};

class PictureSizeOf : public ::testing::TestWithParam<SniffCase> {};

TEST_P(PictureSizeOf, ReadsTheHeader)
{
    EXPECT_EQ(pictureSizeOf(GetParam().data), GetParam().size);
}

const QByteArray kApp0 = QByteArray::fromHex("FFE000104A46494600010100000100010000");

INSTANTIATE_TEST_SUITE_P(
    Formats, PictureSizeOf,
    ::testing::Values(
        SniffCase{"Gif", gif(320, 200), QSize(320, 200)},
        SniffCase{"Png", png(2000, 1001), QSize(2000, 1001)},
        SniffCase{"Bmp", bmp(640, 480), QSize(640, 480)},
        SniffCase{"TopDownBmp", bmp(640, -480), QSize(640, 480)},
        SniffCase{"OldOs2Bmp",
                  QByteArray("BM") + QByteArray(12, '\0') + le32(12) + QByteArray::fromHex("4000300001001800"),
                  QSize(64, 48)},
        SniffCase{"JpegFrameFirst", jpeg(1024, 768), QSize(1024, 768)},
        SniffCase{"JpegAfterApp0AndFill", jpeg(800, 600, kApp0 + QByteArray::fromHex("FFFF")), QSize(800, 600)},
        SniffCase{"JpegScanBeforeFrameIsDamaged", QByteArray::fromHex("FFD8FFDA000C") + QByteArray(20, '\0'),
                  std::nullopt},
        SniffCase{"JpegZeroLengthIsDamaged", QByteArray::fromHex("FFD8FFE00000") + QByteArray(20, '\0'),
                  std::nullopt},
        SniffCase{"JpegCutShort", jpeg(800, 600).left(8), std::nullopt},
        SniffCase{"ZeroWidth", gif(0, 10), std::nullopt},
        SniffCase{"NotAPicture", QByteArray("hello world, not a picture"), std::nullopt}),
    [](const auto &row) { return std::string(row.param.name); });

// Importing real files -------------------------------------------------------------------------

const QDateTime kWritten(QDate(2024, 3, 15), QTime(14, 25, 7));

class Import : public ::testing::Test {
protected:
    QString source(const QString &name, const QByteArray &bytes)
    {
        const QString path = testutil::writeBytes(from.path(), name, bytes);
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(kWritten, QFileDevice::FileModificationTime);
        return path;
    }
    QString page(const QString &name) const
    {
        return readPageText(folder() + name).text;
    }
    QString folder() const { return to.path() + u'/'; }
    bool exists(const QString &name) const { return QFileInfo::exists(folder() + name); }

    QTemporaryDir from;
    QTemporaryDir to;
};

TEST_F(Import, PhotoGetsStampedCopyAndImagePageAtNaturalSize)
{
    const ImportOutcome r = makePagesFromFiles({source(QStringLiteral("x.jpg"), jpeg(800, 600))}, folder(), to.path());
    EXPECT_TRUE(r.completed());
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(testutil::readBytes(folder() + kS + QStringLiteral("~x.jpg")), jpeg(800, 600));
    const QString text = page(kS + QStringLiteral("~x.html"));
    EXPECT_TRUE(text.contains(QStringLiteral("<TITLE>x</TITLE>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<!--NOTE_IN-->\r\n<P align=center><IMG src=\"") + kS
                              + QStringLiteral("~x.jpg\" width=\"800\" height=\"600\" align=\"center\">")));
}

TEST_F(Import, LogoProjectCopyIsPlainWhileItsPageIsNamed)
{
    makePagesFromFiles({source(QStringLiteral("p.mwx"), "project")}, folder(), to.path());
    EXPECT_TRUE(exists(kS + QStringLiteral(".mwx")));
    const QString text = page(kS + QStringLiteral("~p.html"));
    EXPECT_TRUE(text.contains(QStringLiteral("<EMBED src=\"") + kS + QStringLiteral(".mwx\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("width=\"744\" height=\"550\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("<H2>p</H2>")));
}

TEST_F(Import, DocumentGetsALinkPage)
{
    makePagesFromFiles({source(QStringLiteral("notes.pdf"), "%PDF")}, folder(), to.path());
    EXPECT_TRUE(page(kS + QStringLiteral("~notes.html"))
                    .contains(QStringLiteral("<P><A href=\"") + kS + QStringLiteral("~notes.pdf\">notes</A></P>")));
}

TEST_F(Import, OtherFileIsCopiedUnderItsOwnNameWithoutPage)
{
    const ImportOutcome r = makePagesFromFiles({source(QStringLiteral("a.zip"), "zip")}, folder(), to.path());
    EXPECT_EQ(testutil::readBytes(folder() + QStringLiteral("a.zip")), QByteArray("zip"));
    ASSERT_EQ(r.imported.size(), 1);
    EXPECT_TRUE(r.imported.first().page.isEmpty());
    EXPECT_EQ(QDir(to.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(Import, OtherFileAlreadyInTheFolderStaysIntact)
{
    const QString inPlace = testutil::writeBytes(to.path(), QStringLiteral("a.zip"), "keep me");
    const ImportOutcome r = makePagesFromFiles({inPlace}, folder(), to.path());
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(testutil::readBytes(inPlace), QByteArray("keep me"));
}

TEST_F(Import, MissingFileIsReportedAndTheRestImported)
{
    const QString missing = from.filePath(QStringLiteral("gone.jpg"));
    const ImportOutcome r =
        makePagesFromFiles({missing, source(QStringLiteral("a.zip"), "zip")}, folder(), to.path());
    EXPECT_TRUE(r.completed());
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_TRUE(r.problems.first().contains(missing));
    EXPECT_TRUE(exists(QStringLiteral("a.zip")));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(Import, UnreadablePictureStopsTheImportThereAndKeepsTheRest)
{
    const QString first = source(QStringLiteral("ok.gif"), gif(5, 5));
    const QString bad = source(QStringLiteral("bad.jpg"), "not a jpeg");
    const QString after = source(QStringLiteral("after.zip"), "zip");
    const ImportOutcome r = makePagesFromFiles({first, bad, after}, folder(), to.path());
    EXPECT_FALSE(r.completed());
    EXPECT_EQ(r.remaining, (QStringList{bad, after}));
    EXPECT_EQ(r.imported.size(), 1);
    EXPECT_FALSE(r.message().isEmpty());
    EXPECT_FALSE(exists(kS + QStringLiteral("~bad.html")));
    EXPECT_FALSE(exists(QStringLiteral("after.zip")));
}

TEST_F(Import, FailedCopyIsReportedAndGetsNoPage)
{
    const ImportOutcome r = makePagesFromFiles({source(QStringLiteral("x.pdf"), "pdf")},
                                               to.filePath(QStringLiteral("no/such/folder")), to.path());
    ASSERT_EQ(r.problems.size(), 1);
    EXPECT_TRUE(r.imported.isEmpty());
}

TEST_F(Import, FolderIsCopiedWhole)
{
    testutil::writeBytes(from.path(), QStringLiteral("set/a.txt"), "a");
    testutil::writeBytes(from.path(), QStringLiteral("set/deep/b.txt"), "b");
    const ImportOutcome r = makePagesFromFiles({from.filePath(QStringLiteral("set"))}, folder(), to.path());
    EXPECT_TRUE(r.problems.isEmpty());
    EXPECT_EQ(testutil::readBytes(folder() + QStringLiteral("set/deep/b.txt")), QByteArray("b"));
    EXPECT_EQ(testutil::readBytes(folder() + QStringLiteral("set/a.txt")), QByteArray("a"));
}

TEST_F(Import, FolderIsNeverCopiedIntoItself)
{
    testutil::writeBytes(to.path(), QStringLiteral("sub/a.txt"), "a");
    const ImportOutcome r = makePagesFromFiles({to.path()}, folder() + QStringLiteral("sub/"), to.path());
    EXPECT_EQ(r.problems.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(folder() + QStringLiteral("sub/") + QFileInfo(to.path()).fileName()));
}

TEST_F(Import, BookFolderIsCreatedWhenMissing)
{
    const QString book = to.filePath(QStringLiteral("Book"));
    makePagesFromFiles({source(QStringLiteral("a.zip"), "zip")}, book + u'/', book);
    EXPECT_TRUE(QFileInfo::exists(book + QStringLiteral("/a.zip")));
}

TEST_F(Import, StepsOneEntryAtATime)
{
    FileImport import({source(QStringLiteral("a.zip"), "a"), source(QStringLiteral("b.zip"), "b")}, to.path());
    EXPECT_EQ(import.total(), 2);
    EXPECT_TRUE(import.step());
    EXPECT_EQ(import.done(), 1);
    EXPECT_TRUE(exists(QStringLiteral("a.zip")));
    EXPECT_FALSE(exists(QStringLiteral("b.zip")));
    EXPECT_TRUE(import.step());
    EXPECT_TRUE(import.atEnd());
    EXPECT_FALSE(import.step());
}

} // namespace
