#pragma once

#include <QString>

// The texts the user sees when a spelling-list file cannot be opened, read or changed. The
// program shows them in message boxes and orthex-cli prints them, so both say the same.
namespace ListMessages {
QString NoFileName();
QString CannotOpen(const QString& path, const QString& reason);
QString NotAList(const QString& path);
QString OldWindowsList(const QString& path);
QString CannotChange(const QString& path, const QString& reason);
// The reason no word can be added after the word numbered highest.
QString NoOrderAfter(qint64 highest);
QString WordTooLong(const QString& word, int maximum);
QString CreatorTooLong(const QString& name, int maximum);
QString CannotWriteRecording(const QString& path, const QString& reason);
}  // namespace ListMessages
