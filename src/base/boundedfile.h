#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Reading a file a person or another account could have put anything in place of: only a
// regular file is opened (a pipe, device, socket or folder is refused at once instead of being
// waited on or read without end), and a whole read stops at a limit before any memory is taken,
// so a huge or sparse file costs nothing. The errors are the reasons alone; the caller names the
// file.
namespace BoundedFile {
enum class EStatus {
    Read,      // the whole file is in bytes
    Missing,   // no such file (or no such folder)
    Failed,    // it cannot be opened or read, or it is not a regular file: error says why
    TooLarge,  // it holds more than the limit; nothing was read
};

struct Result {
    EStatus status = EStatus::Failed;
    QByteArray bytes;  // when Read
    QString error;     // when Failed or TooLarge
    qint64 size = -1;  // the file's size, when known
};

// The reason given for a pipe, device or socket.
QString NotRegularText();
// The reason given for a file larger than maxBytes ("it is larger than 64 MB").
QString TooLargeText(qint64 maxBytes);
// A size in whole megabytes (a limit as messages and help say it).
QString MegabytesText(qint64 bytes);

// Opens path for reading into file (which then owns the handle) when it is a regular file.
// False with the reason in error otherwise; missing, when given, tells a file that is not there.
bool Open(QFile& file, const QString& path, QString* error, bool* missing = nullptr);

// Opens path in place for writing (mode WriteOnly or ReadWrite), emptied, or makes it when
// missing (created then says so): a file several accounts take turns to fill keeps its owner and
// permissions. Refused at once when anything but a regular file stands there.
bool OpenForWriting(QFile& file, const QString& path, QIODevice::OpenMode mode, QString* error, bool* created = nullptr);

// The whole of the regular file at path, when it holds no more than maxBytes.
Result Read(const QString& path, qint64 maxBytes);

// The rest of an open file (standard input too), up to maxBytes; TooLarge as soon as more
// follows. For inputs whose size cannot be known beforehand.
Result ReadOpen(QFile& file, qint64 maxBytes);
}  // namespace BoundedFile
