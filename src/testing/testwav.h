#pragma once

// WAV files for tests, byte by byte: any "fmt " fields (sound Orthex plays and sound it must
// refuse) around any data.

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

// A RIFF/WAVE file of a "fmt " chunk with that body and a "data" chunk with the sound.
inline QByteArray File(const QByteArray& fmt, const QByteArray& data)
{
    QByteArray chunks = "fmt " + Le32(quint32(fmt.size())) + fmt;
    if (fmt.size() & 1)
        chunks += '\0';
    chunks += "data" + Le32(quint32(data.size())) + data;
    if (data.size() & 1)
        chunks += '\0';
    return "RIFF" + Le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

// 16-bit PCM of the sound at the rate and channel count.
inline QByteArray Pcm16(const QByteArray& data, quint32 rate = 22050, quint16 channels = 1)
{
    return File(Fmt(1, channels, rate, 16), data);
}
}  // namespace TestWav
