#include "app/pictures_ui.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace sorvek::pictures {

QPixmap bottomBar(QSize size)
{
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    QLinearGradient g(0, 0, 0, size.height());
    g.setColorAt(0, QColor(0x50, 0x50, 0x58));
    g.setColorAt(1, QColor(0x10, 0x10, 0x14));
    p.fillRect(pixmap.rect(), g);
    return pixmap;
}

QPixmap startButton(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2e, 0x8b, 0x57));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(pixmap.rect().adjusted(1, 1, -1, -1), 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(size.height() / 2);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("スタート"));
    return pixmap;
}

QPixmap arrow(QSize size, bool forward)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xe0, 0xe0, 0x40));
    p.setPen(Qt::NoPen);
    const qreal w = size.width(), h = size.height(), cx = w / 2;
    QPainterPath path;
    if (forward) {
        path.moveTo(cx - h, 2);
        path.lineTo(cx + h, h / 2);
        path.lineTo(cx - h, h - 2);
    } else {
        path.moveTo(cx + h, 2);
        path.lineTo(cx - h, h / 2);
        path.lineTo(cx + h, h - 2);
    }
    path.closeSubpath();
    p.drawPath(path);
    return pixmap;
}

QPixmap reload(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0xd0, 0xff), 3));
    p.drawArc(pixmap.rect().adjusted(4, 4, -4, -4), 30 * 16, 300 * 16);
    return pixmap;
}

QPixmap glyph(const QString &symbol, QSize size, QColor colour)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(colour);
    QFont f = p.font();
    f.setPixelSize(size.height() * 2 / 3);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return pixmap;
}

namespace {

// A stack of sheets, one more for each level deeper, so the breadcrumb shows how deep the reader is.
QPixmap levelSheets(int sheets, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x1a, 0x3d, 0x80));
    const int step = 4;
    const QSize sheet(size.width() - 2 - step * 2, size.height() - 2 - step * 2);
    for (int k = sheets - 1; k >= 0; --k) {
        p.setBrush(k == 0 ? QColor(0xff, 0xff, 0xff) : QColor(0xa6, 0xca, 0xf0));
        p.drawRect(QRect(QPoint(1 + step * k, 1 + step * (2 - k)), sheet));
    }
    return pixmap;
}

} // namespace

QPixmap imageList1(int index)
{
    if (index == 0)
        return glyph(QStringLiteral("〆"), QSize(24, 24), Qt::red);
    if (index >= 2 && index <= 4)
        return levelSheets(index - 1, QSize(24, 24));
    return glyph(QStringLiteral("◆"), QSize(24, 24), QColor(0x33, 0x66, 0xcc));
}

} // namespace sorvek::pictures
