#include "storage/listtransaction.h"

#include "base/messages.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/spellinglistdb.h"

CListTransaction::CListTransaction(CSpellingListDB& list)
    : m_list(list)
    , m_transaction(list.Database().Connection())
{
    if (!m_transaction.IsActive())
        Messages::Show(ListMessages::CannotChange(m_list.Database().Path(), m_transaction.ErrorMessage()),
                       MessageIcon::Exclamation);
}

CListTransaction::~CListTransaction()
{
    Rollback();
}

bool CListTransaction::Commit()
{
    if (!m_transaction.IsActive())
        return false;
    if (m_transaction.Commit())
        return true;
    Messages::Show(ListMessages::CannotChange(m_list.Database().Path(), m_transaction.ErrorMessage()),
                   MessageIcon::Exclamation);
    m_list.Requery();
    return false;
}

void CListTransaction::Rollback()
{
    if (!m_transaction.IsActive())
        return;
    m_transaction.Rollback();
    m_list.Requery();
}
