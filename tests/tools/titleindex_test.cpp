// The title index: which files are pages, how a page's title is read, the walk's order and its
// guards, and the saved index under its folder key.
#include "tools/pagetitleread.h"
#include "tools/titleindexcache.h"
#include "tools/titleindexwalk.h"

#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

QString page(const QString &title)
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML><HEAD><TITLE>")
           + title + QStringLiteral("</TITLE></HEAD><BODY>本文</BODY></HTML>");
}

struct NameCase {
    const char *name;
    QString file;
    bool page;
};

class PageNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PageNames, HtmlAnywhereAndNoLeadingUnderscore)
{
    EXPECT_EQ(isIndexedPageName(GetParam().file), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Walk, PageNames,
    ::testing::Values(NameCase{"Numbered", QStringLiteral("0010_a.html"), true},
                      NameCase{"HtmlInsideTheName", QStringLiteral("x.html.bak"), true},
                      NameCase{"ShortExtension", QStringLiteral("0020_b.htm"), false},
                      NameCase{"UpperCaseExtension", QStringLiteral("0030_c.HTML"), false},
                      NameCase{"SideMenu", QStringLiteral("_index.html"), false},
                      NameCase{"Help", QStringLiteral("_help.html"), false},
                      NameCase{"UnderscoreInside", QStringLiteral("a_index.html"), true}),
    [](const auto &row) { return std::string(row.param.name); });

// The title as the decoded page gives it; the bytes, damaged ones too, must give the same.
IndexedPageTitle titleOfDecodedText(const QString &file, const QString &text)
{
    const bool lower = text.contains(u"<title>");
    const QString open = lower ? u"<title>"_s : u"<TITLE>"_s;
    const QString close = lower ? u"</title>"_s : u"</TITLE>"_s;
    IndexedPageTitle r;
    r.searchable = !text.contains(u"NOTFIND");
    const qsizetype start = text.indexOf(open);
    const qsizetype end = text.indexOf(close);
    r.title = start >= 0 && end > start + open.size() ? text.mid(start + open.size(), end - start - open.size())
                                                      : fallbackPageName(file);
    return r;
}

TEST(PageTitleBytes, GiveTheTitleOfTheDecodedText)
{
    const QList<QByteArray> pieces = {"<TITLE>", "</TITLE>", "<title>", "</title>", "NOTFIND", "\xE3\x81", "\xE3",
                                      "\x81", "\xFF", "\xEF\xBB\xBF", "\xC3", "a", "<", "TITLE>", u"葉"_s.toUtf8()};
    QRandomGenerator random(8);
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        for (int n = random.bounded(0, 10); n > 0; --n)
            bytes += pieces.at(random.bounded(int(pieces.size())));
        const QString text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
        const IndexedPageTitle expected = titleOfDecodedText(u"/b/1_x.html"_s, text);
        const IndexedPageTitle got = pageTitleFromBytes(u"/b/1_x.html"_s, bytes);
        ASSERT_EQ(got.title, expected.title) << bytes.toHex().toStdString();
        ASSERT_EQ(got.searchable, expected.searchable) << bytes.toHex().toStdString();
    }
}

struct TitleCase {
    const char *name;
    QString file;
    QString text;
    QString title;
    bool searchable;
};

class PageTitles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(PageTitles, TitleOrFallbackName)
{
    const IndexedPageTitle t = pageTitleFromBytes(GetParam().file, GetParam().text.toUtf8());
    EXPECT_EQ(t.title, GetParam().title);
    EXPECT_EQ(t.searchable, GetParam().searchable);
}

