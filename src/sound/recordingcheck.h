#pragma once

#include "sound/wavformat.h"

#include <QAudioFormat>
#include <QByteArrayView>
#include <QString>

// A recording that playback takes: its format, the Qt format that plays it, and where its sound
// lies in the file's bytes, cut to whole frames.
struct SPlayableRecording {
    CWaveFormat format;
    QAudioFormat audioFormat;
    qint64 dataOffset = 0;
    qint64 dataSize = 0;
};

// The one check of a WAV file that is to be a word's recording or is to be played, wherever it
// comes from (a file named to orthex-cli, a list, the speech engine, the microphone).
namespace RecordingCheck {
// The largest file played or kept as a recording: 100 MiB.
constexpr qint64 kMaxBytes = 104857600;

// Why these bytes cannot be a recording Orthex plays, as a clause that follows the file's name:
// larger than kMaxBytes, not a WAV file, a format that
// AudioFormatMap::UnplayableReason refuses, or not one whole frame of sound. Empty when they can;
// *playable is then the recording.
QString UnplayableReason(QByteArrayView bytes, SPlayableRecording* playable = nullptr);
}  // namespace RecordingCheck
