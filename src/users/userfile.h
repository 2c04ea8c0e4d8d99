#pragma once

#include "base/exclusivefile.h"
#include "storage/recordlist.h"
#include "users/user.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// What the user sees while a copy of Orthex waits for the user information file: the program
// shows its wait dialog; without one the pause simply sleeps.
class IUserFileWaiter
{
public:
    virtual ~IUserFileWaiter() = default;
    // The file exists, so the tries begin (shown even when the first try succeeds).
    virtual void BeginWaiting() = 0;
    // The pause after a failed try.
    virtual void Pause(int milliseconds) = 0;
    virtual void EndWaiting() = 0;
};

// The user information file "Orthex.lgn" in the user folder, as a dialog uses it: opened and
// held exclusively while the dialog lives, read into a list of users the dialog owns, and
// written back after a change. Each dialog has its own and reads the file afresh.
//
// Faults are shown through the message seam: a file that cannot be opened (or stays in use for
// all the tries), a damaged file (the users read before the damage are kept, and the damaged
// original is kept beside it as "Orthex.lgn.damaged" before the file is written again; a file
// larger than CResultFiles::kMaxFileBytes is damage, not read at all and renamed to that name),
// and a file that cannot be written.
class CUserFile
{
public:
    static constexpr int kDefaultTries = 36;
    static constexpr int kDefaultPauseMs = 5000;

    static QString FileName() { return QStringLiteral("Orthex.lgn"); }
    // user folder + "/Orthex.lgn"; empty for an empty user folder.
    static QString PathIn(const QString& userFolder);

    explicit CUserFile(const QString& userFolder = QString());
    CUserFile(const CUserFile&) = delete;
    CUserFile& operator=(const CUserFile&) = delete;

    QString UserFolder() const { return m_strUserFolder; }
    void SetUserFolder(const QString& userFolder) { m_strUserFolder = userFolder; }
    QString Path() const { return PathIn(m_strUserFolder); }

    // How long OpenUserFile waits for a file that another copy holds.
    void SetWaiting(int tries, int pauseMs);
    int Tries() const { return m_nTries; }
    int PauseMs() const { return m_nPauseMs; }
    // Not owned; null sleeps without showing anything.
    void SetWaiter(IUserFileWaiter* waiter) { m_pWaiter = waiter; }

    // Opens and holds the file, waiting for it when it exists (up to Tries() tries, PauseMs()
    // apart), creating it (empty) when it does not. An empty user folder opens and creates
    // nothing. On failure the file is not open and the user has been told why.
    void OpenUserFile();
    // Whether the user of that name must type a password to log in: false for a blank password
    // or a name the file does not hold (a missing or empty file holds none). True also when
    // that cannot be known: the file stays in use for all the tries, cannot be read or is
    // damaged. Reads with a read lock, waiting like OpenUserFile, and shows nothing.
    bool NeedsPassword(const QString& name);
    // One try, without waiting and without messages (for orthex-cli).
    CExclusiveFile::EOpen OpenOnce(bool create);
    bool IsOpen() const { return m_file.IsOpen(); }
    void Close() { m_file.Close(); }

    // Empties the list, then reads it from the file when the folder is set, the file is open
    // and not empty. True when it read (a damaged file too: the users before the damage stay).
    bool LoadUsers();
    // Writes the whole list in place of the file's content, atomically. False, writing nothing,
    // when the folder is empty or the file is not open; false with a message when the write
    // fails. The file stays held afterwards, so a later change of the same dialog is written too.
    bool SaveUsers();

    // True after LoadUsers met damaged data; DamageText() says what was wrong.
    bool IsDamaged() const { return m_bDamaged; }
    QString DamageText() const { return m_strDamage; }

    CRecordList<CUser>& Users() { return m_users; }
    const CRecordList<CUser>& Users() const { return m_users; }
    // The names in file order.
    QStringList Names() const;

    // The first user in list order whose name equals name exactly, or null.
    CUser* FindUser(const QString& name);
    // Index of that user in the list, or -1.
    qsizetype IndexOf(const QString& name) const;
    // The stored password, with a single space read as empty, equals the typed one exactly.
    static bool PasswordMatches(const CUser& user, const QString& typed);

    // The list stored in the file's byte format, and read back from it (throws
    // CArchiveException on damaged data; the users read before it stay in users).
    static QByteArray Store(const CRecordList<CUser>& users);
    static void Load(const QByteArray& bytes, CRecordList<CUser>& users);

private:
    // Tries to open the file (tryOnce) until it is not in use, up to Tries() tries.
    CExclusiveFile::EOpen OpenWaiting(const std::function<CExclusiveFile::EOpen()>& tryOnce);

    QString m_strUserFolder;
    int m_nTries = kDefaultTries;
    int m_nPauseMs = kDefaultPauseMs;
    IUserFileWaiter* m_pWaiter = nullptr;
    CExclusiveFile m_file;
    CRecordList<CUser> m_users;
    bool m_bDamaged = false;
    QString m_strDamage;
    QByteArray m_damagedBytes;  // the damaged file as read, kept aside before it is replaced
    bool m_bOversized = false;  // damaged by its size alone: not read, moved aside whole
};
