#include "base/boundedfile.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include "base/uniquefd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

#ifndef Q_OS_WIN
// Hands a descriptor opened without blocking to file when it is a regular file (emptied first
// when asked), blocking again from then on; refuses anything else.
bool adoptRegularFile(CUniqueFd& fd, QFile& file, QIODevice::OpenMode mode, bool truncate, QString* error)
{
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) {
        setError(error, qt_error_string(errno));
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        setError(error, S_ISDIR(status.st_mode) ? qt_error_string(EISDIR) : BoundedFile::NotRegularText());
        return false;
    }
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if ((truncate && ::ftruncate(fd.Get(), 0) != 0) || flags == -1
        || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) == -1) {
        setError(error, qt_error_string(errno));
        return false;
    }
    if (!file.open(fd.Get(), mode, QFileDevice::AutoCloseHandle)) {
        setError(error, file.errorString());
        return false;
    }
    fd.Release();
    return true;
}
#endif
}  // namespace

QString BoundedFile::NotRegularText()
{
    return QCoreApplication::translate("BoundedFile", "Not a regular file");
}

QString BoundedFile::MegabytesText(qint64 bytes)
{
    return QCoreApplication::translate("BoundedFile", "%1 MB").arg(bytes / (1024 * 1024));
}

QString BoundedFile::TooLargeText(qint64 maxBytes)
{
    return QCoreApplication::translate("BoundedFile", "it is larger than %1").arg(MegabytesText(maxBytes));
}

bool BoundedFile::Open(QFile& file, const QString& path, QString* error, bool* missing)
{
    file.close();
    if (missing)
        *missing = false;
#ifdef Q_OS_WIN
    // Windows opens no pipe or device by a plain path that a file could be replaced with; a
    // folder or anything else that is not a file is refused all the same.
    const QFileInfo info(path);
    if (!info.exists()) {
        if (missing)
            *missing = true;
        setError(error, QCoreApplication::translate("BoundedFile", "No such file or directory"));
        return false;
    }
    if (!info.isFile()) {
        setError(error, NotRegularText());
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    return true;
#else
    // Opened without blocking, so that a pipe without a writer (or a device that waits) is
    // refused below rather than waited on.
    CUniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.IsValid()) {
        const int code = errno;
        if (missing)
            *missing = code == ENOENT;
        setError(error, qt_error_string(code));
        return false;
    }
    return adoptRegularFile(fd, file, QIODevice::ReadOnly, false, error);
#endif
}

bool BoundedFile::OpenForWriting(QFile& file, const QString& path, QIODevice::OpenMode mode, QString* error, bool* created)
{
    file.close();
    if (created)
        *created = false;
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        setError(error, NotRegularText());
        return false;
    }
    if (created)
        *created = !info.exists();
    file.setFileName(path);
    if (!file.open(mode | QIODevice::Truncate)) {
        setError(error, file.errorString());
        return false;
    }
    return true;
#else
    const QByteArray native = QFile::encodeName(path);
    // Without blocking: a pipe without a reader is refused below rather than waited on.
    const int access = mode.testFlag(QIODevice::ReadOnly) ? O_RDWR : O_WRONLY;
    int flags = access | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    CUniqueFd fd(::open(native.constData(), flags));
    if (!fd.IsValid() && errno == ENOENT) {
        fd.Reset(::open(native.constData(), flags | O_CREAT | O_EXCL, 0666));
        if (fd.IsValid() && created)
            *created = true;
    }
    if (!fd.IsValid()) {
        setError(error, errno == ENXIO ? NotRegularText() : qt_error_string(errno));
        return false;
    }
    return adoptRegularFile(fd, file, mode, true, error);
#endif
}

BoundedFile::Result BoundedFile::ReadOpen(QFile& file, qint64 maxBytes)
{
    Result result;
    // One byte past the limit is enough to know the input is too large.
    constexpr qint64 kChunk = 1024 * 1024;
    QByteArray bytes;
    for (;;) {
        const qint64 size = bytes.size();
        const qint64 wanted = qMin(kChunk, maxBytes + 1 - size);
        bytes.resize(size + wanted);
        const qint64 got = file.read(bytes.data() + size, wanted);
        if (got < 0) {
            result.error = file.errorString();
            return result;
        }
        bytes.resize(size + got);
        if (bytes.size() > maxBytes) {
            result.status = EStatus::TooLarge;
            result.error = TooLargeText(maxBytes);
            return result;
        }
        if (got == 0)
            break;
    }
    result.status = EStatus::Read;
    result.size = bytes.size();
    result.bytes = std::move(bytes);
    return result;
}

BoundedFile::Result BoundedFile::Read(const QString& path, qint64 maxBytes)
{
    Result result;
    QFile file;
    bool missing = false;
    if (!Open(file, path, &result.error, &missing)) {
        result.status = missing ? EStatus::Missing : EStatus::Failed;
        return result;
    }
    // The size first: a file far too large (a sparse one costs no disk) is refused before a
    // byte of it is read.
    const qint64 size = file.size();
    if (size > maxBytes) {
        result.status = EStatus::TooLarge;
        result.error = TooLargeText(maxBytes);
        result.size = size;
        return result;
    }
    return ReadOpen(file, maxBytes);
}
