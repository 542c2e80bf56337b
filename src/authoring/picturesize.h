#pragma once
// The natural size of a picture read from its header (GIF, JPEG, BMP, PNG), and the width cap
// that imported picture pages apply.
#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

namespace sorvek {

// Width and height in pixels, recognised by the data's signature (not by the file name);
// nothing for data that is no such picture or is cut short.
std::optional<QSize> pictureSizeOf(const QByteArray &data);

// The size an image page gives a picture, as decimal texts.
struct PagePictureSize {
    QString width;
    QString height;
};
// Pictures wider than 1000 pixels are scaled to 1000 wide, keeping the proportion; the height is
// rounded to the nearest whole number, a half going to the even neighbour.
PagePictureSize pagePictureSize(QSize natural);

} // namespace sorvek
