#include "tools/maskzones.h"

namespace sorvek {

MaskClick maskClickAction(int y, int h, bool rightButton, bool blankScreenShown, int pageIndex, int pageCount)
{
    if (blankScreenShown)
        return MaskClick::HideBlankScreen;
    if (rightButton)
        return MaskClick::CloseMask;
    if (y > h / 2) {
        if (y > h - 20)
            return MaskClick::Nothing;
        return pageIndex < pageCount - 1 ? MaskClick::Next : MaskClick::Top;
    }
    if (y < 20)
        return MaskClick::ShowBlankScreen;
    return pageIndex > 0 ? MaskClick::Back : MaskClick::Nothing;
}

QRect maskHoleRect(const MaskPanels &panels)
{
    const QRect &base = panels.kabeBASE;
    const QRect &kabe = panels.kabe;
    const int left = base.x() + kabe.x() - panels.hyoushiupWidth - 2;
    const int top = base.y() - 4;
    const int right = base.x() + kabe.x() + kabe.width() + panels.kabeRightWidth - 2;
    const int bottom = base.y() + kabe.y() + kabe.height() + panels.kabedownHeight - 4;
    // Right and bottom are edges, not the last pixel inside.
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace sorvek
