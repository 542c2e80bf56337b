#pragma once
// The zoom of the page snapshot: a click doubles the picture around the clicked point.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace sorvek {

// The part of a picture of size area that fills the whole area after a click at clicked: left
// x/2, top y/2, right W - (W - x)/2, bottom H - (H - y)/2 (division truncating), so the clicked
// point stays where it was. A click outside the area counts at its nearest edge.
QRect snapshotZoomSource(QPoint clicked, QSize area);

} // namespace sorvek
