// Parses the bytes of a WAV file (a word's recording from a list, or a file named to orthex-cli),
// maps its format to the audio format playback would open, and checks it as a recording.
//
// Properties: parsing never reads outside the bytes; the sound data it finds lies inside them,
// after the header, and is never longer than its chunk says; a playable format has a sane shape;
// a recording the check takes plays whole frames of a format Orthex plays, inside the bytes.

#include "fuzzcheck.h"
#include "sound/audioformatmap.h"
#include "sound/recordingcheck.h"
#include "sound/wavformat.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<CWavLayout> layout = WavHeader::Parse(bytes);
    if (!layout)
        return 0;
    FUZZ_CHECK(layout->dataOffset >= 20 && layout->dataOffset <= bytes.size());
    FUZZ_CHECK(layout->dataSize >= 0 && layout->dataOffset + layout->dataSize <= bytes.size());
    FUZZ_CHECK(layout->dataSize <= qint64(layout->declaredDataSize));
    FUZZ_CHECK(!layout->format.IsPcm() || layout->format.extra.isEmpty());

    const std::optional<QAudioFormat> format = AudioFormatMap::ToAudioFormat(layout->format);
    FUZZ_CHECK(format.has_value() == AudioFormatMap::UnplayableReason(layout->format).isEmpty());
    if (format) {
        FUZZ_CHECK(format->isValid());
        FUZZ_CHECK(format->bytesPerFrame() == layout->format.nBlockAlign);
        FUZZ_CHECK(format->sampleRate() >= 8000 && format->sampleRate() <= 48000);
        FUZZ_CHECK(quint32(format->bytesForDuration(1000000)) == layout->format.nAvgBytesPerSec);
    }
    SPlayableRecording playable;
    if (RecordingCheck::UnplayableReason(bytes, &playable).isEmpty()) {
        FUZZ_CHECK(format.has_value() && playable.format == layout->format);
        FUZZ_CHECK(playable.dataSize > 0 && playable.dataSize % layout->format.nBlockAlign == 0);
        FUZZ_CHECK(playable.dataSize <= layout->dataSize && playable.dataOffset == layout->dataOffset);
    }
    (void)AudioFormatMap::SilenceByte(layout->format);
    return 0;
}
