#include "sound/audioformatmap.h"

namespace {
// The sub-format identifier of integer PCM in the extensible format (KSDATAFORMAT_SUBTYPE_PCM).
const QByteArray kPcmSubFormat = QByteArray::fromHex("0100000000001000800000aa00389b71");
// Its extra bytes: valid bits (2), channel mask (4), sub-format (16).
constexpr qsizetype kExtensibleExtraSize = 22;

// The format tag the sound is really in: the extensible format names it in its sub-format.
// Nothing when the extensible block is too short to say.
std::optional<quint16> realTag(const CWaveFormat& f)
{
    if (f.wFormatTag != CWaveFormat::kExtensible)
        return f.wFormatTag;
    if (f.extra.size() < kExtensibleExtraSize)
        return std::nullopt;
    const QByteArray guid = f.extra.mid(6, 16);
    // The other sub-formats share the PCM identifier's last 14 bytes; their first two are the tag.
    if (guid.mid(2) != kPcmSubFormat.mid(2))
        return quint16(0xFFFF);
    return quint16(quint8(guid[0]) | quint8(guid[1]) << 8);
}
}  // namespace

QString AudioFormatMap::UnplayableReason(const CWaveFormat& f)
{
    const std::optional<quint16> tag = realTag(f);
    if (!tag)
        return QStringLiteral("its extensible format block is cut short");
    if (*tag == CWaveFormat::kIeeeFloat)
        return QStringLiteral("its sound is in floating point, not in a PCM format that Orthex can play");
    if (*tag != CWaveFormat::kPcm)
        return QStringLiteral("its sound is not in a PCM format that Orthex can play");
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
        return QStringLiteral("its sound has %1 bits per sample; Orthex plays 8 or 16").arg(f.wBitsPerSample);
    if (f.nChannels != 1 && f.nChannels != 2)
        return QStringLiteral("it has %1 channels; Orthex plays 1 or 2").arg(f.nChannels);
    if (f.nSamplesPerSec < kMinRate || f.nSamplesPerSec > kMaxRate)
        return QStringLiteral("its sample rate is %1 Hz; Orthex plays %2 to %3 Hz")
            .arg(f.nSamplesPerSec).arg(kMinRate).arg(kMaxRate);
    const quint32 block = f.nChannels * f.wBitsPerSample / 8u;
    if (f.nBlockAlign != block)
        return QStringLiteral("its block size is %1 bytes, but %2 of %3 bits take %4")
            .arg(f.nBlockAlign)
            .arg(f.nChannels == 1 ? QStringLiteral("1 channel") : QStringLiteral("2 channels"))
            .arg(f.wBitsPerSample)
            .arg(block);
    const quint32 byteRate = block * f.nSamplesPerSec;
    if (f.nAvgBytesPerSec != byteRate)
        return QStringLiteral("its byte rate is %1 a second, but %2-byte blocks at %3 Hz take %4")
            .arg(f.nAvgBytesPerSec).arg(block).arg(f.nSamplesPerSec).arg(byteRate);
    return QString();
}

std::optional<QAudioFormat> AudioFormatMap::ToAudioFormat(const CWaveFormat& f)
{
    if (!UnplayableReason(f).isEmpty())
        return std::nullopt;
    QAudioFormat format;
    format.setSampleFormat(f.wBitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    format.setChannelCount(f.nChannels);
    format.setSampleRate(int(f.nSamplesPerSec));
    return format;
}

char AudioFormatMap::SilenceByte(const CWaveFormat& format)
{
    return format.wBitsPerSample == 8 ? static_cast<char>(128) : '\0';
}
