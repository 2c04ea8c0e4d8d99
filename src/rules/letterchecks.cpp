// The checks on capital letters, doubled letters, digraphs and blends, and the letter-by-letter
// fallbacks that name wrong, missing or extra letters.
#include "rules/spellingrules.h"

#include "rules/lettertally.h"
#include "rules/ruletables.h"
#include "rules/ruletext.h"

#include <optional>

using RuleText::Append;

namespace {

constexpr QStringView kItemSpace = u" ";
constexpr QStringView kLetterJoiner = u" , ";

// A first letter counts as a capital when upper-casing leaves it unchanged, so a digit or an
// apostrophe counts as one too.
bool StartsCapitalised(QStringView text)
{
    return text.front() == text.front().toUpper();
}

// A doubled letter at position i, except "ee" and "oo", which the digraph table covers.
bool IsDoubledPair(QStringView text, qsizetype i)
{
    const QChar letter = text[i];
    return letter == text[i + 1] && letter != u'e' && letter != u'o';
}

void AddDoubled(QString& label, QChar letter)
{
    if (label.isEmpty())
        label = QStringLiteral("double ");
    else
        label += kItemSpace;
    label += letter;
}

}  // namespace

QStringView CSpellingRules::GroupMissing(QStringView group) const
{
    const qsizetype inWord = CountInWord(group);
    if (inWord == 0 || CountInMisspelling(group) >= inWord)
        return {};
    return group;
}

QString CSpellingRules::CheckCapitalize() const
{
    if (m_strWord.isEmpty() || m_strMisspelling.isEmpty())
        return {};
    const bool wordCapital = StartsCapitalised(m_strWord);
    const bool misspellingCapital = StartsCapitalised(m_strMisspelling);
    if (wordCapital && !misspellingCapital)
        return QStringLiteral("capitalize");
    if (misspellingCapital && !wordCapital)
        return QStringLiteral("capitalize: do not capitalize first letter");
    return {};
}

QString CSpellingRules::CheckDoubleLetters() const
{
    QString label;
    const QStringView w = m_strWord;
    const QStringView m = m_strMisspelling;
    // The counts of every doubled pair come from one pass over each text, made when the first
    // doubled pair turns up: counting over the whole text for each pair would take a long text
    // a time in the square of its length.
    std::optional<CLetterTally> wordPairs;
    std::optional<CLetterTally> misspellingPairs;
    const auto inWord = [&](QChar letter) {
        if (!wordPairs)
            wordPairs.emplace(w, CLetterTally::EWhat::DoubledPairs);
        return wordPairs->Of(letter);
    };
    const auto inMisspelling = [&](QChar letter) {
        if (!misspellingPairs)
            misspellingPairs.emplace(m, CLetterTally::EWhat::DoubledPairs);
        return misspellingPairs->Of(letter);
    };
    // Pairs are visited from the last-found to the first-found, the word's before the
    // misspelling's; a letter is named once per pair.
    for (qsizetype i = m_nWordLength - 2; i >= 0; --i) {
        if (IsDoubledPair(w, i) && inWord(w[i]) > inMisspelling(w[i]))
            AddDoubled(label, w[i]);
    }
    for (qsizetype i = m_nMisspellingLength - 2; i >= 0; --i) {
        if (IsDoubledPair(m, i) && inWord(m[i]) == 0)
            AddDoubled(label, m[i]);
    }
    return label;
}

QString CSpellingRules::CheckDigraphs() const
{
    QString label;
    int bit = RuleTables::kFirstDigraphBit;
    for (QStringView group : RuleTables::kDigraphs) {
        // A group the word cannot hold cannot be missing from the misspelling.
        if (m_nWordTableGroups & (quint64(1) << bit++)) {
            const QStringView missing = GroupMissing(group);
            if (!missing.isEmpty())
                Append(label, kItemSpace, missing);
        }
    }
    return label;
}

QString CSpellingRules::CheckBlends() const
{
    QString label;
    const auto add = [this, &label](QStringView group, int bit) {
        if (!(m_nWordTableGroups & (quint64(1) << bit)))
            return;
        const QStringView missing = GroupMissing(group);
        if (!missing.isEmpty())
            Append(label, kItemSpace, missing);
    };
    const QStringView* leader = RuleTables::kBlendLeaders;
    const int leaderBit = RuleTables::kFirstLeaderBit;
    // "scr" hides "cr", and any of "scr", "cr" and "str" hides "st" and "tr".
    add(leader[0], leaderBit);  // scr
    if (label.isEmpty())
        add(leader[1], leaderBit + 1);  // cr
    add(leader[2], leaderBit + 2);  // str
    if (label.isEmpty()) {
        add(leader[3], leaderBit + 3);  // st
        add(leader[4], leaderBit + 4);  // tr
    }
    int bit = RuleTables::kFirstBlendBit;
    for (QStringView group : RuleTables::kBlends)
        add(group, bit++);
    return label;
}

QString CSpellingRules::CheckWrongLetters() const
{
    QString label;
    if (m_nWordLength != m_nMisspellingLength || m_nWordLength == 0)
        return label;
    for (qsizetype i = 0; i < m_nWordLength; ++i) {
        const QChar letter = m_strWord[i];
        const QChar written = m_strMisspelling[i];
        if (letter == written)
            continue;
        if (!label.isEmpty())
            label += kLetterJoiner;
        label += letter;
        label += u" not ";
        label += written;
    }
    return label;
}

QString CSpellingRules::CheckMissingLetters() const
{
    if (m_strMisspelling.isEmpty() || m_nMisspellingLength >= m_nWordLength)
        return {};
    const CLetterTally inWord(m_strWord, CLetterTally::EWhat::Letters);
    const CLetterTally inMisspelling(m_strMisspelling, CLetterTally::EWhat::Letters);
    const QString start = QStringLiteral("missing letter ");
    QString label = start;
    for (const QChar letter : m_strWord) {
        if (inWord.Of(letter) <= inMisspelling.Of(letter))
            continue;
        if (label.size() != start.size())
            label += kLetterJoiner;
        label += letter;
    }
    return label;
}

QString CSpellingRules::CheckExtraLetters() const
{
    if (m_strWord.isEmpty() || m_nWordLength >= m_nMisspellingLength)
        return {};
    const CLetterTally inWord(m_strWord, CLetterTally::EWhat::Letters);
    const CLetterTally inMisspelling(m_strMisspelling, CLetterTally::EWhat::Letters);
    // A letter already in the list, separators included, is not named again. The list is not
    // searched for it: the letters named are tallied, and the separators' letters are in the
    // list from its second letter on.
    QString list;
    CLetterTally named;
    bool joined = false;
    for (const QChar letter : m_strMisspelling) {
        const bool listed = named.Of(letter) > 0 || (joined && kLetterJoiner.contains(letter));
        if (inMisspelling.Of(letter) <= inWord.Of(letter) || listed)
            continue;
        if (!list.isEmpty()) {
            list += kLetterJoiner;
            joined = true;
        }
        list += letter;
        named.Add(letter, 1);
    }
    return QStringLiteral("extra letter ") + list;
}
