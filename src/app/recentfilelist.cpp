#include "app/recentfilelist.h"

#include "base/appsettings.h"

#include <QDir>
#include <QFileInfo>

CRecentFileList::CRecentFileList(CAppSettings& settings)
    : m_settings(settings)
{
}

QStringList CRecentFileList::Files() const
{
    return m_settings.RecentFiles();
}

void CRecentFileList::Add(const QString& path)
{
    const QString file = Normalized(path);
    if (file.isEmpty())
        return;
    QStringList files = Files();
    files.removeIf([&](const QString& entry) { return SamePath(entry, file); });
    files.prepend(file);
    while (files.size() > CAppSettings::kRecentFileCount)
        files.removeLast();
    if (files != Files())
        m_settings.SetRecentFiles(files);
}

void CRecentFileList::Remove(const QString& path)
{
    const QString file = Normalized(path);
    QStringList files = Files();
    const auto removed = files.removeIf([&](const QString& entry) { return SamePath(entry, file); });
    if (removed > 0)
        m_settings.SetRecentFiles(files);
}

QString CRecentFileList::MenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString CRecentFileList::Normalized(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool CRecentFileList::SamePath(const QString& a, const QString& b)
{
#ifdef Q_OS_WIN
    return Normalized(a).compare(b, Qt::CaseInsensitive) == 0;
#else
    return Normalized(a) == b;
#endif
}
