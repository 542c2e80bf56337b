#include "authoring/picturesize.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace sorvek {

namespace {

constexpr int kWidestPagePicture = 1000;

quint32 byteAt(const QByteArray &data, qsizetype at)
{
    return quint8(data.at(at));
}

quint32 littleEndian16(const QByteArray &data, qsizetype at)
{
    return byteAt(data, at) | byteAt(data, at + 1) << 8;
}

quint32 bigEndian16(const QByteArray &data, qsizetype at)
{
    return byteAt(data, at) << 8 | byteAt(data, at + 1);
}

quint32 littleEndian32(const QByteArray &data, qsizetype at)
{
    return littleEndian16(data, at) | littleEndian16(data, at + 2) << 16;
}

quint32 bigEndian32(const QByteArray &data, qsizetype at)
{
    return bigEndian16(data, at) << 16 | bigEndian16(data, at + 2);
}

std::optional<QSize> validSize(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return std::nullopt;
    return QSize(int(width), int(height));
}

std::optional<QSize> gifSize(const QByteArray &data)
{
    if (data.size() < 10)
        return std::nullopt;
    return validSize(littleEndian16(data, 6), littleEndian16(data, 8));
}

std::optional<QSize> pngSize(const QByteArray &data)
{
    if (data.size() < 24 || data.mid(12, 4) != "IHDR")
        return std::nullopt;
    return validSize(bigEndian32(data, 16), bigEndian32(data, 20));
}

std::optional<QSize> bmpSize(const QByteArray &data)
{
    if (data.size() < 26)
        return std::nullopt;
    if (littleEndian32(data, 14) == 12) // the old OS/2 header holds 16-bit sizes
        return validSize(littleEndian16(data, 18), littleEndian16(data, 20));
    const qint32 height = qint32(littleEndian32(data, 22)); // negative for top-down pictures
    return validSize(qint32(littleEndian32(data, 18)), std::abs(qint64(height)));
}

bool isFrameMarker(quint32 marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments up to the first frame header; every step moves forward, so damaged data ends.
std::optional<QSize> jpegSize(const QByteArray &data)
{
    qsizetype at = 2;
    while (at + 1 < data.size()) {
        if (byteAt(data, at) != 0xFF)
            return std::nullopt;
        const quint32 marker = byteAt(data, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA || at + 3 >= data.size())
            return std::nullopt;
        const quint32 length = bigEndian16(data, at + 2);
        if (length < 2)
            return std::nullopt;
        if (isFrameMarker(marker)) {
            if (length < 7 || at + 8 >= data.size())
                return std::nullopt;
            return validSize(bigEndian16(data, at + 7), bigEndian16(data, at + 5));
        }
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<QSize> pictureSizeOf(const QByteArray &data)
{
    if (data.startsWith("GIF87a") || data.startsWith("GIF89a"))
        return gifSize(data);
    if (data.startsWith("\x89PNG\r\n\x1A\n"))
        return pngSize(data);
    if (data.startsWith("BM"))
        return bmpSize(data);
    if (data.startsWith("\xFF\xD8"))
        return jpegSize(data);
    return std::nullopt;
}

PagePictureSize pagePictureSize(QSize natural)
{
    double width = natural.width();
    double height = natural.height();
    if (width > kWidestPagePicture) {
        height = kWidestPagePicture / width * height;
        width = kWidestPagePicture;
    }
    // nearbyint rounds in the default mode: to nearest, a half to the even neighbour.
    return {QString::number(qint64(std::nearbyint(width))), QString::number(qint64(std::nearbyint(height)))};
}

} // namespace sorvek
