#pragma once

#include <QString>

class CSqliteDatabase;

// A write transaction that rolls back unless it is committed: whatever happens between its
// start and Commit() reaches the file all together or not at all.
class CSqliteTransaction
{
public:
    explicit CSqliteTransaction(CSqliteDatabase& db);  // BEGIN IMMEDIATE
    ~CSqliteTransaction();                             // ROLLBACK unless committed
    CSqliteTransaction(const CSqliteTransaction&) = delete;
    CSqliteTransaction& operator=(const CSqliteTransaction&) = delete;

    // False when the transaction could not begin (the database's message says why).
    bool IsActive() const { return m_active; }
    // True when the changes are in the file. A failed commit rolls back.
    bool Commit();
    void Rollback();
    // Why the transaction did not begin or commit: the database's own message.
    QString ErrorMessage() const { return m_error; }

private:
    CSqliteDatabase& m_db;
    bool m_active = false;
    QString m_error;
};
