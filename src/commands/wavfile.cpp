#include "commands/wavfile.h"

#include <QtEndian>

#include <algorithm>

namespace sorvek {

namespace {

void append16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void append32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray emptyRecordingFile()
{
    QByteArray out("RIFF");
    append32(out, 50);
    out += "WAVEfmt ";
    append32(out, 18);
    append16(out, 1);     // PCM
    append16(out, 1);     // mono
    append32(out, 22050); // samples per second
    append32(out, 22050); // bytes per second
    append16(out, 1);     // block align
    append16(out, 8);     // bits per sample
    append16(out, 0);     // no extra format bytes
    out += "fact";
    append32(out, 4);
    append32(out, 0);     // sample frames
    out += "data";
    append32(out, 0);
    return out;
}

QByteArray wavHeader(const PcmFormat &format, quint32 dataBytes)
{
    const quint32 data = std::min(dataBytes, kMaxWavDataBytes);
    const quint32 padded = data + (data & 1u);
    const quint16 blockAlign = quint16(format.channels * format.bitsPerSample / 8);
    QByteArray out("RIFF");
    append32(out, 36 + padded);
    out += "WAVEfmt ";
    append32(out, 16);
    append16(out, format.floatSamples ? 3 : 1);
    append16(out, quint16(format.channels));
    append32(out, quint32(format.sampleRate));
    append32(out, quint32(format.sampleRate) * blockAlign);
    append16(out, blockAlign);
    append16(out, quint16(format.bitsPerSample));
    out += "data";
    append32(out, data);
    return out;
}

QByteArray wavFile(const PcmFormat &format, const QByteArray &samples)
{
    const QByteArray data = samples.left(kMaxWavDataBytes);
    QByteArray out = wavHeader(format, quint32(data.size())) + data;
    if (data.size() & 1)
        out.append('\0');
    return out;
}

} // namespace sorvek