INSTANTIATE_TEST_SUITE_P(
    Walk, PageTitles,
    ::testing::Values(
        TitleCase{"Verbatim", u"/b/0010_a.html"_s, page(u" \"g.png\"りんご#赤?ヒント "_s), u" \"g.png\"りんご#赤?ヒント "_s, true},
        TitleCase{"EmptyTitleFallsBack", u"/b/0010_表紙.html"_s, page(QString()), u"表紙"_s, true},
        TitleCase{"NoUnderscoreKeepsName", u"/b/abc.html"_s, page(QString()), u"abc"_s, true},
        TitleCase{"CutAfterFirstUnderscore", u"/b/1_2_x.html"_s, page(QString()), u"2_x"_s, true},
        TitleCase{"LowerOpenUpperClose", u"/b/0010_下.html"_s, u"<title>x</TITLE>"_s, u"下"_s, true},
        TitleCase{"LowerPair", u"/b/0010_a.html"_s, u"<title>小文字</title>"_s, u"小文字"_s, true},
        TitleCase{"LowerPairWinsOverUpper", u"/b/0010_a.html"_s, u"<TITLE>大</TITLE><title>小</title>"_s,
                  u"小"_s, true},
        TitleCase{"NoClosingTag", u"/b/0010_a.html"_s, u"<TITLE>切れた"_s, u"a"_s, true},
        TitleCase{"ClosingBeforeOpening", u"/b/0010_a.html"_s, u"</TITLE>x<TITLE>y"_s, u"a"_s, true},
        TitleCase{"NoTitleAtAll", u"/b/0010_a.html"_s, u"本文だけ"_s, u"a"_s, true},
        TitleCase{"NotFindInComment", u"/b/0010_a.html"_s, page(u"t"_s) + u"<!-- NOTFIND -->"_s, u"t"_s, false},
        TitleCase{"NotFindIsExactCase", u"/b/0010_a.html"_s, page(u"t"_s) + u"notfind"_s, u"t"_s, true}),
    [](const auto &row) { return std::string(row.param.name); });

class WalkTest : public ::testing::Test {
protected:
    QString base() const { return dir.path() + u'/'; }
    void add(const QString &relative, const QString &title) { testutil::writePage(dir.path(), relative, page(title)); }

    QTemporaryDir dir;
};

TEST_F(WalkTest, OnlyPagesAreIndexed)
{
    for (const char *name : {"_index.html", "_help.html", "0010_a.html", "0020_b.htm", "0030_c.HTML", "x.html.bak"})
        add(QString::fromUtf8(name), QStringLiteral("T"));
    const TitleList index = walkTitleIndex(base());
    EXPECT_EQ(index.paths, (QStringList{u"0010_a.html"_s, u"x.html.bak"_s}));
}

