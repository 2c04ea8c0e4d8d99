#pragma once

#include <QString>

// Where a pupil's spelling differs from the right one, for a child to see and for a screen
// reader to say: both spellings with each differing stretch in brackets ("bel[ei]ve" against
// "bel[ie]ve"), a gap shown as "_" ("rec[_]ive" against "rec[e]ive"), and a sentence naming the
// differences. The stretches come from the fewest letters to add, drop or change.
class CSpellingDiff
{
public:
    CSpellingDiff(const QString& answer, const QString& word);

    QString MarkedAnswer() const { return m_strMarkedAnswer; }
    QString MarkedWord() const { return m_strMarkedWord; }
    QString Description() const { return m_strDescription; }

private:
    QString m_strMarkedAnswer;
    QString m_strMarkedWord;
    QString m_strDescription;
};
