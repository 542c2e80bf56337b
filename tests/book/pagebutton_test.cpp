#include "book/pagebuttonface.h"
#include "book/levelstack.h"
#include "book/pagebuttonlayout.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

struct GeometryCase {
    const char *name;
    int pages;
    int pitch;
    bool scrolls;
};

class ColumnGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(ColumnGeometryTest, SharesColumnHeight)
{
    const GeometryCase &c = GetParam();
    const PageButtonLayout layout(c.pages, 120, 705);
    EXPECT_EQ(layout.pitch(), c.pitch);
    EXPECT_EQ(layout.scrolls(), c.scrolls);
    if (c.pages > 1) {
        EXPECT_EQ(layout.buttonRect(1), QRect(2, c.pitch, 116, c.pitch - 1));
        EXPECT_EQ(layout.highlightedRect(1), QRect(-2, c.pitch, 114, c.pitch - 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, ColumnGeometryTest,
                         ::testing::Values(GeometryCase{"TenPagesShareHeight", 10, 64, false},
                                           GeometryCase{"TwentyFourPagesMinimumPitch", 24, 28, false},
                                           GeometryCase{"TwentyFivePagesMinimumPitchStillFit", 25, 28, false},
                                           GeometryCase{"TwentySixPagesScroll", 26, 28, true},
                                           GeometryCase{"NoPages", 0, 705, false}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST(PageNumber, CountsFromOne)
{
    EXPECT_EQ(pageNumberText(0, 0), QStringLiteral("1 / 0"));
    EXPECT_EQ(pageNumberText(4, 12), QStringLiteral("5 / 12"));
}

namespace {

QString pad(const QString &text, int width)
{
    return text + QString(qMax(0, width - 2 * int(text.size())), QLatin1Char(' '));
}

struct FaceCase {
    const char *name;
    QString title;
    QStringList caption;
    QString hint;
    PageButtonFace::Picture picture;
    int imageIndex;
};

} // namespace

class ButtonFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(ButtonFaceTest, ReadsTitleIntoButton)
{
    const FaceCase &c = GetParam();
    QTemporaryDir dir;
    testutil::writeBytes(dir.path(), QStringLiteral("pic.bmp"), "BM");
    const QString top = dir.path() + QLatin1Char('/');
    const PageButtonFace face = PageButtonFace::forNewButton(c.title, 0, top);
    EXPECT_EQ(face.captionLines(), c.caption);
    EXPECT_EQ(face.hint().value_or(QStringLiteral("<none>")), c.hint);
    EXPECT_EQ(face.picture(), c.picture);
    if (c.picture == PageButtonFace::Picture::GlyphFile) {
        EXPECT_EQ(face.glyphPath(), top + QStringLiteral("pic.bmp"));
    }
    if (c.picture != PageButtonFace::Picture::None) {
        EXPECT_EQ(face.imageIndex(), c.imageIndex);
    }
}

using Pic = PageButtonFace::Picture;

INSTANTIATE_TEST_SUITE_P(
    Rules, ButtonFaceTest,
    ::testing::Values(
        FaceCase{"GlyphTwoLinesAndHint", QStringLiteral("\"pic.bmp\"Lesson 1#part two?Read first"),
                 {pad(QStringLiteral("Lesson 1"), 16), pad(QStringLiteral("part two"), 16)},
                 QStringLiteral("1 Read first"), Pic::GlyphFile, 1},
        FaceCase{"GlyphOneLineWidth12", QStringLiteral("\"pic.bmp\"Lesson 1"), {pad(QStringLiteral("Lesson 1"), 12)},
                 QStringLiteral("1"), Pic::GlyphFile, 1},
        FaceCase{"PlainWidth16", QStringLiteral("第一課"), {pad(QStringLiteral("第一課"), 16)}, QStringLiteral("1"),
                 Pic::None, 0},
        FaceCase{"MarkWithoutFileIsPictureZero", QStringLiteral("\"!\"第一課"), {pad(QStringLiteral("第一課"), 12)},
                 QStringLiteral("1"), Pic::ImageList, 0},
        FaceCase{"LongGlyphNameNotAFileIsPictureOne", QStringLiteral("\"star.png\"星"), {pad(QStringLiteral("星"), 12)},
                 QStringLiteral("1"), Pic::ImageList, 1},
        FaceCase{"OneDoubleQuoteStaysInCaption", QStringLiteral("a\"b"), {pad(QStringLiteral("a\"b"), 16)},
                 QStringLiteral("1"), Pic::None, 0},
        FaceCase{"TextBeforeFirstQuoteDropped", QStringLiteral("x\"pic.bmp\"y"), {pad(QStringLiteral("y"), 12)},
                 QStringLiteral("1"), Pic::GlyphFile, 1},
        FaceCase{"EmptyQuotesStillWidth12", QStringLiteral("\"\"abc"), {pad(QStringLiteral("abc"), 12)},
                 QStringLiteral("1"), Pic::None, 0},
        FaceCase{"HintAfterFirstQuestionMark", QStringLiteral("問?答え?です"), {pad(QStringLiteral("問"), 16)},
                 QStringLiteral("1 答え?です"), Pic::None, 0},
        FaceCase{"EntitiesUnescaped", QStringLiteral("a&lt;b&gt;"), {pad(QStringLiteral("a<b>"), 16)},
                 QStringLiteral("1"), Pic::None, 0},
        FaceCase{"ReferencesDecodedAfterTheTitleIsSplit", QStringLiteral("Q&amp;A&#35;1&quot;&#12354;?&amp;&gt;&bogus;"),
                 {pad(QStringLiteral("Q&A#1\"あ"), 16)}, QStringLiteral("1 &>&bogus;"), Pic::None, 0},
        FaceCase{"BareAmpersandStays", QStringLiteral("Q&A & B;"), {pad(QStringLiteral("Q&A & B;"), 16)},
                 QStringLiteral("1"), Pic::None, 0},
        FaceCase{"LongCaptionCut", QStringLiteral("abcdefghijklmnopqrstuvwxyz"),
                 {QStringLiteral("abcdefghijklmnopqrst")}, QStringLiteral("1"), Pic::None, 0}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ButtonFace, HintCountsPageFromOne)
{
    EXPECT_EQ(PageButtonFace::forNewButton(QStringLiteral("x?y"), 4, QStringLiteral("/")).hint().value(),
              QStringLiteral("5 y"));
}

TEST(ButtonFace, CaptionJoinsLinesWithCrLf)
{
    const PageButtonFace face = PageButtonFace::forNewButton(QStringLiteral("a#b"), 0, QStringLiteral("/"));
    EXPECT_EQ(face.caption(), pad(QStringLiteral("a"), 16) + QStringLiteral("\r\n") + pad(QStringLiteral("b"), 16));
}

TEST(ButtonFace, RefreshKeepsHintWithoutQuestionMarkAndDropsGlyph)
{
    const PageButtonFace plain = PageButtonFace::forRefresh(QStringLiteral("題"), 2, QStringLiteral("/"));
    EXPECT_FALSE(plain.hint().has_value());
    EXPECT_EQ(plain.picture(), PageButtonFace::Picture::None);
    const PageButtonFace hinted = PageButtonFace::forRefresh(QStringLiteral("題?説明"), 2, QStringLiteral("/"));
    EXPECT_EQ(hinted.hint().value(), QStringLiteral("3 説明"));
}

TEST(ButtonFace, RefreshShowsDecodedText)
{
    const PageButtonFace face =
        PageButtonFace::forRefresh(QStringLiteral("a&lt;b&gt;c?x&amp;y&#x3042;"), 0, QStringLiteral("/"));
    EXPECT_EQ(face.captionLines().first(), pad(QStringLiteral("a<b>c"), 16));
    EXPECT_EQ(face.hint().value(), QStringLiteral("1 x&yあ"));
}

TEST(ButtonFace, RefreshedTitleFromFileOrStoredTitle)
{
    QTemporaryDir dir;
    const QString top = dir.path() + QLatin1Char('/');
    testutil::writePage(dir.path(), QStringLiteral("1010_a.html"),
                        QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\n<title>新&lt;題</title>"));
    EXPECT_EQ(refreshedButtonTitle(QStringLiteral("1010_a.html"), top, QStringLiteral("古")), QStringLiteral("新&lt;題"));
    EXPECT_EQ(refreshedButtonTitle(QStringLiteral("gone.html"), top, QStringLiteral("古&gt;")), QStringLiteral("古>"));
    EXPECT_EQ(refreshedButtonTitle(QStringLiteral("https://example.org/x.html"), top, QStringLiteral("外")),
              QStringLiteral("外"));
}

TEST(ButtonFace, RefreshOfPageInLevel)
{
    QTemporaryDir dir;
    testutil::writePage(dir.path(), QStringLiteral("1010_a.html"),
                        QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\n<TITLE>旧</TITLE>"));
    testutil::BookLevels levels;
    EXPECT_FALSE(refreshedPageButtonFace(levels, 0).has_value());
    levels.openLevel(dir.path(), 0, true);
    testutil::writePage(dir.path(), QStringLiteral("1010_a.html"),
                        QStringLiteral("<!DOCTYPE HTML PUBLIC \"x\">\n<TITLE>新?説明</TITLE>"));
    const std::optional<PageButtonFace> face = refreshedPageButtonFace(levels, 0);
    ASSERT_TRUE(face.has_value());
    EXPECT_EQ(face->captionLines().first(), pad(QStringLiteral("新"), 16));
    EXPECT_EQ(face->hint().value(), QStringLiteral("1 説明"));
    EXPECT_FALSE(refreshedPageButtonFace(levels, 1).has_value());
    EXPECT_FALSE(refreshedPageButtonFace(levels, -1).has_value());
}
