#include "users/userfile.h"

#include "base/messages.h"
#include "base/archive.h"
#include "base/atomicfile.h"
#include "base/boundedfile.h"
#include "users/resultfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

const QString kDamagedSuffix = QStringLiteral(".damaged");

void showDamage(const QString& path, const QString& damage, qsizetype kept)
{
    Messages::Show(QCoreApplication::translate("CUserFile", "The user information file %1 is damaged (%2). The %3 users read before the "
                                  "damage are kept. Before the file is written again, the damaged file is kept "
                                  "beside it as %4.")
                       .arg(shown(path), damage)
                       .arg(kept)
                       .arg(CUserFile::FileName() + kDamagedSuffix),
                   MessageIcon::Exclamation);
}
}  // namespace

QString CUserFile::PathIn(const QString& userFolder)
{
    if (userFolder.isEmpty())
        return QString();
    return userFolder + QLatin1Char('/') + FileName();
}

CUserFile::CUserFile(const QString& userFolder)
    : m_strUserFolder(userFolder)
{
}

void CUserFile::SetWaiting(int tries, int pauseMs)
{
    m_nTries = qMax(1, tries);
    m_nPauseMs = qMax(0, pauseMs);
}

CExclusiveFile::EOpen CUserFile::OpenOnce(bool create)
{
    if (m_strUserFolder.isEmpty())
        return CExclusiveFile::EOpen::Missing;
    return m_file.TryOpen(Path(), create);
}

CExclusiveFile::EOpen CUserFile::OpenWaiting(const std::function<CExclusiveFile::EOpen()>& tryOnce)
{
    bool waiting = QFileInfo::exists(Path());
    if (waiting && m_pWaiter)
        m_pWaiter->BeginWaiting();
    CExclusiveFile::EOpen result = CExclusiveFile::EOpen::Locked;
    for (int attempt = 1; attempt <= m_nTries; ++attempt) {
        result = tryOnce();
        // Only a file in use is worth waiting for; any other failure would fail again.
        if (result != CExclusiveFile::EOpen::Locked)
            break;
        if (!waiting) {
            // Made and taken by another copy just now: wait for it like for any held file.
            waiting = true;
            if (m_pWaiter)
                m_pWaiter->BeginWaiting();
        }
        if (m_pWaiter)
            m_pWaiter->Pause(m_nPauseMs);
        else
            QThread::msleep(static_cast<unsigned long>(m_nPauseMs));
    }
    if (waiting && m_pWaiter)
        m_pWaiter->EndWaiting();
    return result;
}

void CUserFile::OpenUserFile()
{
    m_file.Close();
    // Without a folder there is no file to use; nothing is made at the root of the disk.
    if (m_strUserFolder.isEmpty())
        return;
    const QString path = Path();
    const CExclusiveFile::EOpen result = OpenWaiting([&] { return m_file.TryOpen(path, true); });
    if (result == CExclusiveFile::EOpen::Locked) {
        Messages::Show(QStringLiteral("Orthex could not open the user information file %1, because another copy of "
                                      "Orthex kept it in use. The names are not shown this time, and no user is "
                                      "added, deleted or changed.")
                           .arg(shown(path)),
                       MessageIcon::Exclamation);
    } else if (result != CExclusiveFile::EOpen::Opened) {
        Messages::Show(QStringLiteral("Orthex could not open the user information file %1: %2. The names are not "
                                      "shown this time, and no user is added, deleted or changed.")
                           .arg(shown(path), m_file.ErrorString()),
                       MessageIcon::Exclamation);
    }
}

QByteArray CUserFile::Store(const CRecordList<CUser>& users)
{
    return StoreListBytes(users);
}

void CUserFile::Load(const QByteArray& bytes, CRecordList<CUser>& users)
{
    LoadListBytes(bytes, users);
}

