#include "sound/captureformat.h"

namespace {
// Samples per second of the rate indexes; the table is laid out by 4 x rate + kind, kind 3
// being 16-bit stereo, the only kind recordings use.
constexpr quint32 kRates[CaptureFormat::kRateCount] = {48000, 44100, 22050, 11025, 8000};
}

CWaveFormat CaptureFormat::ForRateIndex(int rateIndex)
{
    const quint32 rate = (rateIndex >= 0 && rateIndex < kRateCount) ? kRates[rateIndex] : 0;
    return CWaveFormat::Pcm(2, rate, 16);
}

quint32 CaptureFormat::NotifySize(const CWaveFormat& format)
{
    quint32 size = format.nAvgBytesPerSec > 8191 ? format.nAvgBytesPerSec / 8 : 1024;
    if (format.nBlockAlign > 0)
        size -= size % format.nBlockAlign;
    return size;
}

quint32 CaptureFormat::BufferSize(const CWaveFormat& format)
{
    return kNotificationCount * NotifySize(format);
}
