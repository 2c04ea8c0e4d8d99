#pragma once

#include "sound/wavformat.h"

#include <QAudioFormat>
#include <QString>

#include <optional>

namespace AudioFormatMap {
// The sound Orthex records, speaks and plays: integer PCM (a plain header, or the extensible one
// naming PCM), 8 or 16 bits, 1 or 2 channels, 8000 to 48000 Hz, with a block size of channels x
// bits / 8 and a byte rate of block size x rate.
constexpr quint32 kMinRate = 8000;
constexpr quint32 kMaxRate = 48000;

// What is wrong with sound of this format for Orthex, as a clause that follows a file's name
// ("its sample rate is 1 Hz; Orthex plays 8000 to 48000 Hz"); empty when Orthex plays it.
QString UnplayableReason(const CWaveFormat& format);
// The Qt audio format that plays or captures sound of a format without such a reason; nothing
// for any other.
std::optional<QAudioFormat> ToAudioFormat(const CWaveFormat& format);
// The byte that is silence in that format: 128 for 8-bit sound, 0 otherwise.
char SilenceByte(const CWaveFormat& format);
}  // namespace AudioFormatMap
