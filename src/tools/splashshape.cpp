#include "tools/splashshape.h"

namespace sorvek {

namespace {

// a less b: up to four bands around their intersection.
QList<QRect> rectMinus(const QRect &a, const QRect &b)
{
    if (a.isEmpty())
        return {};
    const QRect common = a.intersected(b);
    if (common.isEmpty())
        return {a};
    QList<QRect> parts;
    const auto add = [&parts](const QRect &r) {
        if (!r.isEmpty())
            parts.append(r);
    };
    add(QRect(QPoint(a.left(), a.top()), QPoint(a.right(), common.top() - 1)));
    add(QRect(QPoint(a.left(), common.bottom() + 1), QPoint(a.right(), a.bottom())));
    add(QRect(QPoint(a.left(), common.top()), QPoint(common.left() - 1, common.bottom())));
    add(QRect(QPoint(common.right() + 1, common.top()), QPoint(a.right(), common.bottom())));
    return parts;
}

} // namespace

QList<QRect> rectXor(const QRect &a, const QRect &b)
{
    return rectMinus(a, b) + rectMinus(b, a);
}

SplashFrame splashFrame(QSize window, QSize client)
{
    SplashFrame frame;
    frame.border = (window.width() - client.width()) / 2;
    frame.top = window.height() - client.height() - frame.border;
    const QRect whole(QPoint(0, 0), window);
    // The client rectangle runs from (b, t) to (width - b, height - b), edges exclusive.
    const QRect inner(QPoint(frame.border, frame.top),
                      QPoint(window.width() - frame.border - 1, window.height() - frame.border - 1));
    frame.strips = rectXor(whole, inner);
    return frame;
}

} // namespace sorvek
