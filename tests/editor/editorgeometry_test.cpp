#include "editor/editorgeometry.h"
#include "editor/stylepreview.h"

#include "testutil.h"

#include <gtest/gtest.h>

using namespace sorvek::editorgeometry;

namespace {

TEST(TableGrid, Example596By508)
{
    const QList<QRect> cells = tableGridCells(QSize(596, 508));
    ASSERT_EQ(cells.size(), kGridCellCount);
    // b 74, a 59, h 36
    EXPECT_EQ(cells[0], QRect(0, 0, 74, 36));                  // Memo3
    EXPECT_EQ(cells[1], QRect(74, 0, 74, 36));                 // Memo6
    EXPECT_EQ(cells[2], QRect(148, 0, 59, 36));                // Memo7
    EXPECT_EQ(cells[7], QRect(443, 0, 153, 36));               // Memo12: the eighth column
    EXPECT_EQ(cells[8], QRect(0, 36, 74, 36));                 // Memo13
    EXPECT_EQ(cells[63], QRect(443, 7 * 36, 153, 36));         // Memo68
    EXPECT_EQ(cells[64], QRect(0, 8 * 36, 74, 36));            // Memo69
    EXPECT_EQ(cells[66], QRect(148, 8 * 36, 448, 36));         // Memo71
    EXPECT_EQ(cells[75], QRect(148, 11 * 36, 448, 36));        // Memo80
    EXPECT_EQ(cells[76], QRect(0, 432, 596, 76));              // Memo81
}

TEST(TableGrid, RowsEndAtTheRightAndTheLastAtTheBottom)
{
    for (const QSize size : {QSize(596, 508), QSize(814, 480), QSize(7, 13), QSize(0, 0)}) {
        const QList<QRect> cells = tableGridCells(size);
        for (int i = 0; i < 64; i += 8)
            EXPECT_EQ(cells[i + 7].x() + cells[i + 7].width(), size.width()) << "row " << i / 8;
        for (int i = 64; i < 76; i += 3)
            EXPECT_EQ(cells[i + 2].x() + cells[i + 2].width(), size.width());
        EXPECT_EQ(cells[76].y() + cells[76].height(), size.height());
    }
}

struct PanelCase {
    const char *name;
    ImagePanelInput in;
    QRect panel;
    int outerWidth;
    int outerHeight;
    double aspect;
};

class ImagePanel : public ::testing::TestWithParam<PanelCase> {};

TEST_P(ImagePanel, Rule)
{
    const ImagePanelPlacement out = placeImagePanel(GetParam().in);
    EXPECT_EQ(out.panel, GetParam().panel);
    EXPECT_EQ(out.outerWidth, GetParam().outerWidth);
    EXPECT_EQ(out.outerHeight, GetParam().outerHeight);
    EXPECT_EQ(out.width, GetParam().panel.width());
    EXPECT_EQ(out.height, GetParam().panel.height());
    EXPECT_DOUBLE_EQ(out.aspect, GetParam().aspect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImagePanel,
    ::testing::Values(
        PanelCase{"NoPictureCentre", {false, 0, 0, false, 1, QSize(50, 50), 814}, QRect(107, 0, 600, 400), -1, 400, 400.0 / 600},
        PanelCase{"NoPictureSide", {true, 90, 90, false, 2, QSize(50, 50), 814}, QRect(0, 0, 280, 340), 280, -1, 340.0 / 280},
        PanelCase{"KeptSizeCentre", {true, 320, 240, true, 1, QSize(50, 50), 814}, QRect(247, 0, 320, 240), -1, 240, 0.75},
        PanelCase{"CurrentSizeSide", {false, 320, 240, true, 3, QSize(100, 50), 814}, QRect(0, 0, 100, 50), 100, -1, 0.5},
        PanelCase{"WiderThanOuterTruncatesTowardZero", {true, 821, 10, true, 1, QSize(), 814}, QRect(-3, 0, 821, 10), -1, 10, 10.0 / 821},
        PanelCase{"ZeroWidthNeverDivides", {true, 0, 150, true, 1, QSize(), 814}, QRect(407, 0, 0, 150), -1, 150, 0.0}),
    [](const auto &row) { return std::string(row.param.name); });

struct LoadCase {
    const char *name;
    LoadedSizeInput in;
    QString width;
    QString height;
    bool sizeKnown;
    double aspect;
};

class SizeAfterLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SizeAfterLoad, Rule)
{
    const LoadedSize out = sizeAfterLoad(GetParam().in);
    EXPECT_EQ(out.width, GetParam().width);
    EXPECT_EQ(out.height, GetParam().height);
    EXPECT_EQ(out.sizeKnown, GetParam().sizeKnown);
    EXPECT_DOUBLE_EQ(out.aspect, GetParam().aspect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizeAfterLoad,
    ::testing::Values(
        LoadCase{"OwnSize", {true, 640, 480, false, QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("640"), QStringLiteral("480"), true, 0.75},
        LoadCase{"PageSizeKept", {true, 640, 480, true, QStringLiteral("370"), QStringLiteral("300")}, QStringLiteral("370"), QStringLiteral("300"), true, 300.0 / 370},
        LoadCase{"PageGaveNoHeight", {true, 640, 480, true, QStringLiteral("370"), QString()}, QStringLiteral("200"), QStringLiteral("150"), false, 0.0},
        LoadCase{"KeptEmptyWidthNeverDivides", {true, 640, 480, true, QString(), QStringLiteral("300")}, QString(), QStringLiteral("300"), true, 0.0},
        LoadCase{"UnreadableGetsStandIn", {false, 0, 0, false, QString(), QString()}, QStringLiteral("200"), QStringLiteral("150"), false, 0.75},
        LoadCase{"UnreadableKeepsPageSize", {false, 0, 0, true, QStringLiteral("370"), QStringLiteral("300")}, QStringLiteral("370"), QStringLiteral("300"), false, 300.0 / 370}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ScrolledHeight, HalvesGoToEven)
{
    EXPECT_EQ(scrolledHeight(5, 0.5), 2);  // 2.5
    EXPECT_EQ(scrolledHeight(7, 0.5), 4);  // 3.5
    EXPECT_EQ(scrolledHeight(100, 0.75), 75);
    EXPECT_EQ(scrolledHeight(300, 0.0), 0);
}

TEST(StylePreview, CoverKeepsGridSizeAndOthersSetIt)
{
    using namespace sorvek::stylepreview;
    EXPECT_FALSE(lookForStyle(4).gridSize.has_value());
    EXPECT_EQ(lookForStyle(3).gridSize, 16);
    EXPECT_EQ(lookForStyle(2).h2.text.rgb, 0x008080u);
    EXPECT_EQ(lookForStyle(0).rule.system, SystemColour::ScrollBar);
    EXPECT_EQ(lookForStyle(3).body.ground.system, SystemColour::ButtonFace);
    EXPECT_EQ(lookForStyle(4).h1.pointSize, 26);
    EXPECT_EQ(lookForStyle(9).h1.pointSize, lookForStyle(0).h1.pointSize);
}

} // namespace
