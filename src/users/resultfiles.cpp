#include "users/resultfiles.h"

#include "base/messages.h"
#include "base/archive.h"
#include "base/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include "base/uniquefd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {
const QString kDamagedSuffix = QStringLiteral(".damaged");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

CResultFiles::EFileRead readOpenFile(QFile& file, QByteArray& bytes, QString& error)
{
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return CResultFiles::EFileRead::Failed;
    }
    return CResultFiles::EFileRead::Read;
}
}  // namespace

QString CResultFiles::Extension(EResultKind kind)
{
    switch (kind) {
    case EResultKind::Grades: return QStringLiteral(".sp3");
    case EResultKind::Missed: return QStringLiteral(".sp4");
    case EResultKind::Vocabulary: return QStringLiteral(".sp5");
    }
    return QString();
}

QString CResultFiles::PathOf(const QString& userFolder, const QString& userName, EResultKind kind)
{
    return userFolder + QLatin1Char('/') + userName + Extension(kind);
}

CResultFiles::CResultFiles(const QString& userFolder)
    : m_strUserFolder(userFolder)
{
}

template <class T>
QByteArray CResultFiles::Store(const CRecordList<T>& list)
{
    return StoreListBytes(list);
}

template <class T>
void CResultFiles::Load(const QByteArray& bytes, CRecordList<T>& list)
{
    const qint64 end = LoadListBytes(bytes, list);
    const qint64 left = bytes.size() - end;
    if (left > 0) {
        throw CArchiveException(end, QStringLiteral("%1 more %2 the last entry that the stored count gives")
                                         .arg(left)
                                         .arg(left == 1 ? QStringLiteral("byte follows") : QStringLiteral("bytes follow")));
    }
}

CResultFiles::EFileRead CResultFiles::ReadFile(const QString& path, QByteArray& bytes, QString& error)
{
    bytes.clear();
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists())
        return EFileRead::Missing;
    if (!info.isFile()) {
        error = QStringLiteral("Not a regular file");
        return EFileRead::Failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return EFileRead::Failed;
    }
    return readOpenFile(file, bytes, error);
#else
    // Opening without blocking, so that a pipe without a writer is refused below rather than
    // waited on.
    const CUniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.IsValid()) {
        if (errno == ENOENT)
            return EFileRead::Missing;
        error = qt_error_string(errno);
        return EFileRead::Failed;
    }
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) {
        error = qt_error_string(errno);
        return EFileRead::Failed;
    }
    if (!S_ISREG(status.st_mode)) {
        error = S_ISDIR(status.st_mode) ? qt_error_string(EISDIR) : QStringLiteral("Not a regular file");
        return EFileRead::Failed;
    }
    QFile file;
    if (!file.open(fd.Get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        error = file.errorString();
        return EFileRead::Failed;
    }
    return readOpenFile(file, bytes, error);
#endif
}

template <class T>
bool CResultFiles::LoadOne(const QString& path, CRecordList<T>& list, QStringList& problems)
{
    m_damaged.remove(path);
    m_unreadable.remove(path);
    QByteArray bytes;
    QString error;
    switch (ReadFile(path, bytes, error)) {
    case EFileRead::Missing:
        return false;
    case EFileRead::Failed:
        // Writing it later would replace records this run never saw.
        m_unreadable.insert(path);
        problems.append(QStringLiteral("%1 cannot be read: %2. It is not changed.").arg(shown(path), error));
        return false;
    case EFileRead::Read:
        break;
    }
    const qsizetype before = list.size();
    try {
        Load(bytes, list);
    } catch (const CArchiveException& e) {
        m_damaged.insert(path, bytes);
        problems.append(QStringLiteral("%1 is damaged (%2). The %3 records read before the damage are kept, and the "
                                       "damaged file is kept as %4 before it is written again.")
                            .arg(shown(path), e.Text())
                            .arg(list.size() - before)
                            .arg(QFileInfo(path).fileName() + kDamagedSuffix));
        return false;
    }
    return true;
}

template <class T>
bool CResultFiles::SaveOne(const QString& path, const CRecordList<T>& list, QStringList& problems)
{
    if (m_unreadable.contains(path)) {
        problems.append(QStringLiteral("%1: it could not be read, so it is not overwritten.").arg(shown(path)));
        return false;
    }
    QString error;
    const auto damaged = m_damaged.constFind(path);
    if (damaged != m_damaged.constEnd()) {
        if (AtomicFile::KeepAside(path, kDamagedSuffix, *damaged, &error).isEmpty()) {
            problems.append(QStringLiteral("%1: no copy of the damaged file could be kept (%2), so it is not "
                                           "overwritten.")
                                .arg(shown(path), error));
            return false;
        }
        m_damaged.erase(damaged);
    }
    if (!AtomicFile::Write(path, Store(list), &error)) {
        problems.append(QStringLiteral("%1: %2").arg(shown(path), error));
        return false;
    }
    return true;
}

bool CResultFiles::Load(const QString& userName, SResultLists lists)
{
    if (userName.isEmpty())
        return true;
    QStringList problems;
    bool result = LoadOne(PathOf(m_strUserFolder, userName, EResultKind::Grades), lists.grades, problems);
    result = LoadOne(PathOf(m_strUserFolder, userName, EResultKind::Missed), lists.missed, problems) && result;
    result = LoadOne(PathOf(m_strUserFolder, userName, EResultKind::Vocabulary), lists.vocabulary, problems) && result;
    if (!problems.isEmpty()) {
        Messages::Show(QStringLiteral("Some results of %1 could not be read completely:\n\n%2")
                           .arg(userName, problems.join(QLatin1Char('\n'))),
                       MessageIcon::Exclamation);
    }
    return result;
}

bool CResultFiles::Save(const QString& userName, SResultLists lists)
{
    if (userName.isEmpty())
        return true;
    QStringList problems;
    bool result = SaveOne(PathOf(m_strUserFolder, userName, EResultKind::Grades), lists.grades, problems);
    result = SaveOne(PathOf(m_strUserFolder, userName, EResultKind::Missed), lists.missed, problems) && result;
    result = SaveOne(PathOf(m_strUserFolder, userName, EResultKind::Vocabulary), lists.vocabulary, problems) && result;
    if (!problems.isEmpty()) {
        Messages::Show(QStringLiteral("Orthex could not save the results of %1:\n\n%2\n\nThe results are kept while "
                                      "Orthex runs and are saved again when the user changes or Orthex ends.")
                           .arg(userName, problems.join(QLatin1Char('\n'))),
                       MessageIcon::Exclamation);
    }
    return result;
}

template QByteArray CResultFiles::Store(const CRecordList<CGrade>&);
template QByteArray CResultFiles::Store(const CRecordList<CMissed>&);
template QByteArray CResultFiles::Store(const CRecordList<CVocabulary>&);
template void CResultFiles::Load(const QByteArray&, CRecordList<CGrade>&);
template void CResultFiles::Load(const QByteArray&, CRecordList<CMissed>&);
template void CResultFiles::Load(const QByteArray&, CRecordList<CVocabulary>&);