bool CUserFile::LoadUsers()
{
    m_users.Clear();
    m_bDamaged = false;
    m_strDamage.clear();
    m_damagedBytes.clear();
    m_bOversized = false;
    if (m_strUserFolder.isEmpty() || !m_file.IsOpen() || m_file.Size() <= 0)
        return false;
    if (m_file.Size() > CResultFiles::kMaxFileBytes) {
        // Far more than any real file: damage. Not read, and moved aside whole, not copied.
        m_bDamaged = true;
        m_bOversized = true;
        m_strDamage = BoundedFile::TooLargeText(CResultFiles::kMaxFileBytes);
        showDamage(Path(), m_strDamage, 0);
        return true;
    }
    QByteArray bytes;
    if (!m_file.ReadAll(bytes, CResultFiles::kMaxFileBytes)) {
        Messages::Show(QStringLiteral("Orthex could not read the user information file %1: %2.")
                           .arg(shown(Path()), m_file.ErrorString()),
                       MessageIcon::Exclamation);
        // Writing now would replace users that could not be read.
        m_file.Close();
        return false;
    }
    try {
        Load(bytes, m_users);
    } catch (const CArchiveException& e) {
        m_bDamaged = true;
        m_strDamage = e.Text();
        m_damagedBytes = bytes;
        showDamage(Path(), e.Text(), m_users.size());
    }
    return true;
}

bool CUserFile::SaveUsers()
{
    if (m_strUserFolder.isEmpty() || !m_file.IsOpen())
        return false;
    QString error;
    if (m_bDamaged) {
        const QString kept = m_bOversized ? AtomicFile::MoveAside(Path(), kDamagedSuffix, &error)
                                          : AtomicFile::KeepAside(Path(), kDamagedSuffix, m_damagedBytes, &error);
        if (kept.isEmpty()) {
            Messages::Show(QStringLiteral("Orthex could not keep a copy of the damaged user information file %1 (%2), "
                                          "so the users are not saved.")
                               .arg(shown(Path()), error),
                           MessageIcon::Exclamation);
            return false;
        }
        m_bDamaged = false;
        m_bOversized = false;
        m_damagedBytes.clear();
    }
    if (!m_file.Replace(Store(m_users))) {
        Messages::Show(QStringLiteral("Orthex could not save the user information file %1: %2.")
                           .arg(shown(Path()), m_file.ErrorString()),
                       MessageIcon::Exclamation);
        return false;
    }
    return true;
}

QStringList CUserFile::Names() const
{
    QStringList names;
    for (const CUser& user : m_users)
        names.append(user.GetName());
    return names;
}

CUser* CUserFile::FindUser(const QString& name)
{
    const qsizetype index = IndexOf(name);
    return index < 0 ? nullptr : &m_users.at(index);
}

qsizetype CUserFile::IndexOf(const QString& name) const
{
    for (qsizetype i = 0; i < m_users.size(); ++i) {
        if (m_users.at(i).GetName() == name)
            return i;
    }
    return -1;
}

bool CUserFile::NeedsPassword(const QString& name)
{
    if (m_strUserFolder.isEmpty())
        return false;
    CExclusiveFile file;
    switch (OpenWaiting([&] { return file.TryOpenForReading(Path()); })) {
    case CExclusiveFile::EOpen::Missing: return false;
    case CExclusiveFile::EOpen::Locked:
    case CExclusiveFile::EOpen::Failed: return true;
    case CExclusiveFile::EOpen::Opened: break;
    }
    QByteArray bytes;
    if (!file.ReadAll(bytes, CResultFiles::kMaxFileBytes))
        return true;
    file.Close();
    CRecordList<CUser> users;
    try {
        if (!bytes.isEmpty())
            Load(bytes, users);
    } catch (const CArchiveException&) {
        // The user may be among those the damage hides.
        return true;
    }
    for (const CUser& user : users) {
        if (user.GetName() == name)
            return !PasswordMatches(user, QString());
    }
    return false;
}

bool CUserFile::PasswordMatches(const CUser& user, const QString& typed)
{
    const QString stored = user.GetPassword();
    return (stored == QLatin1String(" ") ? QString() : stored) == typed;
}
