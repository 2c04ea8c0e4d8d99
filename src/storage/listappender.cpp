#include "storage/listappender.h"

#include "base/messages.h"
#include "storage/listmessages.h"

#include <limits>

CListAppender::CListAppender() = default;

CListAppender::~CListAppender()
{
    Close();
}

bool CListAppender::Open(const QString& path)
{
    Close();
    if (!m_database.Open(path))
        return false;
    m_list = std::make_unique<CSpellingListDB>(m_database);
    return m_list->Open();
}

void CListAppender::Close()
{
    // The transaction and the cursor's statements go before the connection they were made on.
    m_transaction.reset();
    m_list.reset();
    m_database.Close();
}

QStringList CListAppender::Words()
{
    if (!m_list || !m_list->IsOpen())
        return {};
    return m_list->ListWords();
}

bool CListAppender::Begin()
{
    m_transaction.reset();
    if (!m_list || !m_list->IsOpen())
        return false;
    m_transaction.emplace(*m_list);
    const std::optional<int> next = m_transaction->IsActive() ? m_list->NextOrder() : std::nullopt;
    if (!next) {
        m_transaction.reset();
        return false;
    }
    m_nNextOrder = *next;
    return true;
}

bool CListAppender::Commit()
{
    if (!m_transaction)
        return false;
    const bool committed = m_transaction->Commit();
    m_transaction.reset();
    return committed;
}

int CListAppender::Append(const QString& creator, const QString& word, const QByteArray& sound)
{
    if (!m_transaction) {
        if (!Begin())
            return 0;
        const int order = Append(creator, word, sound);
        if (order == 0 || !Commit()) {
            m_transaction.reset();
            return 0;
        }
        return order;
    }
    if (m_nNextOrder > std::numeric_limits<int>::max()) {
        Messages::Show(ListMessages::CannotChange(m_database.Path(), ListMessages::NoOrderAfter(m_nNextOrder - 1)),
                       MessageIcon::Exclamation);
        return 0;
    }
    const int order = int(m_nNextOrder);
    if (!m_list->AppendWord(order, creator, word, sound))
        return 0;
    ++m_nNextOrder;
    return order;
}
