// The presentation mask's click zones and its hole.
#include "tools/maskzones.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

struct ZoneCase {
    const char *name;
    int y;
    bool right;
    bool blank;
    int index;
    MaskClick action;
};

class MaskZoneTest : public ::testing::TestWithParam<ZoneCase> {};

// A mask 768 pixels high over a level of 5 pages.
TEST_P(MaskZoneTest, ClickZones)
{
    const ZoneCase &c = GetParam();
    EXPECT_EQ(maskClickAction(c.y, 768, c.right, c.blank, c.index, 5), c.action);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MaskZoneTest,
    ::testing::Values(ZoneCase{"LowerHalfNext", 600, false, false, 2, MaskClick::Next},
                      ZoneCase{"LowerHalfOnLastPageTop", 600, false, false, 4, MaskClick::Top},
                      ZoneCase{"ExactlyTwentyAboveBottomStillTurns", 748, false, false, 2, MaskClick::Next},
                      ZoneCase{"NineteenAboveBottomNothing", 749, false, false, 2, MaskClick::Nothing},
                      ZoneCase{"HalfIsUpperHalf", 384, false, false, 2, MaskClick::Back},
                      ZoneCase{"JustBelowHalfIsLower", 385, false, false, 2, MaskClick::Next},
                      ZoneCase{"UpperHalfBack", 200, false, false, 2, MaskClick::Back},
                      ZoneCase{"UpperHalfOnFirstPageNothing", 200, false, false, 0, MaskClick::Nothing},
                      ZoneCase{"TopStripBlanks", 19, false, false, 2, MaskClick::ShowBlankScreen},
                      ZoneCase{"TwentyIsBelowTopStrip", 20, false, false, 2, MaskClick::Back},
                      ZoneCase{"RightButtonCloses", 600, true, false, 2, MaskClick::CloseMask},
                      ZoneCase{"BlankScreenFirstHidden", 600, false, true, 2, MaskClick::HideBlankScreen},
                      ZoneCase{"BlankScreenHiddenEvenByRightButton", 600, true, true, 2, MaskClick::HideBlankScreen}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(MaskHole, SpansSideMenuPageAndButtonColumn)
{
    MaskPanels panels;
    panels.kabeBASE = QRect(0, 30, 1024, 742);
    panels.kabe = QRect(180, 0, 724, 690);
    panels.hyoushiupWidth = 180;
    panels.kabeRightWidth = 120;
    panels.kabedownHeight = 52;
    const QRect hole = maskHoleRect(panels);
    EXPECT_EQ(hole.left(), -2);
    EXPECT_EQ(hole.top(), 26);
    EXPECT_EQ(hole.right() + 1, 180 + 724 + 120 - 2);
    EXPECT_EQ(hole.bottom() + 1, 30 + 690 + 52 - 4);
}

} // namespace
