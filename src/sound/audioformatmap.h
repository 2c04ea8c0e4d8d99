#pragma once

#include "sound/wavformat.h"

#include <QAudioFormat>

#include <optional>

namespace AudioFormatMap {
// The Qt audio format that plays or captures sound of a WAV format: PCM of 8 (unsigned), 16 or
// 32 bits, 32-bit IEEE float, and the extensible format carrying either. Nothing for formats
// that need decoding, or whose block size does not match their channels and bits.
std::optional<QAudioFormat> ToAudioFormat(const CWaveFormat& format);
// The byte that is silence in that format: 128 for 8-bit sound, 0 otherwise.
char SilenceByte(const CWaveFormat& format);
}  // namespace AudioFormatMap
