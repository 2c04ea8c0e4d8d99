#include "reports/practicelistlocator.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The suffixes a test adds to the list name of its grade; the longest that could overlap first.
const char* const kTestSuffixes[] = {"--Repeat, Stopped", "--Stopped Test", "--Repeat"};

const QString kExtension = QStringLiteral(".orthex");

Qt::CaseSensitivity fileNameCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}
}  // namespace

CPracticeListLocator::CPracticeListLocator(const QString& saveFolder, const QStringList& recentFiles)
    : m_strSaveFolder(saveFolder)
    , m_recentFiles(recentFiles)
{
}

QString CPracticeListLocator::FileNameOf(const QString& listName)
{
    QString name = listName;
    for (const char* suffix : kTestSuffixes) {
        if (name.endsWith(QLatin1String(suffix))) {
            name.chop(qsizetype(qstrlen(suffix)));
            break;
        }
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/'))
        || name.contains(QLatin1Char('\\')) || name.contains(QChar::Null))
        return QString();
    return name;
}

QStringList CPracticeListLocator::Paths(const QString& listName) const
{
    const QString fileName = FileNameOf(listName);
    if (fileName.isEmpty())
        return {};
    QStringList names{fileName};
    if (!fileName.endsWith(kExtension, Qt::CaseInsensitive))
        names << fileName + kExtension;

    QStringList paths;
    auto add = [&](const QString& path) {
        const QFileInfo info(path);
        if (!info.isFile())
            return;
        const QString absolute = QDir::cleanPath(info.absoluteFilePath());
        for (const QString& known : paths)
            if (known.compare(absolute, fileNameCase()) == 0)
                return;
        paths << absolute;
    };
    for (const QString& name : names) {
        if (!m_strSaveFolder.isEmpty())
            add(m_strSaveFolder + QLatin1Char('/') + name);
        for (const QString& recent : m_recentFiles)
            if (QFileInfo(recent).fileName().compare(name, fileNameCase()) == 0)
                add(recent);
    }
    return paths;
}
