#include "base/appfolders.h"

#include "base/appsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#endif

namespace {
const QString kOrthex = QStringLiteral("/Orthex");

QString withOrthex(const QString& base)
{
    return base.isEmpty() ? QString() : base + kOrthex;
}

// Length of the root that a folder walk skips.
qsizetype rootLength(const QString& path)
{
#ifdef Q_OS_WIN
    if (path.size() >= 3 && path.at(1) == QLatin1Char(':')
        && (path.at(2) == QLatin1Char('\\') || path.at(2) == QLatin1Char('/')))
        return 3;
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        return 2;
#endif
    if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')))
        return 1;
    return 0;
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}
}  // namespace

CAppFolders::CAppFolders(CAppSettings& settings)
    : m_settings(settings)
{
}

QString CAppFolders::SharedDocumentsFolder()
{
    const QString overridden = qEnvironmentVariable("ORTHEX_SHARED_DOCUMENTS");
    if (!overridden.isEmpty())
        return QDir::fromNativeSeparators(overridden);
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, buffer)))
        return QDir::fromNativeSeparators(QString::fromWCharArray(buffer));
    return QString();
#else
    return PersonalDocumentsFolder();
#endif
}

QString CAppFolders::PersonalDocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString CAppFolders::GetDefaultUserFolder() const
{
    const QString value = m_settings.DefaultUserFolderValue();
    if (!value.isEmpty())
        return value;
    const QString folder = withOrthex(SharedDocumentsFolder());
    if (!folder.isEmpty())
        CreateFolderPath(folder);
    return folder;
}

bool CAppFolders::SetDefaultUserFolder(const QString& path)
{
    if (!m_settings.SetDefaultUserFolderValue(path))
        return false;
    m_strUserFolder = path;
    return true;
}

QString CAppFolders::GetSaveFolder() const
{
    const QString value = m_settings.SaveFolderValue();
    if (!value.isEmpty())
        return value;
    const QString folder = withOrthex(PersonalDocumentsFolder());
    if (!folder.isEmpty())
        CreateFolderPath(folder);
    return folder;
}

bool CAppFolders::SetSaveFolder(const QString& path)
{
    return m_settings.SetSaveFolderValue(path);
}

QString CAppFolders::GetRecordingFolder()
{
    QString base = SharedDocumentsFolder();
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + kOrthex + QLatin1Char('/');
}

QStringList CAppFolders::SystemConfigFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    const QString programData = qEnvironmentVariable("ProgramData");
    if (!programData.isEmpty())
        folders << QDir::fromNativeSeparators(programData) + kOrthex;
#else
    folders << QStringLiteral("/etc/orthex");
#endif
    const QString added = qEnvironmentVariable("ORTHEX_SYSTEM_CONFIG_DIR");
    if (!added.isEmpty())
        folders << QDir::fromNativeSeparators(added);
    return folders;
}

QString CAppFolders::GetAutoLogInName() const
{
    return m_settings.AutoLogInName();
}

bool CAppFolders::SetAutoLogInName(const QString& name)
{
    return m_settings.SetAutoLogInName(name);
}

bool CAppFolders::CreateFolderPath(const QString& path)
{
    const qsizetype start = rootLength(path);
    bool good = false;
    bool lookedAt = false;
    for (qsizetype i = start; i < path.size(); ++i) {
        const bool last = i == path.size() - 1;
        if (!isSeparator(path.at(i)) && !last)
            continue;
        const QString prefix = path.left(i + 1);
        if (isSeparator(path.at(i)) && i == start)
            continue;  // a doubled separator right after the root names no new level
        lookedAt = true;
        const QFileInfo info(prefix);
        if (info.exists()) {
            good = info.isDir();
            continue;
        }
        good = QDir().mkdir(prefix);
        if (good)
            ShareLikeParent(prefix);
    }
    return lookedAt && good;
}

void CAppFolders::ShareLikeParent(const QString& path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
#else
    QString cleaned = QDir::cleanPath(path);
    const QFileInfo parent(QFileInfo(cleaned).absolutePath());
    const QFileDevice::Permissions parentPerms = QFile::permissions(parent.absoluteFilePath());
    const QFileDevice::Permissions shared = parentPerms & (QFileDevice::WriteGroup | QFileDevice::WriteOther);
    if (!shared)
        return;
    QFileDevice::Permissions perms = QFile::permissions(cleaned);
    if (parentPerms & QFileDevice::WriteGroup)
        perms |= QFileDevice::WriteGroup | QFileDevice::ReadGroup;
    if (parentPerms & QFileDevice::WriteOther)
        perms |= QFileDevice::WriteOther | QFileDevice::ReadOther;
    if (QFileInfo(cleaned).isDir()) {
        if (parentPerms & QFileDevice::WriteGroup)
            perms |= QFileDevice::ExeGroup;
        if (parentPerms & QFileDevice::WriteOther)
            perms |= QFileDevice::ExeOther;
    }
    QFile::setPermissions(cleaned, perms);
#endif
}
