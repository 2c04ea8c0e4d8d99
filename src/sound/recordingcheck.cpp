#include "sound/recordingcheck.h"

#include "sound/audioformatmap.h"

#include <optional>

QString RecordingCheck::UnplayableReason(QByteArrayView bytes, SPlayableRecording* playable)
{
    if (bytes.size() > kMaxBytes)
        return QStringLiteral("it is larger than %1 bytes").arg(kMaxBytes);
    const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
    if (!layout)
        return QStringLiteral("it is not a WAV file");
    if (const QString why = AudioFormatMap::UnplayableReason(layout->format); !why.isEmpty())
        return why;
    // A piece of a frame at the end is not played: the device takes whole frames only.
    const qint64 whole = layout->dataSize - layout->dataSize % layout->format.nBlockAlign;
    if (whole <= 0)
        return QStringLiteral("it holds no sound");
    if (playable)
        *playable = {layout->format, *AudioFormatMap::ToAudioFormat(layout->format), layout->dataOffset, whole};
    return QString();
}
