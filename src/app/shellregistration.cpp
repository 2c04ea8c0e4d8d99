#include "app/shellregistration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString kDesktopFile = QString::fromLatin1(CShellRegistration::kAppId) + QStringLiteral(".desktop");
const QString kEarlierDesktopFile = QStringLiteral("orthex.desktop");
const QString kMimeFile = QStringLiteral("orthex.xml");

// Writes content to path unless the file already holds exactly that; true when written.
bool writeIfDifferent(const QString& path, const QByteArray& content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

QString quoteExec(const QString& path)
{
    // Desktop-entry quoting: double quotes around the path, with \ " ` $ escaped.
    QString escaped = path;
    for (const char c : {'\\', '"', '`', '$'})
        escaped.replace(QLatin1Char(c), QStringLiteral("\\") + QLatin1Char(c));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void runInBackground(const QString& tool, const QStringList& args)
{
    const QString found = QStandardPaths::findExecutable(tool);
    if (!found.isEmpty())
        QProcess::startDetached(found, args);
}
}  // namespace

QString CShellRegistration::DesktopEntry(const QString& programPath)
{
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Orthex\n"
               "GenericName=Spelling Tests\n"
               "Comment=Practise spelling tests with recorded words\n"
               "Exec=%1 %f\n"
               "Icon=orthex\n"
               "Terminal=false\n"
               "Categories=Education;Languages;\n"
               "Keywords=spelling;dictation;school;\n"
               "MimeType=%2;\n"
               "StartupWMClass=Orthex\n")
        .arg(quoteExec(programPath), QLatin1String(kMimeType));
}

bool CShellRegistration::IsEarlierEntry(const QByteArray& content)
{
    // Exactly what versions before the application id wrote, for any program path.
    static const QByteArray head =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Orthex\n"
        "GenericName=Spelling Tests\n"
        "Comment=Practise spelling tests with recorded words\n"
        "Exec=\"";
    static const QByteArray tail =
        "\" %f\n"
        "Icon=orthex\n"
        "Terminal=false\n"
        "Categories=Education;Languages;\n"
        "MimeType=application/x-orthex;\n";
    if (content.size() < head.size() + tail.size() || !content.startsWith(head) || !content.endsWith(tail))
        return false;
    const QByteArray path = content.mid(head.size(), content.size() - head.size() - tail.size());
    return !path.isEmpty() && !path.contains('\n');
}

QByteArray CShellRegistration::MimeTypeXml()
{
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-orthex\">\n"
        "    <comment>Orthex Files</comment>\n"
        "    <sub-class-of type=\"application/vnd.sqlite3\"/>\n"
        "    <glob pattern=\"*.orthex\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
}

bool CShellRegistration::SystemWideEntryInstalled()
{
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QFileInfo::exists(dir + QStringLiteral("/applications/") + kDesktopFile))
            return true;
    }
    return false;
}

CShellRegistration::Result CShellRegistration::Register(const QString& programPath, const QByteArray& iconSvg)
{
    Result result;
#ifdef Q_OS_WIN
    Q_UNUSED(iconSvg);
    // The file association: .orthex -> Orthex.Document, with open, print and print-to verbs.
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    const QString exe = QDir::toNativeSeparators(programPath);
    classes.setValue(QStringLiteral(".orthex/Default"), QStringLiteral("Orthex.Document"));
    classes.setValue(QStringLiteral("Orthex.Document/Default"), QStringLiteral("Orthex.Document"));
    classes.setValue(QStringLiteral("Orthex.Document/DefaultIcon/Default"), QStringLiteral("\"%1\",0").arg(exe));
    classes.setValue(QStringLiteral("Orthex.Document/shell/open/command/Default"), QStringLiteral("\"%1\" \"%2\"").arg(exe, QStringLiteral("%1")));
    classes.setValue(QStringLiteral("Orthex.Document/shell/print/command/Default"), QStringLiteral("\"%1\" /p \"%2\"").arg(exe, QStringLiteral("%1")));
    classes.setValue(QStringLiteral("Orthex.Document/shell/printto/command/Default"),
                     QStringLiteral("\"%1\" /pt \"%2\" \"%3\" \"%4\" \"%5\"").arg(exe, QStringLiteral("%1"), QStringLiteral("%2"), QStringLiteral("%3"), QStringLiteral("%4")));
    classes.sync();
#else
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty()) {
        // Left in place it would show Orthex twice in the menu.
        const QString earlier = data + QStringLiteral("/applications/") + kEarlierDesktopFile;
        QFile earlierFile(earlier);
        if (earlierFile.open(QIODevice::ReadOnly) && earlierFile.size() <= 64 * 1024
            && IsEarlierEntry(earlierFile.readAll())) {
            earlierFile.close();
            if (QFile::remove(earlier))
                result.removed << earlier;
        }
    }
    if (SystemWideEntryInstalled()) {
        result.systemWide = true;
        if (!result.removed.isEmpty())
            runInBackground(QStringLiteral("update-desktop-database"), {data + QStringLiteral("/applications")});
        return result;
    }
    if (data.isEmpty())
        return result;
    const QString desktop = data + QStringLiteral("/applications/") + kDesktopFile;
    const QString mime = data + QStringLiteral("/mime/packages/") + kMimeFile;
    const QString icon = data + QStringLiteral("/icons/hicolor/scalable/apps/orthex.svg");
    const bool desktopWritten = writeIfDifferent(desktop, DesktopEntry(programPath).toUtf8());
    const bool mimeWritten = writeIfDifferent(mime, MimeTypeXml());
    if (desktopWritten)
        result.written << desktop;
    if (mimeWritten)
        result.written << mime;
    if (!iconSvg.isEmpty() && writeIfDifferent(icon, iconSvg))
        result.written << icon;
    if (mimeWritten)
        runInBackground(QStringLiteral("update-mime-database"), {data + QStringLiteral("/mime")});
    if (desktopWritten || !result.removed.isEmpty())
        runInBackground(QStringLiteral("update-desktop-database"), {data + QStringLiteral("/applications")});
#endif
    return result;
}
