#pragma once

// Files for tests: whole-file reads and writes, names in the test's temporary folder, and
// permissions.

#include "testing/testenvironment.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

namespace TestFiles {
// The whole file; a file that cannot be read gives "<unreadable>", so that it never equals an
// empty one.
inline QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Replaces the file with the bytes; false when they were not all written.
inline bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A name in the test's temporary folder.
inline QString InRoot(const QString& name)
{
    return QDir(CTestEnvironment::Instance().Root()).filePath(name);
}

// Writes a file of that name in the test's temporary folder; its path, or empty on failure.
inline QString WriteInRoot(const QString& name, const QByteArray& bytes)
{
    const QString path = InRoot(name);
    return Write(path, bytes) ? path : QString();
}

// The files of a folder, hidden ones and sockets too, sorted by name without regard to case.
inline QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
}

// The permission bits of the file, or -1 when it cannot be examined.
inline int ModeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
}  // namespace TestFiles
