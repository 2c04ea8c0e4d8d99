#pragma once

#include <QByteArray>
#include <QString>

// Replacing a file so that a crash or a full disk never leaves it half written: the content goes
// to a new file in the same folder, is flushed to disk and is then renamed over the old file.
// The new file keeps the old one's permissions (and owner, where allowed). A file that did not
// exist yet gets the mode every new file gets, or, for what Orthex keeps in a shared user folder,
// the shared write permission of its folder (CAppFolders::ShareLikeParent).
namespace AtomicFile {

enum class Sharing {
    Private,     // a person's own document (a list, an export): no other account may change it
    LikeFolder,  // a file of the user or recording folder, which every pupil's account writes
};

// Writes content as the whole of path. False, with the reason in error, when anything fails;
// the old file is then untouched.
bool Write(const QString& path, const QByteArray& content, QString* error = nullptr,
           Sharing sharing = Sharing::Private);

// Writes content (the bytes a damaged file held when it was read) to the first free name of
// path + suffix, path + suffix + ".2", ".3" and so on, never overwriting anything. Returns the
// name used, empty on failure.
QString KeepAside(const QString& path, const QString& suffix, const QByteArray& content, QString* error = nullptr);
// Renames path itself to the first free one of those names, for a damaged file too large to be
// held in memory. Returns the name used, empty on failure.
QString MoveAside(const QString& path, const QString& suffix, QString* error = nullptr);

#ifndef Q_OS_WIN
// The steps of Write, for a caller that must act on the new file before it takes the old one's
// place (CExclusiveFile locks it). CreateBeside makes the new file with the permissions
// described above and returns its descriptor (-1 on failure); WriteAndSync writes and flushes
// it; RenameOver puts it in place and flushes the folder.
int CreateBeside(const QString& path, QString& tempPath, QString* error, Sharing sharing);
bool WriteAndSync(int fd, const QByteArray& content, QString* error);
bool RenameOver(const QString& tempPath, const QString& path, QString* error);
#endif

}  // namespace AtomicFile
