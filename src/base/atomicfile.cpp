#include "base/atomicfile.h"

#include "base/appfolders.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
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
QString errnoText()
{
    return qt_error_string(errno);
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}
#endif
}  // namespace

#ifndef Q_OS_WIN
int AtomicFile::CreateBeside(const QString& path, QString& tempPath, QString* error, Sharing sharing)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    CUniqueFd fd;
    for (int attempt = 0; attempt < 100 && !fd.IsValid(); ++attempt) {
        tempPath = folder + QLatin1String("/.") + target.fileName() + QLatin1Char('.')
                   + QString::number(QRandomGenerator::global()->generate(), 16)
                   + QLatin1String(".tmp");
        fd.Reset(::open(native(tempPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (!fd.IsValid() && errno != EEXIST) {
            setError(error, errnoText());
            return -1;
        }
    }
    if (!fd.IsValid()) {
        setError(error, QStringLiteral("no free name for a temporary file"));
        return -1;
    }
    struct stat old {};
    if (::stat(native(path).constData(), &old) == 0) {
        // The new file takes the old one's place, so it takes its owner and mode too.
        if (::fchown(fd.Get(), old.st_uid, old.st_gid) != 0 && ::fchown(fd.Get(), static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not allowed for this account: the new file belongs to it instead.
        }
        ::fchmod(fd.Get(), old.st_mode & 07777);
    } else if (sharing == Sharing::LikeFolder) {
        CAppFolders::ShareLikeParent(tempPath);
    }
    return fd.Release();
}

bool AtomicFile::WriteAndSync(int fd, const QByteArray& content, QString* error)
{
    const char* data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            setError(error, errnoText());
            return false;
        }
        data += written;
        left -= written;
    }
    if (::fsync(fd) != 0) {
        setError(error, errnoText());
        return false;
    }
    return true;
}

bool AtomicFile::RenameOver(const QString& tempPath, const QString& path, QString* error)
{
    if (::rename(native(tempPath).constData(), native(path).constData()) != 0) {
        setError(error, errnoText());
        return false;
    }
    // Make the rename itself durable.
    CUniqueFd folder(::open(native(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsValid())
        ::fsync(folder.Get());
    return true;
}
#endif

bool AtomicFile::Write(const QString& path, const QByteArray& content, QString* error, Sharing sharing)
{
#ifdef Q_OS_WIN
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.write(content) != content.size() || !file.commit()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!existed && sharing == Sharing::LikeFolder)
        CAppFolders::ShareLikeParent(path);
    return true;
#else
    QString tempPath;
    CUniqueFd fd(CreateBeside(path, tempPath, error, sharing));
    if (!fd.IsValid())
        return false;
    if (!WriteAndSync(fd.Get(), content, error)) {
        fd.Reset();
        ::unlink(native(tempPath).constData());
        return false;
    }
    fd.Reset();
    if (!RenameOver(tempPath, path, error)) {
        ::unlink(native(tempPath).constData());
        return false;
    }
    return true;
#endif
}

namespace {
QString asideName(const QString& path, const QString& suffix, int number)
{
    return path + suffix + (number == 1 ? QString() : QLatin1Char('.') + QString::number(number));
}

QString noFreeNameText()
{
    return QCoreApplication::translate("AtomicFile", "no free name for the copy");
}

bool taken(const QString& name)
{
    return QFileInfo::exists(name) || QFileInfo(name).isSymLink();
}
}  // namespace

QString AtomicFile::MoveAside(const QString& path, const QString& suffix, QString* error)
{
    for (int number = 1; number < 10000; ++number) {
        const QString name = asideName(path, suffix, number);
        if (taken(name))
            continue;
        // Renaming never replaces a file that appeared at the name meanwhile.
        QFile file(path);
        if (file.rename(name))
            return name;
        if (taken(name))
            continue;
        setError(error, file.errorString());
        return QString();
    }
    setError(error, noFreeNameText());
    return QString();
}

QString AtomicFile::KeepAside(const QString& path, const QString& suffix, const QByteArray& content, QString* error)
{
    for (int number = 1; number < 10000; ++number) {
        const QString name = asideName(path, suffix, number);
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (taken(name))
                continue;  // taken: try the next number
            setError(error, file.errorString());
            return QString();
        }
        if (file.write(content) != content.size() || !file.flush()) {
            setError(error, file.errorString());
            file.close();
            file.remove();
            return QString();
        }
        file.close();
        CAppFolders::ShareLikeParent(name);
        return name;
    }
    setError(error, noFreeNameText());
    return QString();
}
