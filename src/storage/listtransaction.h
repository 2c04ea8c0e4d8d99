#pragma once

#include "storage/sqlitetransaction.h"

class CSpellingListDB;

// Changes made through the cursor while this lives reach the list file all together at
// Commit(), or not at all: a failure or an early return in the middle rolls them back, and the
// cursor then reads the rows again so that it matches the file. A transaction that cannot begin
// or commit shows the database's message.
class CListTransaction
{
public:
    explicit CListTransaction(CSpellingListDB& list);
    ~CListTransaction();
    CListTransaction(const CListTransaction&) = delete;
    CListTransaction& operator=(const CListTransaction&) = delete;

    bool IsActive() const { return m_transaction.IsActive(); }
    bool Commit();
    void Rollback();

private:
    CSpellingListDB& m_list;
    CSqliteTransaction m_transaction;
};
