// The file tool's work on real files: archive names and copies, the trash, picture numbering
// with the pages that name the pictures.
#include "pagefiles/filebatch.h"
#include "commands/booktree.h"
#include "pagefiles/picturenumbering.h"
#include "pagefiles/renamejournal.h"

#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

const QByteArray bom("\xEF\xBB\xBF");

struct ArchiveNameCase {
    const char *name;
    QString path;
    QString archived;
};

} // namespace

class ArchiveNameTest : public ::testing::TestWithParam<ArchiveNameCase> {};

TEST_P(ArchiveNameTest, DropsTheNumberPrefix)
{
    EXPECT_EQ(archiveFileName(GetParam().path), GetParam().archived);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ArchiveNameTest,
    ::testing::Values(ArchiveNameCase{"PrefixGoes", u"/b/0010_表紙.html"_s, u"表紙.html"_s},
                      ArchiveNameCase{"NothingLeftKeepsTheName", u"/b/0010_.txt"_s, u"0010_.txt"_s},
                      ArchiveNameCase{"NoUnderscoreKeepsTheName", u"/b/pic.png"_s, u"pic.png"_s},
                      ArchiveNameCase{"OnlyThroughTheFirstUnderscore", u"/b/1010_my_pic.jpg"_s, u"my_pic.jpg"_s},
                      ArchiveNameCase{"LeadingUnderscoreGoes", u"/b/_x.png"_s, u"x.png"_s},
                      ArchiveNameCase{"UnderscoreInExtensionIgnored", u"/b/a.htm_"_s, u"a.htm_"_s}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ArchiveCopy, CopiesUnderArchiveNamesReplacingOlderCopies)
{
    QTemporaryDir dir;
    const QString page = testutil::writeBytes(dir.path(), u"1010_a.html"_s, "new page");
    const QString pic = testutil::writeBytes(dir.path(), u"1010_a.jpg"_s, "picture");
    testutil::writeBytes(dir.path(), u"書庫/a.html"_s, "old page");
    const FileBatchResult result = copyFilesToArchive({page, pic, dir.filePath(u"gone.png"_s)}, dir.filePath(u"書庫"_s));
    EXPECT_EQ(testutil::readBytes(dir.filePath(u"書庫/a.html"_s)), QByteArray("new page"));
    EXPECT_EQ(testutil::readBytes(dir.filePath(u"書庫/a.jpg"_s)), QByteArray("picture"));
    ASSERT_EQ(result.failed.size(), 1);
    EXPECT_TRUE(result.failed.first().startsWith(dir.filePath(u"gone.png"_s)));
    EXPECT_TRUE(QFileInfo::exists(page));  // copies, never moves
}

TEST(ArchiveCopy, SameNamedPicturesKeptApartAndPagesFollow)
{
    QTemporaryDir dir;
    const QString page = testutil::writeBytes(
        dir.path(), u"1010_a.html"_s, "<IMG src=\"img/pic0.png\"><IMG src='pic0.png'><A href=\"1020_b.html\">b</A>");
    const QString inner = testutil::writeBytes(dir.path(), u"img/pic0.png"_s, "inner");
    const QString outer = testutil::writeBytes(dir.path(), u"pic0.png"_s, "outer");
    const QString linked = testutil::writeBytes(dir.path(), u"1020_b.html"_s, "b");
    testutil::writeBytes(dir.path(), u"書庫/pic0.png"_s, "archived before");
    testutil::writeBytes(dir.path(), u"書庫/pic0-3.png"_s, "outer");
    ASSERT_TRUE(copyFilesToArchive({page, inner, outer, linked}, dir.filePath(u"書庫"_s)).ok());
    EXPECT_EQ(testutil::readBytes(dir.filePath(u"書庫/pic0.png"_s)), QByteArray("archived before"));
    EXPECT_EQ(testutil::readBytes(dir.filePath(u"書庫/pic0-2.png"_s)), QByteArray("inner"));
    EXPECT_EQ(testutil::readBytes(dir.filePath(u"書庫/pic0-3.png"_s)), QByteArray("outer")); // the same picture again
    EXPECT_EQ(testutil::readBytes(dir.filePath(u"書庫/a.html"_s)),
              bom + "<IMG src=\"pic0-2.png\"><IMG src='pic0-3.png'><A href=\"b.html\">b</A>");
}

TEST(ArchiveCopy, ArchiveThatCannotBeMadeFailsEveryFile)
{
    QTemporaryDir dir;
    const QString page = testutil::writeBytes(dir.path(), u"a.html"_s, "x");
    testutil::writeBytes(dir.path(), u"書庫"_s, "a file where the folder should be");
    EXPECT_EQ(copyFilesToArchive({page}, dir.filePath(u"書庫"_s)).failed.size(), 1);
}

TEST(Trash, BookFilesGoThroughTheShellMissingAndOutsideOnesAreReported)
{
    QTemporaryDir dir;
    const QString a = testutil::writeBytes(dir.path(), u"book/a.html"_s, "x");
    const QString outside = testutil::writeBytes(dir.path(), u"outside/secret.jpg"_s, "x");
    fakes::FakeShell shell;
    setGuardedBookFolder(dir.filePath(u"book"_s));
    const FileBatchResult result =
        moveFilesToTrash({a, dir.filePath(u"book/gone.jpg"_s), dir.filePath(u"book/../outside/secret.jpg"_s)}, shell);
    setGuardedBookFolder(QString());
    EXPECT_EQ(shell.calls, QStringList{u"trash "_s + a});
    EXPECT_EQ(result.failed.size(), 2);
}

TEST(PictureRules, PicturesAndPagesByExtension)
{
    EXPECT_TRUE(isPictureFile(u"/b/a.JPG"_s));
    EXPECT_TRUE(isPictureFile(u"/b/a.jpeg"_s));
    EXPECT_TRUE(isPictureFile(u"/b/a.Png"_s));
    EXPECT_FALSE(isPictureFile(u"/b/a.bmp"_s));
    EXPECT_FALSE(isPictureFile(u"/b/a.jp"_s));
    EXPECT_TRUE(isPageFile(u"/b/a.HTM"_s));
    EXPECT_FALSE(isPageFile(u"/b/a.html$"_s));
    EXPECT_EQ(pictureBaseName(u"  C:\\pics\\photo "_s), u"photo"_s);
    EXPECT_EQ(pictureBaseName(u"/tmp/x/shot"_s), u"shot"_s);
}

TEST(PictureRules, FirstFreeNumberCountsPerExtension)
{
    QTemporaryDir dir;
    testutil::writeBytes(dir.path(), u"pic0.jpg"_s, "x");
    testutil::writeBytes(dir.path(), u"pic1.jpg"_s, "x");
    EXPECT_EQ(freePictureName(dir.path(), u"pic"_s, u".jpg"_s), dir.filePath(u"pic2.jpg"_s));
    EXPECT_EQ(freePictureName(dir.path(), u"pic"_s, u".png"_s), dir.filePath(u"pic0.png"_s));
}

namespace {

struct ReplaceCase {
    const char *name;
    QString picture;  // renamed to new.png, in the folder of a page at the top unless it has a folder
    QString text;     // of top.html, or of sub/p.html when page is "sub"
    QString replaced;
    QString page = {};
};

} // namespace

class ReplaceReferencesTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceReferencesTest, RewritesWhatNamesThatVeryFile)
{
    QTemporaryDir dir;
    for (const QString &name : {u"photo.jpg"_s, u"pic0.png"_s, u"pic0.PNG"_s, u"spaced pic.png"_s,
                                u"sub/spaced pic.png"_s, u"a#1.png"_s, u"sub/x.png"_s})
        testutil::writeBytes(dir.path(), name, "x");
    const ReplaceCase &c = GetParam();
    const QString page = c.page.isEmpty() ? dir.path() : dir.filePath(c.page);
    EXPECT_EQ(replacePictureReferences(c.text, page, dir.filePath(c.picture), dir.filePath(u"new.png"_s)), c.replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Disk, ReplaceReferencesTest,
    ::testing::Values(
        ReplaceCase{"EveryQuoting", u"photo.jpg"_s, uR"(<IMG src="photo.jpg"><IMG SRC='photo.jpg'><IMG src = photo.jpg>)"_s,
                    uR"(<IMG src="new.png"><IMG SRC='new.png'><IMG src = new.png>)"_s},
        ReplaceCase{"StyleUrlAndBackground", u"photo.jpg"_s, uR"~(<BODY background="photo.jpg" style="x:url( photo.jpg )">)~"_s,
                    uR"~(<BODY background="new.png" style="x:url( new.png )">)~"_s},
        ReplaceCase{"WindowsBookSpelling", u"photo.jpg"_s, uR"(<IMG src="PHOTO.JPG">)"_s, uR"(<IMG src="new.png">)"_s},
        ReplaceCase{"CaseTwinStaysItsOwn", u"pic0.png"_s, uR"(<IMG src="pic0.png"><IMG src="pic0.PNG">)"_s,
                    uR"(<IMG src="new.png"><IMG src="pic0.PNG">)"_s},
        ReplaceCase{"SameNameElsewhereAndBodyText", u"spaced pic.png"_s,
                    uR"(<IMG src="spaced%20pic.png"><IMG src="sub/spaced%20pic.png">see spaced pic.png)"_s,
                    uR"(<IMG src="new.png"><IMG src="sub/spaced%20pic.png">see spaced pic.png)"_s},
        ReplaceCase{"EncodedHashAndQuery", u"a#1.png"_s, uR"(<IMG src="a%231.png?v=2"><A href="a#1.png">)"_s,
                    uR"(<IMG src="new.png?v=2"><A href="a#1.png">)"_s},
        ReplaceCase{"FromASubfolderPage", u"photo.jpg"_s, uR"(<IMG src="../photo.jpg"><IMG src="photo.jpg">)"_s,
                    uR"(<IMG src="../new.png"><IMG src="photo.jpg">)"_s, u"sub"_s},
        ReplaceCase{"FolderPartKept", u"sub/x.png"_s, uR"(<IMG src="sub\x.png">)"_s, uR"(<IMG src="sub\new.png">)"_s}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PictureRename, RenamesAndRewritesThePages)
{
    QTemporaryDir dir;
    const QString pic = testutil::writeBytes(dir.path(), u"photo.jpg"_s, "jpeg");
    testutil::writeBytes(dir.path(), u"pic0.jpg"_s, "taken");
    const QString page = testutil::writeBytes(dir.path(), u"p.html"_s, bom + "<IMG src=\"PHOTO.JPG\">\r\n<P>写真</P>\n");
    const QString spaced = testutil::writeBytes(dir.path(), u"my photo.jpg"_s, "spaced");
    const QString encoded = testutil::writeBytes(dir.path(), u"e.html"_s, "<IMG src=\"my%20photo.jpg\">");
    const QString other = testutil::writeBytes(dir.path(), u"q.html"_s, "<P>none</P>");
    // A page still in code page 932 is rewritten in UTF-8 with its text.
    const QString old = testutil::writeBytes(dir.path(), u"s.html"_s, "<META charset=\"x-sjis\"><IMG src=\"photo.jpg\">\x8E\xCA\x90\x5E");
    const PictureRenameResult result = renamePictureInPages(pic, u"pic"_s, {page, other, old}, dir.path());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.newPath, dir.filePath(u"pic1.jpg"_s));
    EXPECT_EQ(testutil::readBytes(result.newPath), QByteArray("jpeg"));
    EXPECT_FALSE(QFileInfo::exists(pic));
    // Line ends are kept as they were.
    EXPECT_EQ(testutil::readBytes(page), bom + u"<IMG src=\"pic1.jpg\">\r\n<P>写真</P>\n"_s.toUtf8());
    EXPECT_EQ(testutil::readBytes(other), QByteArray("<P>none</P>"));
    EXPECT_EQ(testutil::readBytes(old), bom + u"<META charset=\"UTF-8\"><IMG src=\"pic1.jpg\">写真"_s.toUtf8());
    const PictureRenameResult second = renamePictureInPages(spaced, u"pic"_s, {encoded}, dir.path());
    ASSERT_TRUE(second.ok) << second.error.toStdString();
    EXPECT_EQ(testutil::readBytes(encoded), bom + "<IMG src=\"pic2.jpg\">");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(renameJournalName())));
}

TEST(PictureRename, PageThatCannotBeWrittenUndoesEverything)
{
    QTemporaryDir dir;
    const QString pic = testutil::writeBytes(dir.path(), u"photo.jpg"_s, "jpeg");
    const QByteArray text = bom + "<IMG src=\"photo.jpg\">";
    const QByteArray inFolder = bom + "<IMG src=\"../photo.jpg\">";
    const QString first = testutil::writeBytes(dir.path(), u"a.html"_s, text);
    const QString locked = testutil::writeBytes(dir.path(), u"ro/b.html"_s, inFolder);
    if (!testutil::makeFolderReadOnly(dir.filePath(u"ro"_s)))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const PictureRenameResult result = renamePictureInPages(pic, u"pic"_s, {first, locked}, dir.path());
    testutil::restoreFolder(dir.filePath(u"ro"_s));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(locked)) << result.error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(pic));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"pic0.jpg"_s)));
    EXPECT_EQ(testutil::readBytes(first), text);
    EXPECT_EQ(testutil::readBytes(locked), inFolder);
}
