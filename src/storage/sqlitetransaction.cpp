#include "storage/sqlitetransaction.h"

#include "storage/sqlitedatabase.h"

#include <sqlite3.h>

CSqliteTransaction::CSqliteTransaction(CSqliteDatabase& db)
    : m_db(db)
{
    // IMMEDIATE takes the write lock now, so no other copy can slip in between our reads and
    // writes and make the commit fail half way.
    m_active = m_db.Execute("BEGIN IMMEDIATE");
    if (!m_active)
        m_error = m_db.ErrorMessage();
}

CSqliteTransaction::~CSqliteTransaction()
{
    Rollback();
}

bool CSqliteTransaction::Commit()
{
    if (!m_active)
        return false;
    if (m_db.Execute("COMMIT")) {
        m_active = false;
        return true;
    }
    m_error = m_db.ErrorMessage();
    Rollback();
    return false;
}

void CSqliteTransaction::Rollback()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_db.IsOpen() && !sqlite3_get_autocommit(m_db.Handle()))
        sqlite3_exec(m_db.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}
