#pragma once
// Pictures of the screen and the clipboard's picture, which the window-free core cannot hold.
#include <QPixmap>

class QWidget;

namespace sorvek {

class IScreenCapture {
public:
    virtual ~IScreenCapture() = default;
    // A picture of what the widget shows (the page area for the snapshot).
    virtual QPixmap grab(QWidget *widget) = 0;
    // Puts a picture on the clipboard.
    virtual void copyToClipboard(const QPixmap &picture) = 0;
};

} // namespace sorvek
