#include "book/pagebuttonlayout.h"

namespace sorvek {

PageButtonLayout::PageButtonLayout(int n, int boxWidth, int boxHeight)
    : n_(n > 0 ? n : 0), boxWidth_(boxWidth), boxHeight_(boxHeight)
{
    const int spare = boxHeight_ - MinimumPitch * (n_ + 1);
    pitch_ = spare > 0 ? spare / (n_ + 1) + MinimumPitch : MinimumPitch;
}

QRect PageButtonLayout::buttonRect(int i) const
{
    return QRect(ButtonMargin, i * pitch_, boxWidth_ - 2 * ButtonMargin, pitch_ - 1);
}

QRect PageButtonLayout::highlightedRect(int i) const
{
    return QRect(ButtonMargin - 4, i * pitch_, boxWidth_ - 2 * ButtonMargin - 2, pitch_ - 1);
}

QString pageNumberText(int index, int count)
{
    return QString::number(index + 1) + QLatin1String(" / ") + QString::number(count);
}

} // namespace sorvek
