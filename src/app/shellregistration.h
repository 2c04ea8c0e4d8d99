#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Registers the "Orthex Files" type (*.orthex) with the desktop at every start, so that a list
// opens in Orthex with a double click: a freedesktop desktop entry and a shared-mime-info type in
// the user's XDG data folder (on Windows, the file association under HKCU\Software\Classes).
// Files are written only when their content differs, and not at all when a system-wide entry is
// installed (as the .deb does). The entry is named by the application id; one that an earlier
// version wrote as orthex.desktop is removed, unless somebody has changed it since.
class CShellRegistration
{
public:
    struct Result {
        bool systemWide = false;     // an installed entry exists; nothing was written
        QStringList written;         // files written or replaced this time
        QStringList removed;         // earlier entries removed this time
    };

    // The reverse-DNS id: the desktop entry's and the AppStream metadata's name.
    static constexpr const char* kAppId = "org.vellomar.Orthex";

    // programPath: the program that is running (Exec names it). iconSvg: the application icon.
    static Result Register(const QString& programPath, const QByteArray& iconSvg);

    static QString DesktopEntry(const QString& programPath);
    static QByteArray MimeTypeXml();
    static constexpr const char* kMimeType = "application/x-orthex";

private:
    static bool SystemWideEntryInstalled();
    static bool IsEarlierEntry(const QByteArray& content);
};
