#include "editor/editorgeometry.h"

#include "editor/editortext.h"

#include <cmath>

namespace sorvek::editorgeometry {

namespace {

// Where the placeholder picture stands when the picture's own size is not known.
const QSize kCentrePlaceholder(600, 400);
const QSize kSidePlaceholder(280, 340);
// The size a picture gets when the page gave a width but no height, or the file is no picture.
const QString kFallbackWidth = QStringLiteral("200");
const QString kFallbackHeight = QStringLiteral("150");

} // namespace

QList<QRect> tableGridCells(QSize panel)
{
    const int w = panel.width();
    const int h = panel.height();
    const int b = w / 8;
    const int a = w / 10;
    const int rowHeight = h / 14;
    QList<QRect> cells;
    cells.reserve(kGridCellCount);
    const int eightLefts[8] = {0, b, 2 * b, 2 * b + a, 2 * b + 2 * a, 2 * b + 3 * a, 2 * b + 4 * a, 2 * b + 5 * a};
    for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
            const int width = col < 2 ? b : (col < 7 ? a : w - eightLefts[7]);
            cells.append(QRect(eightLefts[col], row * rowHeight, width, rowHeight));
        }
    }
    const int threeLefts[3] = {0, b, 2 * b};
    for (int row = 8; row < 12; ++row) {
        for (int col = 0; col < 3; ++col) {
            const int width = col < 2 ? b : w - 2 * b;
            cells.append(QRect(threeLefts[col], row * rowHeight, width, rowHeight));
        }
    }
    cells.append(QRect(0, 12 * rowHeight, w, h - 12 * rowHeight));
    return cells;
}

ImagePanelPlacement placeImagePanel(const ImagePanelInput &in)
{
    QSize size = in.currentPanel;
    if (in.keepFieldSize)
        size = QSize(in.fieldWidth, in.fieldHeight);
    const bool centre = in.mode == 1;
    if (!in.pictureSizeKnown)
        size = centre ? kCentrePlaceholder : kSidePlaceholder;
    ImagePanelPlacement out;
    if (centre) {
        out.panel = QRect(centredLeft(in.outerWidth, size.width()), 0, size.width(), size.height());
        out.outerHeight = size.height();
    } else {
        out.panel = QRect(0, 0, size.width(), size.height());
        out.outerWidth = size.width();
    }
    out.width = size.width();
    out.height = size.height();
    out.aspect = aspectOf(out.width, out.height);
    return out;
}

LoadedSize sizeAfterLoad(const LoadedSizeInput &in)
{
    LoadedSize out;
    out.sizeKnown = in.readable;
    out.aspect = aspectOf(in.ownWidth, in.ownHeight);
    if (!in.keepFieldSize && in.readable) {
        out.width = QString::number(in.ownWidth);
        out.height = QString::number(in.ownHeight);
        return out;
    }
    if (in.keepFieldSize && !in.fieldHeight.isEmpty()) {
        out.width = in.fieldWidth;
        out.height = in.fieldHeight;
        out.aspect = aspectOf(editortext::sizeFieldValue(in.fieldWidth), editortext::sizeFieldValue(in.fieldHeight));
        return out;
    }
    // The page gave no height (or the file is no picture): a stand-in size, dropped again on saving.
    out.width = kFallbackWidth;
    out.height = kFallbackHeight;
    out.sizeKnown = false;
    out.aspect = in.readable ? 0.0 : aspectOf(kFallbackWidth.toInt(), kFallbackHeight.toInt());
    return out;
}

int scrolledHeight(int width, double aspect)
{
    return static_cast<int>(std::nearbyint(width * aspect));
}

double aspectOf(int width, int height)
{
    return width > 0 ? static_cast<double>(height) / width : 0.0;
}

int centredLeft(int outerWidth, int innerWidth)
{
    return (outerWidth - innerWidth) / 2;
}

} // namespace sorvek::editorgeometry
