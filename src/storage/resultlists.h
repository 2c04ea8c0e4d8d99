#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

// The three result lists of the logged-in user, held by the document.
struct SResultLists {
    CRecordList<CGrade>& grades;
    CRecordList<CMissed>& missed;
    CRecordList<CVocabulary>& vocabulary;
};

// The logged-in user's results as the document holds them: the grades, the misspelled words and
// the vocabulary, and whether they changed since they were read, so that they must be written
// back.
class CResultLists
{
public:
    CRecordList<CGrade>& Grades() { return m_grades; }
    const CRecordList<CGrade>& Grades() const { return m_grades; }
    CRecordList<CMissed>& Missed() { return m_missed; }
    const CRecordList<CMissed>& Missed() const { return m_missed; }
    CRecordList<CVocabulary>& Vocabulary() { return m_vocabulary; }
    const CRecordList<CVocabulary>& Vocabulary() const { return m_vocabulary; }

    // The three lists as the result files read and write them.
    SResultLists Lists() { return {m_grades, m_missed, m_vocabulary}; }

    bool IsChanged() const { return m_bChanged; }
    void SetChanged(bool changed) { m_bChanged = changed; }

    // Empties the three lists; nothing is left to write back.
    void Clear()
    {
        m_grades.Clear();
        m_missed.Clear();
        m_vocabulary.Clear();
        m_bChanged = false;
    }

private:
    CRecordList<CGrade> m_grades;
    CRecordList<CMissed> m_missed;
    CRecordList<CVocabulary> m_vocabulary;
    bool m_bChanged = false;
};
