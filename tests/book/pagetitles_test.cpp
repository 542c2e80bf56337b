#include "book/levelstack.h"
#include "book/pagebuttonface.h"
#include "book/pagetitles.h"
#include "testutil.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

const QString docType = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n");

// One page, read by the three title rules: the level's title list, the re-read after an edit,
// and the button refresh.
struct TitleCase {
    const char *name;
    QString fileName;
    QString text;
    QString levelTitle;
    QString rereadTitle;
    QString buttonTitle;
};

QString page(const QString &head)
{
    return docType + QStringLiteral("<HTML><HEAD>") + head + QStringLiteral("</HEAD><BODY>本文です。</BODY></HTML>\n");
}

} // namespace

class TitleRulesTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleRulesTest, ReadsTitleOfPage)
{
    const TitleCase &c = GetParam();
    QTemporaryDir dir;
    testutil::writePage(dir.path(), c.fileName, c.text);
    testutil::BookLevels levels;
    levels.openLevel(dir.path(), 0, true);
    ASSERT_EQ(levels.pageList(), QStringList{c.fileName});
    EXPECT_EQ(levels.title(0), c.levelTitle) << "title list";
    EXPECT_EQ(refreshedButtonTitle(c.fileName, levels.topFolder(), QString()), c.buttonTitle) << "button refresh";
    ASSERT_EQ(levels.titeleLoad(0, QStringLiteral("file:///x.html")).status, TitleLoadResult::Status::Loaded);
    EXPECT_EQ(levels.title(0), c.rereadTitle) << "re-read";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TitleRulesTest,
    ::testing::Values(
        TitleCase{"UpperCaseTags", u"1010_p.html"_s, page(u"<TITLE>第一課</TITLE>"_s), u"第一課"_s, u"第一課"_s,
                  u"第一課"_s},
        TitleCase{"LowerCaseTagsOnlyForListAndButton", u"1010_p.html"_s, page(u"<title>第一課</title>"_s),
                  u"第一課"_s, u"p"_s, u"第一課"_s},
        TitleCase{"NoDocTypeUsesFileName", u"1010_Intro.html"_s, u"<HTML><HEAD><TITLE>題</TITLE></HEAD></HTML>"_s,
                  u"Intro"_s, u"Intro"_s, u"Intro"_s},
        TitleCase{"LowerCaseDocTypeIsNoDocType", u"a_b.html"_s, u"<!doctype html public \"x\"><TITLE>題</TITLE>"_s,
                  u"b"_s, u"b"_s, u"b"_s},
        TitleCase{"EmptyTitleKeptOnlyByReread", u"1010_p.html"_s, page(u"<TITLE></TITLE>"_s), u"p"_s, QString(),
                  u"p"_s},
        TitleCase{"NameWithoutUnderscoreWhole", u"plain.html"_s, u"no title"_s, u"plain"_s, u"plain"_s, u"plain"_s},
        TitleCase{"FirstUnderscoreOnly", u"1_2_x.html"_s, u"no title"_s, u"2_x"_s, u"2_x"_s, u"2_x"_s},
        TitleCase{"EntitiesUnescapedOnlyInList", u"p.html"_s, page(u"<TITLE>a&lt;b&gt;c</TITLE>"_s), u"a<b>c"_s,
                  u"a&lt;b&gt;c"_s, u"a&lt;b&gt;c"_s},
        TitleCase{"TitleAttributesOnlyForButton", u"9_p.html"_s, page(u"<TITLE lang=\"ja\">題</TITLE>"_s), u"p"_s,
                  u"p"_s, u"題"_s},
        TitleCase{"MissingCloseTag", u"9_p.html"_s, page(u"<TITLE>題"_s), u"p"_s, QString(), u"p"_s},
        TitleCase{"GlyphAndHintKeptInTitle", u"p.html"_s, page(u"<TITLE>\"pic.bmp\"第一課#その二?先に読む</TITLE>"_s),
                  u"\"pic.bmp\"第一課#その二?先に読む"_s, u"\"pic.bmp\"第一課#その二?先に読む"_s,
                  u"\"pic.bmp\"第一課#その二?先に読む"_s}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(TitleRules, MissingFileTakesTitleOfLevelBelow)
{
    QTemporaryDir dir;
    testutil::writePage(dir.path(), QStringLiteral("a.html"), page(QStringLiteral("<TITLE>題</TITLE>")));
    const QStringList pages{QStringLiteral("a.html"), QStringLiteral("1010_gone.html"), QStringLiteral("2_lost.html")};
    const QStringList below{QStringLiteral("下0"), QStringLiteral("下1")};
    const QStringList titles = readLevelTitles(pages, dir.path() + QLatin1Char('/'), below);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("題"), QStringLiteral("下1"), QStringLiteral("lost")}));
    EXPECT_FALSE(readLevelTitle(dir.filePath(QStringLiteral("1010_gone.html"))).has_value());
}

class ShiftJisPageTest : public ::testing::TestWithParam<const char *> {};

TEST_P(ShiftJisPageTest, IsMigratedAndTitled)
{
    QTemporaryDir dir;
    const QString text = docType + QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=")
        + QLatin1String(GetParam()) + QStringLiteral("\">\r\n<TITLE>日本の歴史</TITLE></HEAD><BODY>表示</BODY></HTML>\r\n");
    QStringEncoder sjis("windows-31j");
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("1010_rekishi.html"), sjis.encode(text));
    testutil::BookLevels levels;
    levels.openLevel(dir.path(), 0, true);
    EXPECT_EQ(levels.title(0), QStringLiteral("日本の歴史"));
    const QByteArray after = testutil::readBytes(path);
    EXPECT_TRUE(after.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(after.contains("charset=UTF-8"));
}

INSTANTIATE_TEST_SUITE_P(Declarations, ShiftJisPageTest, ::testing::Values("Shift_JIS", "shift_jis", "SHIFT_JIS", "Shift-JIS", "x-sjis",
                                                                       "MS932", "windows-31j", "cp932"));

TEST(TitleRules, UnderscoreInJapaneseUtf8PageIsNoMigration)
{
    QTemporaryDir dir;
    const QString path = testutil::writePage(dir.path(), QStringLiteral("a.html"),
                                             page(QStringLiteral("<TITLE>a_JIS</TITLE>")));
    const QByteArray before = testutil::readBytes(path);
    EXPECT_EQ(readLevelTitle(path).value(), QStringLiteral("a_JIS"));
    EXPECT_EQ(testutil::readBytes(path), before);
}
