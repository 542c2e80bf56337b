// The files a page uses, on real folders: what is listed, what is followed, what is refused.
#include "pagefiles/linkedfiles.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct LinkCase {
    const char *name;
    QString page;               // the text of p.html in the book folder
    QStringList files;          // other files: "name" (content "x"), "name=text" for pages, "name->target" for links
    QStringList listed;         // relative to the book folder, in order, p.html first
    int notices = 0;
    bool bookThroughLink = false;  // the book is reached through a link to its folder
};

void makeFiles(const QString &folder, const QStringList &files)
{
    for (const QString &entry : files) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        const qsizetype arrow = entry.indexOf(QLatin1String("->"));
        if (arrow > 0)
            QFile::link(entry.mid(arrow + 2), QDir(folder).filePath(entry.left(arrow)));
        else if (eq < 0)
            testutil::writeBytes(folder, entry, "x");
        else
            testutil::writePage(folder, entry.left(eq), entry.mid(eq + 1));
    }
}

QStringList relativeTo(const QString &folder, const QStringList &paths)
{
    QStringList out;
    for (const QString &path : paths)
        out.append(QDir(folder).relativeFilePath(path));
    return out;
}

} // namespace

class LinkedFilesTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkedFilesTest, ListsWhatThePageUses)
{
    const LinkCase &c = GetParam();
    QTemporaryDir dir;
    const QString book = dir.filePath(u"book"_s);
    testutil::writePage(book, u"p.html"_s, c.page);
    makeFiles(book, c.files);
    const QString reached = c.bookThroughLink ? dir.filePath(u"alias"_s) : book;
    if (c.bookThroughLink) {
        ASSERT_TRUE(QFile::link(book, reached));
    }
    LinkedFileCollector collector(reached + u"/"_s, reached);
    collector.collect(reached + u"/p.html"_s);
    EXPECT_EQ(relativeTo(reached, collector.files()), c.listed);
    EXPECT_EQ(collector.commandLinkNotices().size(), c.notices);
}

