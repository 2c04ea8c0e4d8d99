#pragma once

#include <QByteArray>
#include <QString>

// The whole of an input the user names, a file or standard input, read up to a limit: a file
// without end (/dev/zero) or a huge one gets a message instead of taking all the memory. A named
// file must be a regular one (a pipe or device is refused at once, never waited on); standard
// input may be anything.
namespace BoundedInput {
// The most orthex-cli reads from a word file or from standard input.
constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
// The limit as the messages and the help say it.
QString LimitText();

struct Result {
    enum class EStatus { Read, Failed, TooLarge };
    EStatus status = EStatus::Failed;
    QByteArray bytes;  // when Read
    QString error;     // when Failed: the system's reason
};

// Reads the file at path, or standard input for "-".
Result Read(const QString& path);
}  // namespace BoundedInput
