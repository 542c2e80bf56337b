#include "platform/qt/qtcapture.h"

#include <QApplication>
#include <QClipboard>
#include <QWidget>

namespace sorvek {

QPixmap QtScreenCapture::grab(QWidget *widget)
{
    return widget ? widget->grab() : QPixmap();
}

void QtScreenCapture::copyToClipboard(const QPixmap &picture)
{
    QApplication::clipboard()->setPixmap(picture);
}

} // namespace sorvek
