#include "storage/listdatabase.h"

#include "base/messages.h"
#include "base/boundedfile.h"
#include "storage/listmessages.h"
#include "storage/sqlitestatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {
const char kCreateTable[] = "CREATE TABLE tblList ([Order] Number, CreatedBy Text(25), Word TEXT(50), Sound LongBinary)";

const QByteArray kSqliteMagic("SQLite format 3\0", 16);
// Lists of the old Windows version are Access databases: Jet (.mdb) or ACE (.accdb).
const QByteArray kJetSignature("Standard Jet DB");
const QByteArray kAceSignature("Standard ACE DB");

// A list may sit on a network folder, where write-ahead logging does not work; and a change must
// be on the disk before it counts. Returns why that could not be set; empty on success.
QString setSafeJournal(CSqliteDatabase& db)
{
    QString mode;
    {
        CSqliteStatement journal(db, "PRAGMA journal_mode=DELETE");
        if (!journal.IsValid() || journal.Next() == CSqliteStatement::Step::Error)
            return db.ErrorMessage();
        mode = journal.Text(0);
    }
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0 && !db.IsReadOnly())
        return QStringLiteral("The file's journal mode \"%1\" cannot be changed.").arg(mode);
    if (!db.Execute("PRAGMA synchronous=FULL"))
        return db.ErrorMessage();
    return QString();
}

QString siblingTemporaryPath(const QString& path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
           + QString::number(QRandomGenerator::global()->generate64(), 16) + QStringLiteral(".tmp");
}
}  // namespace

CListDatabase::CListDatabase() = default;
CListDatabase::~CListDatabase() = default;

bool CListDatabase::Create(const QString& path, QString* reason)
{
    QString unasked;
    QString& why = reason ? *reason : unasked;
    why.clear();
    if (path.isEmpty()) {
        why = QStringLiteral("No file name was given.");
        return false;
    }
    const QFileInfo target(path);
    if (target.exists() || target.isSymLink()) {
        why = QStringLiteral("A file of that name exists already.");
        return false;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists()) {
        why = QStringLiteral("The folder \"%1\" does not exist.").arg(QDir::toNativeSeparators(folder.filePath()));
        return false;
    }
    if (!folder.isDir()) {
        why = QStringLiteral("\"%1\" is not a folder.").arg(QDir::toNativeSeparators(folder.filePath()));
        return false;
    }

    const QString temporary = siblingTemporaryPath(path);
    {
        QFile reserve(temporary);
        if (!reserve.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            why = QStringLiteral("No file can be made in the folder \"%1\": %2")
                      .arg(QDir::toNativeSeparators(folder.filePath()), reserve.errorString());
            return false;
        }
    }
    {
        CSqliteDatabase db;
        if (!db.Open(temporary, CSqliteDatabase::Mode::ReadWrite))
            why = db.ErrorMessage();
        else if (const QString journal = setSafeJournal(db); !journal.isEmpty())
            why = journal;
        else if (!db.Execute(kCreateTable))
            why = db.ErrorMessage();
    }
    // The rename refuses to replace a file that appeared at the path meanwhile.
    if (QFile made(temporary); why.isEmpty() && !made.rename(path))
        why = made.errorString();
    if (!why.isEmpty()) {
        QFile::remove(temporary);
        QFile::remove(temporary + QStringLiteral("-journal"));
        return false;
    }
    // A list is its maker's document, wherever it is made: it keeps the mode every new file
    // gets, also in a folder everybody may write (/tmp, a class share), so no other account
    // can change it.
    return true;
}

QString CListDatabase::CheckSignature(const QString& path)
{
    QFile file;
    if (!QFileInfo::exists(path))
        return ListMessages::CannotOpen(path, QStringLiteral("The file does not exist."));
    if (QFileInfo(path).isDir())
        return ListMessages::NotAList(path);
    // A pipe or device is refused at once rather than waited on.
    if (QString why; !BoundedFile::Open(file, path, &why))
        return ListMessages::CannotOpen(path, why);
    const QByteArray head = file.read(32);
    if (head.startsWith(kSqliteMagic))
        return QString();
    const QByteArray engine = head.mid(4, 15);
    if (engine == kJetSignature || engine == kAceSignature)
        return ListMessages::OldWindowsList(path);
    return ListMessages::NotAList(path);
}

bool CListDatabase::Open(const QString& path, Access access)
{
    Close();
    if (path.isEmpty()) {
        Messages::Show(ListMessages::NoFileName(), MessageIcon::Exclamation);
        return false;
    }
    const QString wrongFile = CheckSignature(path);
    if (!wrongFile.isEmpty()) {
        Messages::Show(wrongFile, MessageIcon::Exclamation);
        return false;
    }
    const bool readOnly = access == Access::ReadOnly;
    QString reason;
    if (!m_connection.Open(path, readOnly ? CSqliteDatabase::Mode::ReadOnly : CSqliteDatabase::Mode::ReadWrite))
        reason = m_connection.ErrorMessage();
    else if (!readOnly)
        // Reading leaves the file as it is, journal mode and all; the rules matter for writing.
        reason = setSafeJournal(m_connection);
    if (!reason.isEmpty()) {
        m_connection.Close();
        Messages::Show(ListMessages::CannotOpen(path, reason), MessageIcon::Exclamation);
        return false;
    }
    m_strPath = path;
    return true;
}

void CListDatabase::Close()
{
    m_connection.Close();
    m_strPath.clear();
}
