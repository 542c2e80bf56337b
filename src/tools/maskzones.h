#pragma once
// The presentation mask's rules: what a press on the black surround does, and where the hole
// over the main window's page area lies.
#include <QRect>

namespace sorvek {

enum class MaskClick {
    HideBlankScreen, // the blank screen was up: any button only takes it away
    CloseMask,       // right button
    Next,
    Top,             // lower half on the last page: back to the first
    Back,
    ShowBlankScreen, // the top 20 pixels
    Nothing,         // the bottom 20 pixels, or the upper half on the first page
};

// A press at height y of a mask h pixels high. The lower half (y > h / 2, fraction dropped)
// turns forward except in its bottom 20 pixels (y > h - 20); the upper half turns back except in
// its top 20 pixels (y < 20), which blank the screen.
MaskClick maskClickAction(int y, int h, bool rightButton, bool blankScreenShown, int pageIndex, int pageCount);

// The main window's panels as the hole needs them: kabeBASE in screen coordinates, kabe inside it,
// and the widths of the side menu's header (hyoushiup) and the page-button column (kabeRight),
// the height of the bottom bar (kabedown).
struct MaskPanels {
    QRect kabeBASE;
    QRect kabe;
    int hyoushiupWidth = 0;
    int kabeRightWidth = 0;
    int kabedownHeight = 0;
};

// The hole in screen coordinates: from the side menu's header to the page-button column, from
// the top of kabeBASE to the bottom bar's lower edge, a few pixels up and left so the browser's
// own border stays under the mask.
QRect maskHoleRect(const MaskPanels &panels);

} // namespace sorvek
