#pragma once

#include "storage/sqlitedatabase.h"

#include <QString>

// The connection to one spelling-list file: an SQLite database holding the one table tblList
// ([Order], [CreatedBy], [Word], [Sound]). Creates list files and opens them, checking first that
// the file really is a list.
class CListDatabase
{
public:
    static constexpr int kMaxWordLength = 50;
    static constexpr int kMaxCreatedByLength = 25;

    enum class Access { ReadWrite, ReadOnly };

    CListDatabase();
    ~CListDatabase();
    CListDatabase(const CListDatabase&) = delete;
    CListDatabase& operator=(const CListDatabase&) = delete;

    // Makes a new, empty list file. Never replaces an existing file, and never leaves a
    // half-made one at the path: the file is built beside it and renamed into place. False,
    // without a message, when it cannot be made (an empty path included); why then says the
    // reason in a sentence.
    static bool Create(const QString& path, QString* why = nullptr);

    // Opens a list file. On failure shows why (naming the file) and returns false. Opened for
    // reading only, nothing is written to the file, not even its journal mode.
    bool Open(const QString& path, Access access = Access::ReadWrite);
    void Close();
    bool IsOpen() const { return m_connection.IsOpen(); }
    QString Path() const { return m_strPath; }

    CSqliteDatabase& Connection() { return m_connection; }

    // Why the file at the path cannot be a list, from its first bytes; empty when it may be one.
    static QString CheckSignature(const QString& path);

private:
    CSqliteDatabase m_connection;
    QString m_strPath;
};
