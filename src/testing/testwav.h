#pragma once

// WAV files for tests, byte by byte: any "fmt " fields (sound Orthex plays and sound it must
// refuse) around any data, chunks whose lengths lie, and recordings as the recorder writes them.

#include "sound/wavformat.h"

#include <QByteArray>
#include <QtEndian>

namespace TestWav {
inline QByteArray Le16(quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}

inline QByteArray Le32(quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

// The 16 bytes every "fmt " chunk starts with, as given.
inline QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint32 byteRate, quint16 blockAlign, quint16 bits)
{
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(byteRate) + Le16(blockAlign) + Le16(bits);
}

// The same with the block size and byte rate that channels, rate and bits make.
inline QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 block = quint16(channels * bits / 8);
    return Fmt(tag, channels, rate, rate * block, block, bits);
}

// An extensible "fmt " chunk body whose sub-format starts with `subTag` (1: PCM, 3: float).
inline QByteArray Extensible(quint16 channels, quint32 rate, quint16 bits, quint16 subTag = 1)
{
    return Fmt(0xFFFE, channels, rate, bits) + Le16(22) + Le16(bits) + Le32(channels == 1 ? 4 : 3) + Le16(subTag)
           + QByteArray::fromHex("000000001000800000aa00389b71");
}

// A chunk: its id, its length (the body's, or the one declared), the body and a pad byte after
// an odd body.
inline QByteArray Chunk(const char* id, const QByteArray& body, qint64 declared = -1)
{
    QByteArray out = QByteArray(id, 4) + Le32(quint32(declared < 0 ? body.size() : declared)) + body;
    if (body.size() & 1)
        out += '\0';
    return out;
}

// A RIFF/WAVE file of the chunks, with the RIFF length they make or the one declared.
inline QByteArray Riff(const QByteArray& chunks, qint64 declared = -1)
{
    return "RIFF" + Le32(quint32(declared < 0 ? chunks.size() + 4 : declared)) + "WAVE" + chunks;
}

// A RIFF/WAVE file of a "fmt " chunk with that body and a "data" chunk with the sound.
inline QByteArray File(const QByteArray& fmt, const QByteArray& data)
{
    return Riff(Chunk("fmt ", fmt) + Chunk("data", data));
}

// 16-bit PCM of the sound at the rate and channel count.
inline QByteArray Pcm16(const QByteArray& data, quint32 rate = 22050, quint16 channels = 1)
{
    return File(Fmt(1, channels, rate, 16), data);
}
// A square tone loud from its first sample, as raw 16-bit stereo sound at 22050 Hz.
inline QByteArray Tone(double seconds)
{
    QByteArray data;
    const int frames = int(22050 * seconds);
    for (int i = 0; i < frames; ++i) {
        const quint16 s = quint16(qint16((i / 25) % 2 ? 12000 : -12000));
        data += Le16(s) + Le16(s);
    }
    return data;
}
// The 56-byte header of a closed recording: the format, a "fact" chunk holding `frames`, and
// the length of `dataBytes` of sound after it.
inline QByteArray RecordingHeader(const CWaveFormat& format, quint32 dataBytes, quint32 frames)
{
    QByteArray header = WavHeader::BuildRecordingHeader(format);
    qToLittleEndian(quint32(header.size() - 8 + dataBytes), header.data() + WavHeader::kRiffLengthOffset);
    qToLittleEndian(frames, header.data() + WavHeader::kFactValueOffset);
    qToLittleEndian(dataBytes, header.data() + WavHeader::kDataLengthOffset);
    return header;
}

// A playable recording of its own for each seed: 16-bit mono sound, not silence, at the rate.
inline QByteArray Recording(int seed, int samples = 2000, quint32 rate = 11025)
{
    QByteArray sound;
    sound.reserve(samples * 2);
    for (int i = 0; i < samples; ++i)
        sound += Le16(quint16(qint16((i * (seed + 3)) % 20000 - 10000)));
    return RecordingHeader(CWaveFormat::Pcm(1, rate, 16), quint32(sound.size()), quint32(samples)) + sound;
}
}  // namespace TestWav
