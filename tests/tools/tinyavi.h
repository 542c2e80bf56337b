#pragma once
// A tiny uncompressed AVI (24-bit bottom-up DIB frames, no sound) made in memory, so the video
// tests need no encoder or recorded file. Frame i is filled with colourOfFrame(i).
#include <QByteArray>
#include <QtEndian>

#include <array>

namespace tinyavi {

struct Colour {
    quint8 r, g, b;
};

// Frames step through a few clearly different colours.
inline Colour colourOfFrame(int i)
{
    static constexpr std::array<Colour, 4> colours{{{250, 20, 20}, {20, 250, 20}, {20, 20, 250}, {240, 240, 240}}};
    return colours[static_cast<size_t>(i) % colours.size()];
}

namespace detail {

inline void u32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

inline void u16(QByteArray &out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

inline QByteArray chunk(const char *fourcc, const QByteArray &body)
{
    QByteArray out(fourcc, 4);
    u32(out, quint32(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

inline QByteArray list(const char *type, const QByteArray &body)
{
    return chunk("LIST", QByteArray(type, 4) + body);
}

} // namespace detail

// width * 3 must be a multiple of 4 (no row padding is written).
inline QByteArray make(int width, int height, int fps, int frames)
{
    using namespace detail;
    const quint32 frameBytes = quint32(width * height * 3);
    QByteArray avih;
    u32(avih, quint32(1000000 / fps)); // microseconds per frame
    u32(avih, frameBytes * quint32(fps));
    u32(avih, 0);
    u32(avih, 0x10); // has an index
    u32(avih, quint32(frames));
    u32(avih, 0);
    u32(avih, 1); // streams
    u32(avih, frameBytes);
    u32(avih, quint32(width));
    u32(avih, quint32(height));
    for (int i = 0; i < 4; ++i)
        u32(avih, 0);

    QByteArray strh("vids", 4);
    strh += QByteArray("DIB ", 4);
    u32(strh, 0);
    u16(strh, 0);
    u16(strh, 0);
    u32(strh, 0);
    u32(strh, 1);            // scale
    u32(strh, quint32(fps)); // rate
    u32(strh, 0);
    u32(strh, quint32(frames));
    u32(strh, frameBytes);
    u32(strh, 0xFFFFFFFF);
    u32(strh, 0);
    u16(strh, 0);
    u16(strh, 0);
    u16(strh, quint16(width));
    u16(strh, quint16(height));

    QByteArray strf;
    u32(strf, 40);
    u32(strf, quint32(width));
    u32(strf, quint32(height));
    u16(strf, 1);
    u16(strf, 24);
    u32(strf, 0); // BI_RGB
    u32(strf, frameBytes);
    for (int i = 0; i < 4; ++i)
        u32(strf, 0);

    const QByteArray hdrl = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));

    QByteArray movi;
    QByteArray idx;
    for (int f = 0; f < frames; ++f) {
        const Colour c = colourOfFrame(f);
        QByteArray pixels;
        pixels.reserve(int(frameBytes));
        for (int p = 0; p < width * height; ++p) {
            pixels += char(c.b);
            pixels += char(c.g);
            pixels += char(c.r);
        }
        idx += QByteArray("00db", 4);
        u32(idx, 0x10); // key frame
        u32(idx, quint32(4 + movi.size()));
        u32(idx, frameBytes);
        movi += chunk("00db", pixels);
    }
    return chunk("RIFF", QByteArray("AVI ", 4) + hdrl + list("movi", movi) + chunk("idx1", idx));
}

} // namespace tinyavi