INSTANTIATE_TEST_SUITE_P(
    Disk, LinkedFilesTest,
    ::testing::Values(
        LinkCase{"PictureBySrc", uR"(<IMG src="pic.jpg">)"_s, {u"pic.jpg"_s}, {u"p.html"_s, u"pic.jpg"_s}},
        LinkCase{"CompanionsFirst", uR"(<IMG src="pic.jpg">)"_s, {u"pic.jpg"_s, u"p.txt"_s, u"p.wav"_s},
                 {u"p.html"_s, u"p.wav"_s, u"p.txt"_s, u"pic.jpg"_s}},
        LinkCase{"BackslashPath", uR"(<IMG src="img\a.png">)"_s, {u"img/a.png"_s}, {u"p.html"_s, u"img/a.png"_s}},
        LinkCase{"SlashPath", uR"(<A href="img/a.png">a</A>)"_s, {u"img/a.png"_s}, {u"p.html"_s, u"img/a.png"_s}},
        LinkCase{"RootRelativeNamesTheBook", uR"(<IMG src="/top.png">)"_s, {u"top.png"_s}, {u"p.html"_s, u"top.png"_s}},
        LinkCase{"KeyInAnyCaseFileInAnyCase", uR"(<IMG SRC="PIC.JPG">)"_s, {u"pic.jpg"_s}, {u"p.html"_s, u"pic.jpg"_s}},
        LinkCase{"PercentEncodedBlank", uR"(<IMG src="my%20pic.jpg">)"_s, {u"my pic.jpg"_s},
                 {u"p.html"_s, u"my pic.jpg"_s}},
        LinkCase{"TitleGlyph", uR"(<TITLE>"g.gif"表紙</TITLE>)"_s, {u"g.gif"_s}, {u"p.html"_s, u"g.gif"_s}},
        LinkCase{"Background", uR"(<BODY background="bg.gif">)"_s, {u"bg.gif"_s}, {u"p.html"_s, u"bg.gif"_s}},
        LinkCase{"EveryQuotingAndStyleUrl", uR"~(<IMG src='a.png'><IMG SRC=b.png><P style="x:url(c.png)">)~"_s,
                 {u"a.png"_s, u"b.png"_s, u"c.png"_s}, {u"p.html"_s, u"a.png"_s, u"b.png"_s, u"c.png"_s}},
        LinkCase{"EncodedHash", uR"(<IMG src="a%231.png">)"_s, {u"a#1.png"_s}, {u"p.html"_s, u"a#1.png"_s}},
        LinkCase{"MissingFileNotListed", uR"(<IMG src="gone.jpg"><A href="gone.html">)"_s, {}, {u"p.html"_s}},
        LinkCase{"SameFileListedOnce", uR"(<IMG src="a.png"><IMG src="A.PNG"><A href="a.png">)"_s, {u"a.png"_s},
                 {u"p.html"_s, u"a.png"_s}},
        LinkCase{"LinkedPageListedNotFollowed", uR"(<A href="q.html">q</A>)"_s,
                 {uR"(q.html=<IMG src="q.png">)"_s, u"q.png"_s}, {u"p.html"_s, u"q.html"_s}},
        LinkCase{"IncludedPageFollowedWithItsOwnFiles",
                 uR"(<IMG src="pic.jpg"><IFRAME src="sub\frame.html"></IFRAME>)"_s,
                 {u"pic.jpg"_s, uR"(sub/frame.html=<IMG src="in.png"><A href="doc.pdf">)"_s, u"sub/in.png"_s,
                  u"sub/doc.pdf"_s, u"sub/frame.txt"_s},
                 {u"p.html"_s, u"pic.jpg"_s, u"sub/frame.html"_s, u"sub/frame.txt"_s, u"sub/in.png"_s,
                  u"sub/doc.pdf"_s}},
        LinkCase{"DotSlashFromThePageFolder", uR"(<IFRAME src="sub/f.html"></IFRAME>)"_s,
                 {uR"(sub/f.html=<IMG src="./in.png">)"_s, u"sub/in.png"_s},
                 {u"p.html"_s, u"sub/f.html"_s, u"sub/in.png"_s}},
        LinkCase{"PagesIncludingEachOtherEnd", uR"(<IFRAME src="q.html"></IFRAME>)"_s,
                 {uR"(q.html=<IFRAME src="p.html"></IFRAME>)"_s}, {u"p.html"_s, u"q.html"_s}},
        LinkCase{"WebAndMailLinksNeverListed",
                 uR"(<A href="http://x/pic.jpg">w</A><A href="https://x/pic.jpg">s</A><A href="mailto:a@b.jp">m</A>)"_s,
                 {u"pic.jpg"_s}, {u"p.html"_s}},
        LinkCase{"CommandLinkRaisesNotice", uR"(<A href="$NEXT">n</A>)"_s, {}, {u"p.html"_s}, 1},
        LinkCase{"SlashCommandLinkPassesQuietly", uR"(<A href="/$NEXT,$BACK">n</A>)"_s, {}, {u"p.html"_s}, 0},
        LinkCase{"OutsideTheBookNeitherListedNorScanned",
                 uR"(<IMG src="../outside/secret.jpg"><IFRAME src="../outside/f.html"></IFRAME>)"_s,
                 {u"../outside/secret.jpg"_s, uR"(../outside/f.html=<IMG src="../book/pic.jpg">)"_s, u"pic.jpg"_s},
                 {u"p.html"_s}},
        LinkCase{"FolderLinkedOutsideNotListed", uR"(<IMG src="pics/secret.jpg">)"_s,
                 {u"../outside/secret.jpg"_s, u"pics->../outside"_s}, {u"p.html"_s}},
        LinkCase{"FileLinkedOutsideNotListed", uR"(<IMG src="pic.jpg">)"_s,
                 {u"../outside/secret.jpg"_s, u"pic.jpg->../outside/secret.jpg"_s}, {u"p.html"_s}},
        LinkCase{"OutsideNotListedThroughALinkedBook", uR"(<IMG src="../outside/secret.jpg"><IMG src="pic.jpg">)"_s,
                 {u"../outside/secret.jpg"_s, u"pic.jpg"_s}, {u"p.html"_s, u"pic.jpg"_s}, 0, true},
        LinkCase{"ValueWithoutClosingQuoteEndsTheScan", uR"(<IMG src="a.png"><IMG src="b.png)"_s,
                 {u"a.png"_s, u"b.png"_s}, {u"p.html"_s, u"a.png"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(LinkedFiles, CommandLinkNoticeNamesThePageAndTheLink)
{
    QTemporaryDir dir;
    const QString page = testutil::writePage(dir.path(), u"p.html"_s, uR"(<A href="$NEXT">n</A>)"_s);
    LinkedFileCollector collector(dir.path() + u"/"_s, dir.path());
    collector.collect(page);
    EXPECT_EQ(collector.commandLinkNotices(), QStringList{page + u"で\nhref=$NEXT 【Sorvekスクリプト】があります。"_s});
}

TEST(LinkedFiles, StartIsListedEvenWhenMissing)
{
    QTemporaryDir dir;
    LinkedFileCollector collector(dir.path() + u"/"_s, dir.path());
    collector.collect(u"gone.html"_s);
    EXPECT_EQ(collector.files(), QStringList{dir.path() + u"/gone.html"_s});
    EXPECT_TRUE(collector.contains(dir.path() + u"/GONE.html"_s));
}
