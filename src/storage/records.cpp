#include "storage/records.h"

#include "base/archive.h"
#include "base/classregistry.h"

static_assert(ClassRegistry::IsRegistered<CGrade>());
static_assert(ClassRegistry::IsRegistered<CMissed>());
static_assert(ClassRegistry::IsRegistered<CVocabulary>());

void CGrade::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteInt32(m_nCorrectCount);
        ar.WriteInt32(m_nWordCount);
        ar.WriteText(m_strDateText);
        ar.WriteText(m_strListName);
        return;
    }
    const qint32 correctCount = ar.ReadInt32();
    const qint32 wordCount = ar.ReadInt32();
    QString dateText = ar.ReadText();
    QString listName = ar.ReadText();
    m_nCorrectCount = correctCount;
    m_nWordCount = wordCount;
    m_strDateText = std::move(dateText);
    m_strListName = std::move(listName);
}

void CMissed::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteText(m_strListName);
        ar.WriteText(m_strDateText);
        ar.WriteText(m_strWord);
        ar.WriteText(m_strMisspelling);
        return;
    }
    QString listName = ar.ReadText();
    QString dateText = ar.ReadText();
    QString word = ar.ReadText();
    QString misspelling = ar.ReadText();
    m_strListName = std::move(listName);
    m_strDateText = std::move(dateText);
    m_strWord = std::move(word);
    m_strMisspelling = std::move(misspelling);
    m_strErrors.clear();
}

void CVocabulary::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteText(m_strListName);
        ar.WriteText(m_strDateText);
        ar.WriteText(m_strWord);
        ar.WriteText(m_strExtra);
        return;
    }
    QString listName = ar.ReadText();
    QString dateText = ar.ReadText();
    QString word = ar.ReadText();
    QString extra = ar.ReadText();
    m_strListName = std::move(listName);
    m_strDateText = std::move(dateText);
    m_strWord = std::move(word);
    m_strExtra = std::move(extra);
}
