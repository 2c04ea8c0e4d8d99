#include "sound/audioformatmap.h"

std::optional<QAudioFormat> AudioFormatMap::ToAudioFormat(const CWaveFormat& f)
{
    quint16 tag = f.wFormatTag;
    // The extensible format names its real format in the first two bytes of its sub-format
    // identifier, which follows 2 bytes of valid bits and 4 of channel mask.
    if (tag == CWaveFormat::kExtensible) {
        if (f.extra.size() < 22)
            return std::nullopt;
        tag = static_cast<quint16>(static_cast<uchar>(f.extra[6]) | static_cast<uchar>(f.extra[7]) << 8);
    }
    QAudioFormat::SampleFormat sample = QAudioFormat::Unknown;
    if (tag == CWaveFormat::kPcm) {
        switch (f.wBitsPerSample) {
        case 8: sample = QAudioFormat::UInt8; break;
        case 16: sample = QAudioFormat::Int16; break;
        case 32: sample = QAudioFormat::Int32; break;
        default: return std::nullopt;
        }
    } else if (tag == CWaveFormat::kIeeeFloat && f.wBitsPerSample == 32) {
        sample = QAudioFormat::Float;
    } else {
        return std::nullopt;
    }
    if (f.nChannels < 1 || f.nChannels > 8 || f.nSamplesPerSec == 0
        || f.nBlockAlign != f.nChannels * (f.wBitsPerSample / 8))
        return std::nullopt;
    QAudioFormat format;
    format.setSampleFormat(sample);
    format.setChannelCount(f.nChannels);
    format.setSampleRate(static_cast<int>(qMin<quint32>(f.nSamplesPerSec, 1'000'000)));
    return format;
}

char AudioFormatMap::SilenceByte(const CWaveFormat& format)
{
    return format.wBitsPerSample == 8 ? static_cast<char>(128) : '\0';
}
