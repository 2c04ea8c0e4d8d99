#pragma once

#include "sound/wavformat.h"

#include <QtGlobal>

// The format and buffer sizes a recording uses, from the "Rate" setting's index.
namespace CaptureFormat {
constexpr int kRateCount = 5;
constexpr int kNotificationCount = 16;

// 16-bit stereo PCM at 48000, 44100, 22050, 11025 or 8000 samples per second for rate
// indexes 0 to 4. Any other index leaves the samples per second (and so the bytes per
// second) 0, a format no capture buffer can be made for.
CWaveFormat ForRateIndex(int rateIndex);

// One eighth of a second of sound (1024 bytes for slower formats), a whole number of blocks.
quint32 NotifySize(const CWaveFormat& format);
// Sixteen notify sizes: two seconds of sound.
quint32 BufferSize(const CWaveFormat& format);
}  // namespace CaptureFormat
