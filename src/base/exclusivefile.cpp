#include "base/exclusivefile.h"

#include "base/appfolders.h"
#include "base/atomicfile.h"
#include "base/boundedfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include "base/uniquefd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#endif

namespace {
std::function<void()>& afterOpenHook()
{
    static std::function<void()> hook;
    return hook;
}
}  // namespace

void CExclusiveFile::SetAfterOpenHook(std::function<void()> hook)
{
    afterOpenHook() = std::move(hook);
}

CExclusiveFile::EOpen CExclusiveFile::TryOpen(const QString& path, bool create)
{
    return Take(path, create, false);
}

CExclusiveFile::EOpen CExclusiveFile::TryOpenForReading(const QString& path)
{
    return Take(path, false, true);
}

CExclusiveFile::~CExclusiveFile()
{
    Close();
}

#ifdef Q_OS_WIN

namespace {
HANDLE handleOf(void* h) { return static_cast<HANDLE>(h); }

QString lastErrorText()
{
    return qt_error_string(static_cast<int>(GetLastError()));
}
}  // namespace

bool CExclusiveFile::IsOpen() const
{
    return handleOf(m_hFile) != INVALID_HANDLE_VALUE;
}

CExclusiveFile::EOpen CExclusiveFile::Take(const QString& path, bool create, bool forReading)
{
    Close();
    m_strError.clear();
    m_bForReading = forReading;
    const std::wstring native = QFileInfo(path).absoluteFilePath().replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
    const bool existed = QFileInfo::exists(path);
    HANDLE h = CreateFileW(native.c_str(), forReading ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                           forReading ? FILE_SHARE_READ : 0, nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        m_strError = lastErrorText();
        if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION)
            return EOpen::Locked;
        if (code == ERROR_FILE_NOT_FOUND)
            return EOpen::Missing;
        return EOpen::Failed;
    }
    m_hFile = h;
    m_strPath = path;
    if (!existed)
        CAppFolders::ShareLikeParent(path);
    return EOpen::Opened;
}

qint64 CExclusiveFile::Size() const
{
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(handleOf(m_hFile), &size))
        return -1;
    return size.QuadPart;
}

bool CExclusiveFile::ReadAll(QByteArray& content, qint64 maxBytes)
{
    content.clear();
    const qint64 size = Size();
    if (size < 0) {
        m_strError = lastErrorText();
        return false;
    }
    if (size > maxBytes) {
        m_strError = BoundedFile::TooLargeText(maxBytes);
        return false;
    }
    LARGE_INTEGER zero{};
    SetFilePointerEx(handleOf(m_hFile), zero, nullptr, FILE_BEGIN);
    content.resize(size);
    qint64 done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(handleOf(m_hFile), content.data() + done, static_cast<DWORD>(qMin<qint64>(size - done, 1 << 20)), &got, nullptr)) {
            m_strError = lastErrorText();
            return false;
        }
        if (got == 0)
            break;
        done += got;
    }
    content.resize(done);
    return true;
}

bool CExclusiveFile::Replace(const QByteArray& content)
{
    if (m_bForReading) {
        m_strError = QStringLiteral("the file is open for reading only");
        return false;
    }
    // A file held with share mode 0 cannot be renamed over: write the new content beside it,
    // let go of the old file and swap them with ReplaceFileW, then hold the new one.
    const QString path = m_strPath;
    const QString temp = path + QStringLiteral(".new");
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size() || !file.flush()) {
        m_strError = file.errorString();
        file.close();
        QFile::remove(temp);
        return false;
    }
    FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(file.handle())));
    file.close();
    Close();
    const std::wstring target = QFileInfo(path).absoluteFilePath().replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
    const std::wstring source = QFileInfo(temp).absoluteFilePath().replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
    const bool replaced = ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    const QString error = replaced ? QString() : lastErrorText();
    if (!replaced)
        QFile::remove(temp);
    // Hold the file again. Should another copy have taken it in between, the content was
    // written all the same.
    TryOpen(path, false);
    m_strError = error;
    return replaced;
}

void CExclusiveFile::Close()
{
    if (IsOpen())
        CloseHandle(handleOf(m_hFile));
    m_hFile = INVALID_HANDLE_VALUE;
}

#else  // POSIX

