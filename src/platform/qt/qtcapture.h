#pragma once
// Screen pictures over Qt: QWidget::grab and the clipboard.
#include "platform/capture_ui.h"

namespace sorvek {

class QtScreenCapture : public IScreenCapture {
public:
    QPixmap grab(QWidget *widget) override;
    void copyToClipboard(const QPixmap &picture) override;
};

} // namespace sorvek
