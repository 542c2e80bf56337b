// The slide of a newly loaded page and the breadcrumb back to the calling level.
#include "book/breadcrumb.h"
#include "book/levelstack.h"
#include "book/pageslide.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

struct SlideCase {
    const char *name;
    int width;
    int direction;
    QList<int> positions;
};

class SlideTest : public ::testing::TestWithParam<SlideCase> {};

TEST_P(SlideTest, SixSteps)
{
    const SlideCase &c = GetParam();
    EXPECT_EQ(slidePositions(c.width, c.direction), c.positions);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SlideTest,
    ::testing::Values(SlideCase{"ForwardEntersFromRight", 600, 1, {600, 500, 400, 300, 200, 100}},
                      SlideCase{"BackwardEntersFromLeft", 600, -1, {-600, -500, -400, -300, -200, -100}},
                      // 1000 / 6 = 166, 2000 / 6 = 333, 3000 / 6 = 500 ... each product divided once.
                      SlideCase{"ForwardDividesEachProduct", 1000, 1, {1000, 834, 667, 500, 334, 167}},
                      SlideCase{"BackwardDividesEachProduct", 1000, -1, {-1000, -834, -667, -500, -334, -167}},
                      SlideCase{"AnyLaterPageCountsAsForward", 600, 3, {600, 500, 400, 300, 200, 100}},
                      SlideCase{"NoDirectionNoSlide", 600, 0, {}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(Slide, RestsJustLeftOfThePanel)
{
    EXPECT_EQ(SlideRestingLeft, -2);
    EXPECT_EQ(SlideStepMilliseconds * 6, 240);
}

struct LabelCase {
    const char *name;
    QString title;
    QString label;
};

class BreadcrumbLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(BreadcrumbLabelTest, ReducesTitleToCaption)
{
    EXPECT_EQ(breadcrumbLabel(GetParam().title), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BreadcrumbLabelTest,
    ::testing::Values(
        LabelCase{"PlainTitle", QStringLiteral("植物のつくり"), QStringLiteral("植物のつくり")},
        LabelCase{"GlyphQuotesAndBeforeGone", QStringLiteral("\"leaf.bmp\"葉のつくり"), QStringLiteral("葉のつくり")},
        LabelCase{"SecondLineGone", QStringLiteral("葉の#つくり"), QStringLiteral("葉の")},
        LabelCase{"HintGone", QStringLiteral("葉のつくり?観察しよう"), QStringLiteral("葉のつくり")},
        LabelCase{"GlyphLineAndHintGone", QStringLiteral("\"leaf.bmp\"葉の#つくり?観察"), QStringLiteral("葉の")},
        LabelCase{"MarkedPage", QStringLiteral("\"!\"まとめ"), QStringLiteral("まとめ")},
        LabelCase{"AnglesUnescaped", QStringLiteral("a&lt;b&gt;c"), QStringLiteral("a<b>c")},
        LabelCase{"HashInsideGlyphCutsFirst", QStringLiteral("\"a#b.bmp\"題"), QStringLiteral("a")},
        LabelCase{"OnlyGlyphLeavesNothing", QStringLiteral("\"leaf.bmp\""), QString()}),
    [](const auto &row) { return std::string(row.param.name); });

LevelStack stackOfDepth(int depth, const QString &callingTitle)
{
    testutil::BookLevels levels;
    for (int d = 0; d < depth; ++d) {
        const QString folder = QStringLiteral("/book/level%1/").arg(d);
        const QString title = d == depth - 2 ? callingTitle : QStringLiteral("other");
        levels.pushLevel({QStringLiteral("a.html"), QStringLiteral("b.html")}, {QStringLiteral("first"), title}, 1,
                         folder);
    }
    return levels;
}

struct CrumbCase {
    const char *name;
    int depth;
    QString callingTitle;
    bool visible;
    int picture;
    std::optional<QString> hint;
};

class BreadcrumbTest : public ::testing::TestWithParam<CrumbCase> {};

TEST_P(BreadcrumbTest, ShowsCallingLevel)
{
    const CrumbCase &c = GetParam();
    const Breadcrumb crumb = breadcrumbFor(stackOfDepth(c.depth, c.callingTitle));
    EXPECT_EQ(crumb.visible, c.visible);
    EXPECT_EQ(crumb.hint, c.hint);
    if (c.visible) {
        EXPECT_EQ(crumb.picture, c.picture);
        EXPECT_EQ(crumb.folderLabel, QStringLiteral("level%1").arg(c.depth - 1));
    }
}

const QString back = QStringLiteral("]のページに戻る");

INSTANTIATE_TEST_SUITE_P(
    Rules, BreadcrumbTest,
    ::testing::Values(
        CrumbCase{"RootOnlyHidesAndLeavesHint", 1, QStringLiteral("x"), false, 0, std::nullopt},
        CrumbCase{"DepthTwoPictureTwo", 2, QStringLiteral("\"g.bmp\"葉#2?h"), true, 2, u'[' + QStringLiteral("葉") + back},
        CrumbCase{"DepthThreePictureThree", 3, QStringLiteral("根"), true, 3, u'[' + QStringLiteral("根") + back},
        CrumbCase{"DepthFivePictureFour", 5, QStringLiteral("茎"), true, 4, u'[' + QStringLiteral("茎") + back},
        CrumbCase{"EmptyLabelHidesButSetsHint", 2, QStringLiteral("#only second line"), false, 0,
                  QStringLiteral("[") + back}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(Breadcrumb, IndexOutsideCallingTitlesTakesFirst)
{
    testutil::BookLevels levels;
    levels.pushLevel({QStringLiteral("a.html")}, {QStringLiteral("最初")}, 7, QStringLiteral("/book"));
    levels.pushLevel({QStringLiteral("x.html")}, {QStringLiteral("x")}, 0, QStringLiteral("/book/sub"));
    const Breadcrumb crumb = breadcrumbFor(levels);
    EXPECT_TRUE(crumb.visible);
    EXPECT_EQ(crumb.hint, QStringLiteral("[最初]のページに戻る"));
    EXPECT_EQ(crumb.folderLabel, QStringLiteral("sub"));
}

TEST(Breadcrumb, CallingLevelWithoutTitlesHides)
{
    testutil::BookLevels levels;
    levels.pushLevel({}, {}, 0, QStringLiteral("/book"));
    levels.pushLevel({QStringLiteral("x.html")}, {QStringLiteral("x")}, 0, QStringLiteral("/book/sub"));
    const Breadcrumb crumb = breadcrumbFor(levels);
    EXPECT_FALSE(crumb.visible);
    EXPECT_EQ(crumb.hint, QStringLiteral("[]のページに戻る"));
}

} // namespace
