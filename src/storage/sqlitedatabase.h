#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct sqlite3;

// One connection to an SQLite database file, closed when the object goes. Every failure leaves
// the database's own message in ErrorMessage().
class CSqliteDatabase
{
public:
    enum class Mode {
        ReadWrite,  // an existing file, for reading and writing
        ReadOnly,   // an existing file, for reading only
        Create,     // an existing or new file, for reading and writing
    };

    CSqliteDatabase();
    ~CSqliteDatabase();
    CSqliteDatabase(const CSqliteDatabase&) = delete;
    CSqliteDatabase& operator=(const CSqliteDatabase&) = delete;

    // Opens the file (closing any earlier one). An empty path is refused: SQLite would make a
    // temporary database of it.
    bool Open(const QString& path, Mode mode);
    // Opens a private database of its own on disk (closing any earlier one), which SQLite
    // deletes when it closes; on POSIX systems it is unlinked as soon as it is made, so not even
    // a killed process leaves it behind.
    bool OpenTemporary();
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    bool IsReadOnly() const;

    // Runs statements that return no rows.
    bool Execute(const char* sql);

    QString ErrorMessage() const;
    sqlite3* Handle() const { return m_db.get(); }
    qint64 LastInsertRowId() const;
    int Changes() const;

private:
    bool OpenWith(const QByteArray& name, int flags);

    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> m_db;
    QString m_openError;  // why the last Open failed, when there is no connection to ask
};
