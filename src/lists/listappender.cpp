#include "lists/listappender.h"

#include <algorithm>

bool CListAppender::Open(const QString& path)
{
    Close();
    if (!m_database.Open(path))
        return false;
    m_list = std::make_unique<CSpellingListDB>(m_database);
    if (!m_list->Open())
        return false;
    if (!(m_list->IsBOF() && m_list->IsEOF()))
        for (m_list->MoveFirst(); !m_list->IsEOF(); m_list->MoveNext())
            m_nNextOrder = std::max(m_nNextOrder, m_list->Order() + 1);
    return true;
}

void CListAppender::Close()
{
    // The cursor's statements go before the connection they were made on.
    m_list.reset();
    m_database.Close();
    m_nNextOrder = 1;
}

int CListAppender::Append(const QString& creator, const QString& word, const QByteArray& sound)
{
    if (!m_list || !m_list->AppendWord(m_nNextOrder, creator, word, sound))
        return 0;
    return m_nNextOrder++;
}
