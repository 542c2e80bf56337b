#pragma once
// The splash window's frame shape: the strips of the window that lie outside its client area and
// where that client area starts, both in window coordinates.
#include <QList>
#include <QRect>
#include <QSize>

namespace sorvek {

struct SplashFrame {
    int border = 0;      // the side border's width
    int top = 0;         // the client area's top
    QList<QRect> strips; // the window rectangle exclusive-or the client rectangle
};

// The border is half the width the client area lacks (fraction dropped); the client's top is the
// height it lacks less one border. A borderless window has no strips.
SplashFrame splashFrame(QSize window, QSize client);

// The points in exactly one of the two rectangles, as rectangles that do not overlap.
QList<QRect> rectXor(const QRect &a, const QRect &b);

} // namespace sorvek
