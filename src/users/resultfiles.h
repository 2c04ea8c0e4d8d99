#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"
#include "storage/resultlists.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The three kinds of result list, in the order their files are read and written.
enum class EResultKind { Grades, Missed, Vocabulary };

// The per-user result files: user folder + "/" + name + ".sp3" (grades), ".sp4" (misspelled
// words) and ".sp5" (vocabulary), each one stored list. The user is tied to the files by name.
//
// Loading appends each file's records at the tail of its list, in file order. Saving writes all
// three lists, each file replaced atomically. Faults are shown through the message seam:
// - a damaged file: the records before the damage are kept, the other files are still read, and
//   the damaged original is kept as NAME.sp3.damaged (.2, .3 ...) before it is first written;
//   a file larger than kMaxFileBytes is damage too, read not at all and renamed to that name;
// - a file that exists but cannot be read (or whose folder cannot be searched) is not
//   overwritten by this run;
// - a file that cannot be written: its records stay in memory, so a later save can succeed.
class CResultFiles
{
public:
    // Far beyond any real result file (65,535 grades take 1.4 MB); a larger file is damage and
    // is refused before it is read. Orthex.lgn and Orthex.teacher are held to it as well.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

    static QString Extension(EResultKind kind);
    static QString PathOf(const QString& userFolder, const QString& userName, EResultKind kind);

    explicit CResultFiles(const QString& userFolder = QString());

    QString UserFolder() const { return m_strUserFolder; }
    void SetUserFolder(const QString& userFolder) { m_strUserFolder = userFolder; }

    // True when all three files were read (a missing file, as for a new user, makes it false
    // without a message). An empty name reads nothing and is true.
    bool Load(const QString& userName, SResultLists lists);
    // True when all three files were written. An empty name writes nothing and is true.
    bool Save(const QString& userName, SResultLists lists);

    // One list in the file byte format, and back. Load throws CArchiveException on damaged
    // data, the records read before it staying in the list; bytes after the last record the
    // stored count gives are damage too (a count too low, or something appended), since writing
    // the list again would drop them.
    template <class T>
    static QByteArray Store(const CRecordList<T>& list);
    template <class T>
    static void Load(const QByteArray& bytes, CRecordList<T>& list);

    // Reads the whole of a result file. Missing: there is no such file, or no such folder (a new
    // user has none). Failed: it cannot be read, and error says why; a folder, pipe or device in
    // the file's place is refused without waiting on it, a file over kMaxFileBytes without
    // reading it (then *damaged, when given, is set: that is damage, not a fault of reading).
    enum class EFileRead { Read, Missing, Failed };
    static EFileRead ReadFile(const QString& path, QByteArray& bytes, QString& error, bool* damaged = nullptr);

private:
    template <class T>
    bool LoadOne(const QString& path, CRecordList<T>& list, QStringList& problems);
    template <class T>
    bool SaveOne(const QString& path, const CRecordList<T>& list, QStringList& problems);

    QString m_strUserFolder;
    QHash<QString, QByteArray> m_damaged;  // damaged files as read, kept aside before replacing
    QSet<QString> m_unreadable;            // files that exist but could not be read
    QSet<QString> m_oversized;             // damaged files too large to read, moved aside before replacing
};