TEST_F(WalkTest, FoldersComeWhereTheyStandAndPathsAreRelative)
{
    add(u"1010_a.html"_s, u"A"_s);
    add(u"1020_sub/1010_b.html"_s, u"B"_s);
    add(u"1020_sub/deep/1010_c.html"_s, u"C"_s);
    add(u"1030_d.html"_s, u"D"_s);
    testutil::writeBytes(dir.path(), u"NOTE/1010_y.html"_s, page(u"Y"_s).toUtf8() + "NOTFIND");
    const TitleList index = walkTitleIndex(dir.path()); // a base without "/" gets one
    EXPECT_EQ(index.paths, (QStringList{u"1010_a.html"_s, u"1020_sub/1010_b.html"_s, u"1020_sub/deep/1010_c.html"_s,
                                        u"1030_d.html"_s}));
    EXPECT_EQ(index.titles, (QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
}

TEST_F(WalkTest, MicroWorldsFolderIsLeftOut)
{
    add(u"MWEX/help.html"_s, u"H"_s);
    add(u"MWEX/doc/x.html"_s, u"X"_s);
    add(u"sub/MWEX/y.html"_s, u"Y"_s); // only the searched folder's own MWEX is MicroWorlds EX's
    EXPECT_EQ(walkTitleIndex(base()).paths, QStringList{u"sub/MWEX/y.html"_s});
}

TEST_F(WalkTest, LinkedFolderThatLoopsIsEnteredOnce)
{
    add(u"a/1010_p.html"_s, u"P"_s);
    ASSERT_TRUE(QFile::link(dir.filePath(u"a"_s), dir.filePath(u"a/back"_s)));
    EXPECT_EQ(walkTitleIndex(base()).paths, QStringList{u"a/1010_p.html"_s});
}

TEST_F(WalkTest, UnreadablePageIsListedByNameAndReported)
{
    add(u"1010_読める.html"_s, u"R"_s);
    const QString locked = testutil::writePage(dir.path(), u"1020_鍵.html"_s, page(u"L"_s));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    QFile probe(locked);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    TitleIndexWalk walk(base());
    walk.run();
    EXPECT_EQ(walk.found().titles, (QStringList{u"R"_s, u"鍵"_s}));
    EXPECT_EQ(walk.unreadable(), QStringList{locked});
}

TEST_F(WalkTest, RunsInSlicesToTheSameIndex)
{
    for (int i = 0; i < 30; ++i)
        add(QStringLiteral("f%1/%2_p.html").arg(i % 4).arg(1000 + i), QStringLiteral("T%1").arg(i));
    TitleIndexWalk walk(base());
    int slices = 0;
    while (!walk.run(QDeadlineTimer(0)))
        ++slices;
    EXPECT_GT(slices, 10); // an expired deadline still reads one page per slice
    EXPECT_EQ(walk.found(), walkTitleIndex(base()));
    EXPECT_EQ(walk.pagesRead(), 30);
}

TEST_F(WalkTest, WalkDroppedMidwayStopsAndTheNextIsWhole)
{
    for (int i = 0; i < 400; ++i)
        add(QStringLiteral("f%1/g%2/%3_p.html").arg(i % 20).arg(i % 3).arg(1000 + i), QStringLiteral("T%1").arg(i));
    for (int taken = 0; taken < 3; ++taken) { // Esc before the first page, after one, after a few
        TitleIndexWalk walk(base());
        for (int k = 0; k < taken; ++k)
            walk.run(QDeadlineTimer(0));
    }
    const TitleList index = walkTitleIndex(base());
    EXPECT_EQ(index.size(), 400);
    EXPECT_EQ(index.paths.first(), u"f0/g0/1000_p.html"_s);
}

TEST_F(WalkTest, MissingFolderGivesAnEmptyIndex)
{
    EXPECT_TRUE(walkTitleIndex(dir.filePath(u"nothing/"_s)).isEmpty());
}

TEST(TitleIndexCache, HoldsTheIndexOnlyForItsFolderUntilMarkedStale)
{
    QString indexedFolder = TitleIndexCache::staleKey();
    TitleIndexCache cache(indexedFolder);
    EXPECT_FALSE(cache.holds(u"/book/"_s));
    TitleList index;
    index.append(u"a.html"_s, u"A"_s);
    cache.store(u"/book/"_s, index);
    EXPECT_EQ(indexedFolder, u"/book/"_s);
    EXPECT_TRUE(cache.holds(u"/book/"_s));
    EXPECT_FALSE(cache.holds(u"/book/sub/"_s));
    indexedFolder = u"xxx"_s; // a page writer elsewhere
    EXPECT_FALSE(cache.holds(u"/book/"_s));
    cache.store(u"/empty/"_s, {});
    EXPECT_TRUE(cache.saved().isEmpty()); // an empty walk never brings back another folder's index
}

TEST(TitleIndexCache, KeepsEachOrderUntilTheNextWalk)
{
    QString indexedFolder;
    TitleIndexCache cache(indexedFolder);
    TitleList index;
    index.append(u"b.html"_s, u"bb"_s);
    index.append(u"a.html"_s, u"a"_s);
    cache.store(u"/book/"_s, index);
    EXPECT_EQ(cache.sorted(SearchMode::TitleLength).paths, (QStringList{u"a.html"_s, u"b.html"_s}));
    EXPECT_EQ(cache.sorted(SearchMode::BodyText).titles, (QStringList{u"a"_s, u"bb"_s}));
    EXPECT_EQ(&cache.sorted(SearchMode::LookTitle), &cache.sorted(SearchMode::BodyText)); // one order by title
    EXPECT_EQ(cache.saved(), index);                                                       // the walk's order stays
    index.append(u"c.html"_s, u""_s);
    cache.store(u"/book/"_s, index);
    EXPECT_EQ(cache.sorted(SearchMode::TitleLength).paths.first(), u"c.html"_s);
}

} // namespace
