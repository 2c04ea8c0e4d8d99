#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// A file held open for reading and writing that no other copy of Orthex can open at the same
// time: a whole-file write lock (open-file-description lock, so two handles in one process also
// exclude each other) on POSIX, share mode 0 on Windows. Used for the user information file.
// Held for reading only, it takes a read lock instead (Windows: shares reading alone): other
// readers may hold it too, but not a writer, so a writer never changes it under a reader and a
// file the user may read but not write can still be read.
//
// One TryOpen is one try; it never waits. Waiting and retrying belong to the caller.
class CExclusiveFile
{
public:
    enum class EOpen {
        Opened,     // the file is open and held
        Locked,     // another holder has it; try again later
        Missing,    // the file does not exist and creating it was not asked for
        Failed,     // any other error (see ErrorString)
    };

    CExclusiveFile() = default;
    ~CExclusiveFile();
    CExclusiveFile(const CExclusiveFile&) = delete;
    CExclusiveFile& operator=(const CExclusiveFile&) = delete;

    // Opens path for reading and writing and takes the lock. With create set, a missing file is
    // made (empty) first. A failed try leaves the object closed; so does anything but a regular
    // file in the path's place (Failed, at once: a pipe or device is not waited on).
    EOpen TryOpen(const QString& path, bool create);
    // Opens an existing file for reading only and takes the read lock. Replace() then fails.
    EOpen TryOpenForReading(const QString& path);

    bool IsOpen() const;
    QString Path() const { return m_strPath; }
    QString ErrorString() const { return m_strError; }

    // Size of the held file in bytes, -1 on error.
    qint64 Size() const;
    // The whole content of the held file; false (with ErrorString) on a read error, or when it
    // holds more than maxBytes (checked before anything is read).
    bool ReadAll(QByteArray& content, qint64 maxBytes);
    // Replaces the file's content atomically: the bytes go to a new file beside it, which is
    // flushed to disk and renamed over the old one while the lock is held. The new file keeps the
    // old one's permissions and stays held afterwards. False (with ErrorString) when anything
    // fails; the old file is then untouched and still held.
    bool Replace(const QByteArray& content);

    // Releases the lock and closes the file.
    void Close();

    // For tests: called on every try between opening the path and taking the lock, where
    // another copy may replace the file.
    static void SetAfterOpenHook(std::function<void()> hook);

private:
    EOpen Take(const QString& path, bool create, bool forReading);

#ifdef Q_OS_WIN
    void* m_hFile = reinterpret_cast<void*>(-1);
#else
    int m_fd = -1;
#endif
    QString m_strPath;
    QString m_strError;
    bool m_bForReading = false;
};
