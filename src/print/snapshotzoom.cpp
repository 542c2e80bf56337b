#include "print/snapshotzoom.h"

#include <algorithm>

namespace sorvek {

QRect snapshotZoomSource(QPoint clicked, QSize area)
{
    const int w = std::max(area.width(), 0);
    const int h = std::max(area.height(), 0);
    const int x = std::clamp(clicked.x(), 0, w);
    const int y = std::clamp(clicked.y(), 0, h);
    const int left = x / 2;
    const int top = y / 2;
    const int right = w - (w - x) / 2;
    const int bottom = h - (h - y) / 2;
    return QRect(left, top, right - left, bottom - top);
}

} // namespace sorvek
