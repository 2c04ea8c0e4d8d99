#pragma once

#include <QString>
#include <QStringList>

class CAppSettings;

// The four most recently used list files ("Recent File List"), newest first. Every change is
// stored at once, so the list survives a crash.
class CRecentFileList
{
public:
    explicit CRecentFileList(CAppSettings& settings);

    QStringList Files() const;
    // Puts the file at the top (moving it if present) and drops the oldest beyond four.
    void Add(const QString& path);
    void Remove(const QString& path);

    // The text of a File-menu entry: "&1 /path/list.orthex", with "&" in the path doubled.
    static QString MenuText(int index, const QString& path);
    // Absolute, clean form, so the same file is never listed twice.
    static QString Normalized(const QString& path);

private:
    static bool SamePath(const QString& a, const QString& b);

    CAppSettings& m_settings;
};
