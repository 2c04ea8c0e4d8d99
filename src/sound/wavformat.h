#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

// The format block of a WAV file's "fmt " chunk: the 16 bytes every format has, and for a
// format other than PCM its extra bytes (the 16-bit extra size is their count).
struct CWaveFormat
{
    static constexpr quint16 kPcm = 1;
    static constexpr quint16 kIeeeFloat = 3;
    static constexpr quint16 kExtensible = 0xFFFE;

    quint16 wFormatTag = 0;
    quint16 nChannels = 0;
    quint32 nSamplesPerSec = 0;
    quint32 nAvgBytesPerSec = 0;
    quint16 nBlockAlign = 0;
    quint16 wBitsPerSample = 0;
    QByteArray extra;  // always empty for PCM

    // PCM with block size and bytes per second worked out from the other fields.
    static CWaveFormat Pcm(quint16 channels, quint32 samplesPerSec, quint16 bits);

    bool IsPcm() const { return wFormatTag == kPcm; }
    // The body of the "fmt " chunk: 16 bytes for PCM, otherwise 18 plus the extra bytes.
    QByteArray ChunkBody() const;

    friend bool operator==(const CWaveFormat&, const CWaveFormat&) = default;
};

// Where the parts of a WAV file lie in its bytes.
struct CWavLayout
{
    CWaveFormat format;
    qint64 dataOffset = 0;    // first byte of the sound data
    qint64 dataSize = 0;      // bytes of sound data present (never past the end of the bytes)
    quint32 declaredDataSize = 0;  // the "data" chunk's own length field
};

namespace WavHeader {
// Bytes of the header that a recording writes before its data.
constexpr qint64 kRecordingHeaderSize = 56;
// Offsets, in a recording's header, of the fields filled in when the file is closed.
constexpr qint64 kRiffLengthOffset = 4;
constexpr qint64 kFactValueOffset = 44;
constexpr qint64 kDataLengthOffset = 52;

// Reads the layout of a RIFF/WAVE file from its bytes: the first chunk must be "RIFF" with
// form type "WAVE"; inside it a "fmt " chunk of at least 16 bytes (PCM, or a format whose
// extra bytes lie inside that chunk) and a "data" chunk. Never reads outside the bytes given;
// a "data" chunk that claims more than the bytes hold is cut to what is there.
std::optional<CWavLayout> Parse(QByteArrayView bytes);

// The header a recording starts with: "RIFF" (length 0), "WAVE", "fmt " with the format,
// "fact" holding 0xFFFFFFFF while recording, and an empty "data" chunk.
QByteArray BuildRecordingHeader(const CWaveFormat& format);
}  // namespace WavHeader
