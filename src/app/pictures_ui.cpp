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

QPixmap imageList1(int index)
{
    return index == 0 ? glyph(QStringLiteral("〆"), QSize(24, 24), Qt::red)
                      : glyph(QStringLiteral("◆"), QSize(24, 24), QColor(0x33, 0x66, 0xcc));
}

} // namespace sorvek::pictures
