#pragma once
// WAV files of page recordings: the empty 58-byte file written before the recorder starts, and
// the header of the PCM files the recorder writes.
#include <QByteArray>

namespace sorvek {

// An empty recording: 22050 Hz, mono, 8-bit PCM with a "fact" chunk and no samples (58 bytes).
QByteArray emptyRecordingFile();

struct PcmFormat {
    int sampleRate = 22050;
    int channels = 1;
    int bitsPerSample = 16;
    bool floatSamples = false; // IEEE float samples (format tag 3) instead of integers (1)
};

// The largest data chunk a WAV file can describe: its sizes are 32-bit.
inline constexpr quint32 kMaxWavDataBytes = 0xFFFFFFFFu - 36u - 1u;

// The 44-byte header of a canonical WAV file: "RIFF", size, "WAVE", a 16-byte "fmt " chunk and
// the "data" chunk header. dataBytes above kMaxWavDataBytes is taken as kMaxWavDataBytes.
QByteArray wavHeader(const PcmFormat &format, quint32 dataBytes);
// Header and samples; an odd data chunk gets its pad byte.
QByteArray wavFile(const PcmFormat &format, const QByteArray &samples);

} // namespace sorvek
