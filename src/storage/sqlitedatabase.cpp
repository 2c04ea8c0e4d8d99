#include "storage/sqlitedatabase.h"

#include <QFile>

#include <sqlite3.h>

void CSqliteDatabase::Closer::operator()(sqlite3* db) const
{
    // close_v2 waits for statements that are still alive instead of failing.
    sqlite3_close_v2(db);
}

CSqliteDatabase::CSqliteDatabase() = default;
CSqliteDatabase::~CSqliteDatabase() = default;

bool CSqliteDatabase::Open(const QString& path, Mode mode)
{
    Close();
    m_openError.clear();
    if (path.isEmpty()) {
        m_openError = QStringLiteral("no file name was given");
        return false;
    }
    int flags = SQLITE_OPEN_FULLMUTEX;
    switch (mode) {
    case Mode::ReadWrite: flags |= SQLITE_OPEN_READWRITE; break;
    case Mode::ReadOnly: flags |= SQLITE_OPEN_READONLY; break;
    case Mode::Create: flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE; break;
    }
    return OpenWith(QFile::encodeName(path), flags);
}

bool CSqliteDatabase::OpenTemporary()
{
    Close();
    m_openError.clear();
    // SQLite's name for it: no name.
    return OpenWith(QByteArray(""), SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

bool CSqliteDatabase::OpenWith(const QByteArray& name, int flags)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(name.constData(), &raw, flags, nullptr);
    std::unique_ptr<sqlite3, Closer> db(raw);
    if (rc != SQLITE_OK) {
        m_openError = raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    sqlite3_extended_result_codes(raw, 1);
    // A list file comes from anywhere: its schema may not run functions with side effects, and
    // nothing may write to the schema behind the engine's back.
    sqlite3_db_config(raw, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(raw, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    // Another copy of the program may be writing the same list for a moment.
    sqlite3_busy_timeout(raw, 5000);
    m_db = std::move(db);
    return true;
}

void CSqliteDatabase::Close()
{
    m_db.reset();
}

bool CSqliteDatabase::IsReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db.get(), "main") == 1;
}

bool CSqliteDatabase::Execute(const char* sql)
{
    if (!m_db) {
        m_openError = QStringLiteral("the database is not open");
        return false;
    }
    return sqlite3_exec(m_db.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString CSqliteDatabase::ErrorMessage() const
{
    if (!m_db)
        return m_openError;
    // SQLite's own text for this one ("attempt to write a readonly database") misleads a reader.
    if (sqlite3_extended_errcode(m_db.get()) == SQLITE_READONLY_ROLLBACK)
        return QStringLiteral("A change to the file was cut off part way; it is undone the next time the file "
                              "is opened for writing (by Orthex, for example).");
    return QString::fromUtf8(sqlite3_errmsg(m_db.get()));
}

qint64 CSqliteDatabase::LastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db.get()) : 0;
}

int CSqliteDatabase::Changes() const
{
    return m_db ? sqlite3_changes(m_db.get()) : 0;
}
