#include "lists/recordingcheck.h"

#include "sound/audioformatmap.h"
#include "sound/sounddevice.h"
#include "sound/wavformat.h"

#include <optional>

QString RecordingCheck::UnplayableReason(const QByteArray& bytes)
{
    if (bytes.size() > CSoundDevice::kMaxSoundBytes)
        return QStringLiteral("it is larger than %1 bytes").arg(CSoundDevice::kMaxSoundBytes);
    const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
    if (!layout)
        return QStringLiteral("it is not a WAV file");
    if (!AudioFormatMap::ToAudioFormat(layout->format))
        return QStringLiteral("its sound is not in a PCM format that Orthex can play");
    if (layout->dataSize <= 0)
        return QStringLiteral("it holds no sound");
    return QString();
}
