#include "sound/wavformat.h"

#include <cstring>

namespace {
quint16 le16(QByteArrayView b, qint64 at)
{
    return static_cast<quint16>(static_cast<uchar>(b[at]) | static_cast<uchar>(b[at + 1]) << 8);
}

quint32 le32(QByteArrayView b, qint64 at)
{
    return static_cast<quint32>(le16(b, at)) | static_cast<quint32>(le16(b, at + 2)) << 16;
}

void put16(QByteArray& out, quint16 v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, static_cast<quint16>(v & 0xFFFF));
    put16(out, static_cast<quint16>(v >> 16));
}

bool isId(QByteArrayView b, qint64 at, const char (&id)[5])
{
    return b.size() - at >= 4 && std::memcmp(b.data() + at, id, 4) == 0;
}

struct Chunk {
    qint64 body;    // offset of the first byte after the 8-byte chunk header
    quint32 size;   // the chunk's length field
};

// Finds the chunk with the given identifier among the chunks from `begin` up to `end`,
// stepping over each chunk's body and its pad byte (chunks start on even offsets).
std::optional<Chunk> findChunk(QByteArrayView b, qint64 begin, qint64 end, const char (&id)[5])
{
    qint64 at = begin;
    while (at >= 0 && at + 8 <= end) {
        const quint32 size = le32(b, at + 4);
        if (isId(b, at, id))
            return Chunk{at + 8, size};
        at += 8 + static_cast<qint64>(size) + (size & 1);
    }
    return std::nullopt;
}
}  // namespace

CWaveFormat CWaveFormat::Pcm(quint16 channels, quint32 samplesPerSec, quint16 bits)
{
    CWaveFormat f;
    f.wFormatTag = kPcm;
    f.nChannels = channels;
    f.nSamplesPerSec = samplesPerSec;
    f.wBitsPerSample = bits;
    f.nBlockAlign = static_cast<quint16>(bits / 8 * channels);
    f.nAvgBytesPerSec = f.nBlockAlign * samplesPerSec;
    return f;
}

QByteArray CWaveFormat::ChunkBody() const
{
    QByteArray out;
    put16(out, wFormatTag);
    put16(out, nChannels);
    put32(out, nSamplesPerSec);
    put32(out, nAvgBytesPerSec);
    put16(out, nBlockAlign);
    put16(out, wBitsPerSample);
    if (!IsPcm()) {
        put16(out, static_cast<quint16>(extra.size()));
        out.append(extra);
    }
    return out;
}

std::optional<CWavLayout> WavHeader::Parse(QByteArrayView b)
{
    const qint64 total = b.size();
    if (total < 12 || !isId(b, 0, "RIFF") || !isId(b, 8, "WAVE"))
        return std::nullopt;
    // The chunks inside "RIFF", as far as its length says and the bytes reach. A writer that
    // streams cannot go back to fill the length in and leaves 0 or 0xFFFFFFFF: both mean "up to
    // the end", the chunks inside still having to be whole.
    const quint32 riffLength = le32(b, 4);
    const qint64 riffEnd = riffLength == 0 ? total : qMin<qint64>(8 + static_cast<qint64>(riffLength), total);

    const std::optional<Chunk> fmt = findChunk(b, 12, riffEnd, "fmt ");
    if (!fmt || fmt->size < 16 || fmt->body + 16 > total)
        return std::nullopt;
    CWavLayout layout;
    CWaveFormat& f = layout.format;
    f.wFormatTag = le16(b, fmt->body);
    f.nChannels = le16(b, fmt->body + 2);
    f.nSamplesPerSec = le32(b, fmt->body + 4);
    f.nAvgBytesPerSec = le32(b, fmt->body + 8);
    f.nBlockAlign = le16(b, fmt->body + 12);
    f.wBitsPerSample = le16(b, fmt->body + 14);
    // Other formats carry an extra size and that many bytes; both must lie inside the chunk.
    // A 16-byte chunk of such a format has no extra bytes.
    if (!f.IsPcm() && fmt->size >= 18) {
        if (fmt->body + 18 > total)
            return std::nullopt;
        const quint16 extraSize = le16(b, fmt->body + 16);
        if (18 + static_cast<qint64>(extraSize) > fmt->size || fmt->body + 18 + extraSize > total)
            return std::nullopt;
        f.extra = b.sliced(fmt->body + 18, extraSize).toByteArray();
    }

    const std::optional<Chunk> data = findChunk(b, 12, riffEnd, "data");
    if (!data)
        return std::nullopt;
    layout.dataOffset = data->body;
    layout.declaredDataSize = data->size;
    layout.dataSize = qMin<qint64>(data->size, total - data->body);
    return layout;
}

QByteArray WavHeader::BuildRecordingHeader(const CWaveFormat& format)
{
    QByteArray out;
    out.append("RIFF", 4);
    put32(out, 0);
    out.append("WAVE", 4);
    const QByteArray body = format.ChunkBody();
    out.append("fmt ", 4);
    put32(out, static_cast<quint32>(body.size()));
    out.append(body);
    if (body.size() & 1)
        out.append('\0');
    out.append("fact", 4);
    put32(out, 4);
    put32(out, 0xFFFFFFFFu);
    out.append("data", 4);
    put32(out, 0);
    return out;
}
