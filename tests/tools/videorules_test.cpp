// The video player's rules: window placement, the position label, frame steps and the medium.
#include "tools/videorules.h"

#include "testutil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sorvek;

namespace {

struct PlacementCase {
    const char *name;
    QPoint click;
    QSize video;
    QPoint topLeft;
    QSize client;
};

class VideoPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

// The control bar below the video is 45 pixels high.
TEST_P(VideoPlacementTest, CentredOnTheClickInsideTheScreen)
{
    const PlacementCase &c = GetParam();
    const VideoWindowPlacement p = videoWindowPlacement(c.click, c.video, {0, 45});
    EXPECT_EQ(p.topLeft, c.topLeft);
    EXPECT_EQ(p.clientSize, c.client);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, VideoPlacementTest,
    ::testing::Values(PlacementCase{"CentredOnClick", {500, 400}, {320, 240}, {340, 280}, {320, 285}},
                      PlacementCase{"OddSizesDropTheHalfPixel", {500, 400}, {321, 241}, {340, 280}, {321, 286}},
                      PlacementCase{"LeftOfTheCornerStartsAtZero", {100, 400}, {320, 240}, {0, 280}, {320, 285}},
                      PlacementCase{"AboveTheCornerStartsAtZero", {500, 50}, {320, 240}, {340, 0}, {320, 285}},
                      PlacementCase{"ExactlyAtTheCornerStaysZero", {160, 120}, {320, 240}, {0, 0}, {320, 285}},
                      PlacementCase{"ClickOffScreenStartsAtZero", {-30, -40}, {64, 48}, {0, 0}, {64, 93}},
                      PlacementCase{"NoPictureOnlyTheBar", {500, 400}, {0, 0}, {500, 400}, {0, 45}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(VideoPointer, RestsOnTheControlBarAtTheRewindButton)
{
    EXPECT_EQ(pointerRestPosition(QRect(340, 280, 320, 285), QPoint(60, 18)), QPoint(400, 547));
}

struct LabelCase {
    const char *name;
    qint64 position;
    qint64 length;
    const char *label;
    const char *lengthText;
};

class VideoLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(VideoLabelTest, LeadingZeros)
{
    const LabelCase &c = GetParam();
    EXPECT_EQ(positionText(c.position, c.length), QString::fromLatin1(c.label));
    EXPECT_EQ(mediaLengthText(c.length), QString::fromLatin1(c.lengthText));
    EXPECT_EQ(lengthFromText(mediaLengthText(c.length)), c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, VideoLabelTest,
    ::testing::Values(LabelCase{"ThreeDigitsAtLeast", 56, 1234, "056 / 1234", "01234"},
                      LabelCase{"Nothing", 0, 0, "000 / 000", "00000"},
                      LabelCase{"LongerNumbersKeepAllDigits", 123456, 654321, "123456 / 654321", "654321"},
                      LabelCase{"HoursOfVideo", 7200000, 10800000, "7200000 / 10800000", "10800000"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(VideoLength, TextWithoutANumberIsNoLength)
{
    EXPECT_EQ(lengthFromText(QString()), 0);
    EXPECT_EQ(lengthFromText(QStringLiteral("abc")), 0);
}

struct FrameTimeCase {
    const char *name;
    double rate;
    qint64 ms;
};

class FrameTimeTest : public ::testing::TestWithParam<FrameTimeCase> {};

TEST_P(FrameTimeTest, OneFramesTime)
{
    EXPECT_EQ(frameDuration(GetParam().rate), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameTimeTest,
    ::testing::Values(FrameTimeCase{"Pal", 25.0, 40}, FrameTimeCase{"Ntsc", 29.97, 33},
                      FrameTimeCase{"TenFrames", 10.0, 100}, FrameTimeCase{"VeryFastIsStillAMillisecond", 5000.0, 1},
                      FrameTimeCase{"UnknownRate", 0.0, 33}, FrameTimeCase{"NegativeRate", -5.0, 33},
                      FrameTimeCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 33},
                      FrameTimeCase{"Infinite", std::numeric_limits<double>::infinity(), 33}),
    [](const auto &row) { return std::string(row.param.name); });

struct StepCase {
    const char *name;
    qint64 position;
    qint64 length;
    int frames;
    qint64 target;
};

class FrameStepTest : public ::testing::TestWithParam<StepCase> {};

// Frames of 40 ms.
TEST_P(FrameStepTest, StaysInsideTheMedium)
{
    const StepCase &c = GetParam();
    EXPECT_EQ(frameStepPosition(c.position, c.length, 40, c.frames), c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FrameStepTest,
    ::testing::Values(StepCase{"Forward", 1000, 5000, 1, 1040}, StepCase{"Back", 1000, 5000, -1, 960},
                      StepCase{"BackAtTheStartStaysAtZero", 0, 5000, -1, 0},
                      StepCase{"BackNearTheStartStopsAtZero", 25, 5000, -1, 0},
                      StepCase{"ForwardAtTheEndStaysAtTheEnd", 5000, 5000, 1, 5000},
                      StepCase{"ForwardNearTheEndStopsAtTheEnd", 4990, 5000, 1, 5000},
                      StepCase{"UnknownLengthHasNoEnd", 1000, 0, 1, 1040}),
    [](const auto &row) { return std::string(row.param.name); });

struct SourceCase {
    const char *name;
    const char *caption;
    const char *url;
};

class VideoSourceTest : public ::testing::TestWithParam<SourceCase> {};

TEST_P(VideoSourceTest, MediumOfTheCaption)
{
    const SourceCase &c = GetParam();
    EXPECT_EQ(videoSourceUrl(QString::fromUtf8(c.caption)), QUrl(QString::fromUtf8(c.url)));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, VideoSourceTest,
    ::testing::Values(SourceCase{"LocalPath", "/book/movies/a.avi", "file:///book/movies/a.avi"},
                      SourceCase{"BackslashesFromBookText", "/book\\movies\\a.avi", "file:///book/movies/a.avi"},
                      SourceCase{"BlankAndJapaneseName", "/book/動画 1.wmv", "file:///book/動画 1.wmv"},
                      SourceCase{"FileUrl", "file:///book/movies/a.mpg", "file:///book/movies/a.mpg"},
                      SourceCase{"EncodedFileUrl", "file:///book/a%20b.avi", "file:///book/a b.avi"},
                      SourceCase{"HttpsIsWeb", "https://example.org/a.avi", "https://example.org/a.avi"},
                      SourceCase{"NothingNamed", "  ", ""}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
