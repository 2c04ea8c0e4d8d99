// Parses the bytes of a WAV file (a word's recording from a list, or a file named to orthex-cli)
// and maps its format to the audio format playback would open.
//
// Properties: parsing never reads outside the bytes; the sound data it finds lies inside them,
// after the header, and is never longer than its chunk says; a playable format has a sane shape.

#include "fuzzcheck.h"
#include "sound/audioformatmap.h"
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

    if (const std::optional<QAudioFormat> format = AudioFormatMap::ToAudioFormat(layout->format)) {
        FUZZ_CHECK(format->isValid());
        FUZZ_CHECK(format->bytesPerFrame() == layout->format.nBlockAlign);
    }
    (void)AudioFormatMap::SilenceByte(layout->format);
    return 0;
}