namespace {
QString errnoText()
{
    return qt_error_string(errno);
}

// Takes a write (or read) lock on the whole file without waiting. Open-file-description locks
// belong to the open file, not the process, so two dialogs of one process exclude each other as
// well; kernels without them answer EINVAL, and classic process locks are used instead.
int lockWhole(int fd, short type = F_WRLCK)
{
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
#ifdef F_OFD_SETLK
    if (::fcntl(fd, F_OFD_SETLK, &lock) == 0)
        return 0;
    if (errno != EINVAL)
        return -1;
    lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
#endif
    return ::fcntl(fd, F_SETLK, &lock);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
}  // namespace

bool CExclusiveFile::IsOpen() const
{
    return m_fd >= 0;
}

CExclusiveFile::EOpen CExclusiveFile::Take(const QString& path, bool create, bool forReading)
{
    Close();
    m_strError.clear();
    m_bForReading = forReading;
    const QByteArray native = QFile::encodeName(path);
    // A holder that replaces the file renames a new one over the path while it holds the old
    // one; whoever opened the old one then finds, once it has the lock, that the path names
    // another file, and opens again. A few rounds are plenty: each needs a whole write.
    for (int round = 0; round < 8; ++round) {
        // Without blocking, so that a pipe or device in the file's place is refused below rather
        // than waited on.
        int flags = (forReading ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
        CUniqueFd fd(::open(native.constData(), flags));
        bool created = false;
        if (!fd.IsValid() && errno == ENOENT) {
            if (!create) {
                m_strError = errnoText();
                return EOpen::Missing;
            }
            fd.Reset(::open(native.constData(), flags | O_CREAT | O_EXCL, 0666));
            if (!fd.IsValid() && errno == EEXIST)
                continue;  // made meanwhile by another copy: open that one
            created = fd.IsValid();
        }
        if (!fd.IsValid()) {
            m_strError = errnoText();
            return EOpen::Failed;
        }
        struct stat opened {};
        if (::fstat(fd.Get(), &opened) != 0) {
            m_strError = errnoText();
            return EOpen::Failed;
        }
        if (!S_ISREG(opened.st_mode)) {
            m_strError = S_ISDIR(opened.st_mode) ? qt_error_string(EISDIR) : BoundedFile::NotRegularText();
            return EOpen::Failed;
        }
        if (::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK) != 0) {
            m_strError = errnoText();
            return EOpen::Failed;
        }
        if (afterOpenHook())
            afterOpenHook()();
        if (lockWhole(fd.Get(), forReading ? F_RDLCK : F_WRLCK) != 0) {
            if (errno == EACCES || errno == EAGAIN) {
                m_strError = QStringLiteral("the file is in use by another copy of Orthex");
                return EOpen::Locked;
            }
            m_strError = errnoText();
            return EOpen::Failed;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd.Get(), &held) != 0) {
            m_strError = errnoText();
            return EOpen::Failed;
        }
        if (::stat(native.constData(), &named) != 0 || !sameFile(held, named))
            continue;  // replaced or removed meanwhile: closing fd releases the lock
        if (created)
            CAppFolders::ShareLikeParent(path);
        m_fd = fd.Release();
        m_strPath = path;
        return EOpen::Opened;
    }
    m_strError = QStringLiteral("the file keeps being replaced");
    return EOpen::Locked;
}

qint64 CExclusiveFile::Size() const
{
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return -1;
    return st.st_size;
}

bool CExclusiveFile::ReadAll(QByteArray& content, qint64 maxBytes)
{
    content.clear();
    if (m_fd < 0) {
        m_strError = QStringLiteral("the file is not open");
        return false;
    }
    if (Size() > maxBytes) {
        m_strError = BoundedFile::TooLargeText(maxBytes);
        return false;
    }
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        if (content.size() > maxBytes) {  // grown since: not read without end either
            content.clear();
            m_strError = BoundedFile::TooLargeText(maxBytes);
            return false;
        }
        const ssize_t got = ::pread(m_fd, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            m_strError = errnoText();
            return false;
        }
        if (got == 0)
            return true;
        content.append(buffer, got);
        offset += got;
    }
}

bool CExclusiveFile::Replace(const QByteArray& content)
{
    if (m_fd < 0) {
        m_strError = QStringLiteral("the file is not open");
        return false;
    }
    if (m_bForReading) {
        m_strError = QStringLiteral("the file is open for reading only");
        return false;
    }
    QString tempPath;
    CUniqueFd fd(AtomicFile::CreateBeside(m_strPath, tempPath, &m_strError, AtomicFile::Sharing::LikeFolder));
    if (!fd.IsValid())
        return false;
    const QByteArray nativeTemp = QFile::encodeName(tempPath);
    // The new file is opened for reading and writing again, so that the handle that stays held
    // after the rename is a full one; it is locked before it takes the old file's place, so
    // there is no moment in which the path names a file nobody holds.
    CUniqueFd held(::open(nativeTemp.constData(), O_RDWR | O_CLOEXEC));
    if (!held.IsValid() || lockWhole(held.Get()) != 0) {
        m_strError = errnoText();
        ::unlink(nativeTemp.constData());
        return false;
    }
    if (!AtomicFile::WriteAndSync(fd.Get(), content, &m_strError)
        || !AtomicFile::RenameOver(tempPath, m_strPath, &m_strError)) {
        ::unlink(nativeTemp.constData());
        return false;
    }
    ::close(std::exchange(m_fd, held.Release()));
    return true;
}

void CExclusiveFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);  // closing the last handle of the description releases the lock
    m_fd = -1;
}

#endif
