#pragma once

#include <QByteArray>
#include <QString>

// The file a word's recording is played from (the recording folder's "Temp.wav"): each word a
// test asks replaces it whole before it is played.
namespace PlaybackFile {
// Writes the recording whole to path (created, or emptied first). A file it creates gets the
// write permission of its folder, since every account of a classroom computer plays from it.
// False, with the reason in *reason, when the file could not be written.
bool Write(const QString& path, const QByteArray& sound, QString* reason = nullptr);
}  // namespace PlaybackFile
