#include "users/resultfiles.h"

#include "base/messages.h"
#include "base/archive.h"
#include "base/atomicfile.h"
#include "base/boundedfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QString kDamagedSuffix = QStringLiteral(".damaged");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
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

CResultFiles::EFileRead CResultFiles::ReadFile(const QString& path, QByteArray& bytes, QString& error, bool* damaged)
{
    BoundedFile::Result result = BoundedFile::Read(path, kMaxFileBytes);
    bytes = std::move(result.bytes);
    if (damaged)
        *damaged = result.status == BoundedFile::EStatus::TooLarge;
    switch (result.status) {
    case BoundedFile::EStatus::Read: return EFileRead::Read;
    case BoundedFile::EStatus::Missing: return EFileRead::Missing;
    case BoundedFile::EStatus::Failed:
    case BoundedFile::EStatus::TooLarge: break;
    }
    error = result.error;
    return EFileRead::Failed;
}

template <class T>
bool CResultFiles::LoadOne(const QString& path, CRecordList<T>& list, QStringList& problems)
{
    m_damaged.remove(path);
    m_unreadable.remove(path);
    m_oversized.remove(path);
    BoundedFile::Result read = BoundedFile::Read(path, kMaxFileBytes);
    switch (read.status) {
    case BoundedFile::EStatus::Missing:
        return false;
    case BoundedFile::EStatus::Failed:
        // Writing it later would replace records this run never saw.
        m_unreadable.insert(path);
        problems.append(QCoreApplication::translate("CResultFiles", "%1 cannot be read: %2. It is not changed.").arg(shown(path), read.error));
        return false;
    case BoundedFile::EStatus::TooLarge:
        // No real result file comes near the limit, so this is damage; it is not read at all, and
        // it is moved aside whole rather than copied before the file is written again.
        m_oversized.insert(path);
        problems.append(QCoreApplication::translate("CResultFiles", "%1 is damaged (%2, far more than any result file holds). No records are "
                                       "read from it, and the damaged file is kept as %3 before it is written again.")
                            .arg(shown(path), read.error, QFileInfo(path).fileName() + kDamagedSuffix));
        return false;
    case BoundedFile::EStatus::Read:
        break;
    }
    const QByteArray bytes = std::move(read.bytes);
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
    if (m_oversized.contains(path)) {
        if (AtomicFile::MoveAside(path, kDamagedSuffix, &error).isEmpty()) {
            problems.append(QCoreApplication::translate("CResultFiles", "%1: the damaged file could not be moved aside (%2), so it is not "
                                           "overwritten.")
                                .arg(shown(path), error));
            return false;
        }
        m_oversized.remove(path);
    }
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
    if (!AtomicFile::Write(path, Store(list), &error, AtomicFile::Sharing::LikeFolder)) {
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
