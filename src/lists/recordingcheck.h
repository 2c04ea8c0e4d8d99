#pragma once

#include <QByteArray>
#include <QString>

namespace RecordingCheck {
// Why playback could not take these bytes as a word's recording (too large, not a WAV file, a
// format that would need decoding, no sound); empty when it can play them.
QString UnplayableReason(const QByteArray& bytes);
}  // namespace RecordingCheck
