#include "print/snapshot_ui.h"

#include "print/snapshotzoom.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPainter>

namespace sorvek {

WriteResult saveJpeg(const QPixmap &picture, const QString &path, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.toImage().save(&buffer, "JPG", quality))
        return {false, path + QStringLiteral(" (JPEGにできません)")};
    return writeBytesSafely(path, bytes);
}

QPixmap zoomSnapshot(const QPixmap &picture, QPoint clicked)
{
    if (picture.isNull())
        return picture;
    const QRect source = snapshotZoomSource(clicked, picture.size());
    QPixmap zoomed(picture.size());
    zoomed.fill(Qt::white);
    QPainter painter(&zoomed);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect(QPoint(0, 0), picture.size()), picture, source);
    return zoomed;
}

WriteResult captureSnapshot(IScreenCapture &capture, QWidget *area, QLabel *image, QSize size, const QString &path)
{
    QPixmap picture = capture.grab(area);
    if (!picture.isNull() && picture.size() != size)
        picture = picture.copy(QRect(QPoint(0, 0), size));
    image->setGeometry(0, 0, size.width(), size.height());
    image->setPixmap(picture);
    image->show();
    capture.copyToClipboard(picture);
    if (path.isEmpty())
        return {true, {}};
    return saveJpeg(picture, path);
}

} // namespace sorvek
