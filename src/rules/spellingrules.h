#pragma once

#include "rules/ruletext.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

class CArchive;

// One finding of the analyser: the number of the check that made it (1 to 24, in the order the
// checks run) and that check's own label.
struct CRuleFinding
{
    int check = 0;
    QString label;

    friend bool operator==(const CRuleFinding&, const CRuleFinding&) = default;
};

// Names the kinds of spelling error a pupil made: compares a misspelling with the correct word
// through 24 checks in a fixed order and joins their labels into one line, the error label.
//
// Texts are compared code unit by code unit and case-sensitively; a letter is one UTF-16 code
// unit. An object can be reused for any number of pairs: each analysis overwrites the pair.
class CSpellingRules
{
public:
    static constexpr const char* kClassName = "CSpellingRules";
    static constexpr quint16 kSchema = 0;

    CSpellingRules() = default;

    // Stores the word, then the misspelling, as two archive texts, or loads them in that order
    // (reading both before changing the pair). Throws CArchiveException when loading fails.
    void Serialize(CArchive& ar);

    // The error label of a pair: the labels of the checks joined with ", ", or "?" when no
    // check found anything.
    QString AnalyzeMisspelling(QString word, QString misspelling);

    // The same analysis, check by check. JoinFindings of the result is exactly the label that
    // AnalyzeMisspelling gives for the pair; an empty list means "?".
    QList<CRuleFinding> AnalyzeFindings(QString word, QString misspelling);
    static QString JoinFindings(const QList<CRuleFinding>& findings);

    // Non-overlapping occurrences of pattern in text, left to right; 0 for an empty pattern.
    static qsizetype CountOccurrences(QStringView pattern, QStringView text);
    // The suffix of a text of 5 letters or more from the suffix lists, longest first, or the
    // empty text. The view refers to constant data.
    static QStringView FindSuffix(QStringView text);

    // Stores a pair without analysing it, so that single checks and predicates can be asked.
    void SetPair(QString word, QString misspelling);
    const QString& Word() const { return m_strWord; }
    const QString& Misspelling() const { return m_strMisspelling; }

    // Predicates over the stored pair (sound-alike letters at the same position).
    bool LettersSwapped(QChar x, QChar y) const;
    bool LetterForGroup(QStringView group, QChar letter) const;
    bool GroupsSwapped(QStringView group1, QStringView group2) const;
    // The group itself when it occurs fewer times in the misspelling than in the word.
    QStringView GroupMissing(QStringView group) const;

    // The checks, each giving its label or the empty text for the stored pair.
    // Endings, suffixes and the order of i and e.
    QString CheckIeEi() const;
    QString CheckYFinal() const;
    QString CheckEFinal() const;
    QString CheckIeY() const;
    QString CheckPlurals() const;
    QString CheckChTch() const;
    QString CheckJDge() const;
    QString CheckVFinal() const;
    QString CheckZFinal() const;
    QString CheckSuffix() const;
    QString CheckEndingE() const;
    // Letters and letter groups that sound alike.
    QString CheckIEeYEy() const;
    QString CheckAlElLe() const;
    QString CheckLetterPairs() const;
    QString CheckSoundGroups() const;
    QString CheckCKCk() const;
    QString CheckShSound() const;
    // Capitals, doubled letters, letter groups and the letter-by-letter fallbacks.
    QString CheckCapitalize() const;
    QString CheckDoubleLetters() const;
    QString CheckDigraphs() const;
    QString CheckBlends() const;
    QString CheckWrongLetters() const;
    QString CheckMissingLetters() const;
    QString CheckExtraLetters() const;

private:
    template <typename Sink>
    void RunChecks(Sink&& sink) const;

    // Occurrences of a group in the word or the misspelling, quick for groups they lack.
    qsizetype CountInWord(QStringView group) const
    {
        return RuleText::CountGroup(group, m_strWord, m_nWordPairs);
    }
    qsizetype CountInMisspelling(QStringView group) const
    {
        return RuleText::CountGroup(group, m_strMisspelling, m_nMisspellingPairs);
    }

    QString m_strWord;
    QString m_strMisspelling;
    qsizetype m_nWordLength = 0;
    qsizetype m_nMisspellingLength = 0;

    // Worked out from the pair when it is stored, so that the checks need not repeat it.
    QStringView m_svWordSuffix;
    QStringView m_svMisspellingSuffix;
    quint64 m_nWordPairs = 0;
    quint64 m_nMisspellingPairs = 0;
    quint64 m_nWordTableGroups = 0;  // the digraph and blend groups the word may hold
};
