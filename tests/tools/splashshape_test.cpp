// The splash window's frame shape: client origin and the strips outside the client area.
#include "tools/splashshape.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

int areaOf(const QList<QRect> &rects)
{
    int area = 0;
    for (const QRect &r : rects)
        area += r.width() * r.height();
    return area;
}

bool overlapping(const QList<QRect> &rects)
{
    for (qsizetype i = 0; i < rects.size(); ++i)
        for (qsizetype j = i + 1; j < rects.size(); ++j)
            if (rects.at(i).intersects(rects.at(j)))
                return true;
    return false;
}

struct FrameCase {
    const char *name;
    QSize window;
    QSize client;
    int border;
    int top;
};

class SplashFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(SplashFrameTest, StripsSurroundTheClientArea)
{
    const FrameCase &c = GetParam();
    const SplashFrame frame = splashFrame(c.window, c.client);
    EXPECT_EQ(frame.border, c.border);
    EXPECT_EQ(frame.top, c.top);
    EXPECT_FALSE(overlapping(frame.strips));
    const QRect client(QPoint(c.border, c.top), QPoint(c.window.width() - c.border - 1, c.window.height() - c.border - 1));
    for (const QRect &strip : frame.strips) {
        EXPECT_FALSE(strip.intersects(client)) << "strip inside the client area";
        EXPECT_TRUE(QRect(QPoint(0, 0), c.window).contains(strip)) << "strip outside the window";
    }
    EXPECT_EQ(areaOf(frame.strips), c.window.width() * c.window.height() - client.width() * client.height());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplashFrameTest,
    ::testing::Values(FrameCase{"BorderlessHasNoFrame", {1280, 1024}, {1280, 1024}, 0, 0},
                      FrameCase{"BorderAndCaption", {816, 639}, {800, 600}, 8, 31},
                      FrameCase{"OddWidthDropsTheHalfPixel", {805, 630}, {800, 600}, 2, 28},
                      FrameCase{"EmptyWindow", {0, 0}, {0, 0}, 0, 0}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(RectXor, PartlyOverlappingRectanglesKeepBothOutsides)
{
    const QRect a(0, 0, 10, 10);
    const QRect b(5, 5, 10, 10);
    const QList<QRect> parts = rectXor(a, b);
    EXPECT_FALSE(overlapping(parts));
    EXPECT_EQ(areaOf(parts), 100 + 100 - 2 * 25);
    for (const QRect &r : parts)
        EXPECT_FALSE(r.intersects(a.intersected(b)));
}

TEST(RectXor, SeparateRectanglesAreBothKept)
{
    EXPECT_EQ(rectXor(QRect(0, 0, 2, 2), QRect(5, 5, 2, 2)), (QList<QRect>{QRect(0, 0, 2, 2), QRect(5, 5, 2, 2)}));
    EXPECT_TRUE(rectXor(QRect(1, 1, 4, 4), QRect(1, 1, 4, 4)).isEmpty());
}

} // namespace
