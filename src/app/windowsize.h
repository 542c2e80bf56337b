#pragma once
// The main window's base size, chosen once from the width of the screen's work area.
#include <QSize>

namespace sorvek {

inline QSize baseSizeForWorkArea(int workAreaWidth)
{
    return workAreaWidth >= 1024 ? QSize(1024, 742) : QSize(800, 574);
}

} // namespace sorvek
