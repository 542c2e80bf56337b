#pragma once
// The page snapshot: a picture of the page area kept in the main window's Image1, copied to the
// clipboard, saved as JPEG for the resume, and zoomed by clicks.
#include "commands/textfile.h"
#include "platform/capture_ui.h"

#include <QPixmap>
#include <QPoint>
#include <QSize>

class QLabel;
class QWidget;

namespace sorvek {

// Encodes a picture as JPEG (quality 90) and writes it through the safe writer.
WriteResult saveJpeg(const QPixmap &picture, const QString &path, int quality = 90);

// The picture after a click at clicked (picture coordinates): the part around the point, drawn
// twice as large over the whole picture.
QPixmap zoomSnapshot(const QPixmap &picture, QPoint clicked);

// Photographs area into image at (0, 0) with the given size, shows image (it stays behind the
// browser panel until that is hidden), puts the picture on the clipboard and, with a path,
// saves it as JPEG. An empty path saves nothing and reports success.
WriteResult captureSnapshot(IScreenCapture &capture, QWidget *area, QLabel *image, QSize size, const QString &path);

} // namespace sorvek
