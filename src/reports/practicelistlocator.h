#pragma once

#include <QString>
#include <QStringList>

// Finds the file of a spelling list from the list name a result record carries. A record's list
// name is the title the list had during the test: its file name, ".orthex" included, and for a
// grade of a repeated or stopped test followed by "--Repeat", "--Stopped Test" or
// "--Repeat, Stopped". The file is looked for in the save folder, then among the recent files.
class CPracticeListLocator
{
public:
    CPracticeListLocator(const QString& saveFolder, const QStringList& recentFiles);

    // The file name a list name stands for: the name without the suffix of a repeated or
    // stopped test. Empty when the name cannot be a plain file name (empty, ".", "..", or
    // holding a slash, a backslash or a null character), so a record never leads elsewhere.
    static QString FileNameOf(const QString& listName);

    // The existing files that may be the list, most likely first: the save folder's file of
    // that name, then the recent files of that name, newest first; then, for a name without
    // ".orthex" (a list titled without its extension), the same with ".orthex" added. Each
    // file once.
    QStringList Paths(const QString& listName) const;

private:
    QString m_strSaveFolder;
    QStringList m_recentFiles;
};
