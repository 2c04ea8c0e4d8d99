// The checks on letters and letter groups that sound alike, and the predicates they share: each
// compares the word and the misspelling at the same position.
#include "rules/spellingrules.h"

#include "rules/ruletext.h"

using RuleText::HasAt;

namespace {

constexpr QStringView kSubLabelJoiner = u", ";

// Whether, at some position i up to the last but one of grouped, grouped has the group at i and
// other has the letter at i. The callers make sure other is long enough.
bool GroupFacesLetter(QStringView grouped, QStringView other, QStringView group, QChar letter)
{
    const QChar first = group[0];
    const QChar second = group[1];
    for (qsizetype i = 0; i + 1 < grouped.size(); ++i) {
        if (grouped[i] == first && grouped[i + 1] == second && other[i] == letter)
            return true;
    }
    return false;
}

// Whether, at some position i up to the last but one of a, a has group ga at i and b has group gb
// at i. The callers make sure b is at least as long as a.
bool GroupFacesGroup(QStringView a, QStringView ga, QStringView b, QStringView gb)
{
    for (qsizetype i = 0; i + 1 < a.size(); ++i) {
        if (HasAt(a, i, ga) && HasAt(b, i, gb))
            return true;
    }
    return false;
}

}  // namespace

bool CSpellingRules::LettersSwapped(QChar x, QChar y) const
{
    if (m_nWordLength != m_nMisspellingLength || m_nWordLength == 0)
        return false;
    const QChar* w = m_strWord.constData();
    const QChar* m = m_strMisspelling.constData();
    for (qsizetype i = 0; i < m_nWordLength; ++i) {
        if ((w[i] == x && m[i] == y) || (w[i] == y && m[i] == x))
            return true;
    }
    return false;
}

bool CSpellingRules::LetterForGroup(QStringView group, QChar letter) const
{
    if (m_strWord.isEmpty() || m_strMisspelling.isEmpty() || group.size() != 2)
        return false;
    const qsizetype inWord = CountInWord(group);
    const qsizetype inMisspelling = CountInMisspelling(group);
    // An "ie" or "ui" on the other side makes the comparison by position unreliable.
    if (inWord > 0 && (CountInMisspelling(u"ie") > 0 || CountInMisspelling(u"ui") > 0))
        return false;
    if (inMisspelling > 0 && (CountInWord(u"ie") > 0 || CountInWord(u"ui") > 0))
        return false;
    if (inWord > 0) {
        if (inMisspelling > 0 || letter == u'u' || RuleText::Equal(group, u"oo")
            || m_nWordLength > m_nMisspellingLength + 1)
            return false;
        return GroupFacesLetter(m_strWord, m_strMisspelling, group, letter);
    }
    if (inMisspelling == 0 || m_nMisspellingLength > m_nWordLength + 1)
        return false;
    return GroupFacesLetter(m_strMisspelling, m_strWord, group, letter);
}

bool CSpellingRules::GroupsSwapped(QStringView group1, QStringView group2) const
{
    if (m_strWord.isEmpty() || m_strMisspelling.isEmpty() || group1.size() != 2
        || group2.size() != 2)
        return false;
    if (m_nWordLength <= m_nMisspellingLength
        && GroupFacesGroup(m_strWord, group1, m_strMisspelling, group2))
        return true;
    return m_nMisspellingLength <= m_nWordLength
           && GroupFacesGroup(m_strMisspelling, group1, m_strWord, group2);
}

QString CSpellingRules::CheckIEeYEy() const
{
    if (LettersSwapped(u'y', u'i') || LetterForGroup(u"ee", u'i') || LetterForGroup(u"ey", u'i')
        || LetterForGroup(u"ee", u'y') || LetterForGroup(u"ey", u'y')
        || GroupsSwapped(u"ee", u"ey"))
        return QStringLiteral("i/ee/y/ey");
    return {};
}

QString CSpellingRules::CheckAlElLe() const
{
    const qsizetype alWord = CountInWord(u"al");
    const qsizetype elWord = CountInWord(u"el");
    const qsizetype leWord = CountInWord(u"le");
    if (alWord == 0 && elWord == 0 && leWord == 0)
        return {};
    const qsizetype alMisspelling = CountInMisspelling(u"al");
    const qsizetype elMisspelling = CountInMisspelling(u"el");
    const qsizetype leMisspelling = CountInMisspelling(u"le");
    if ((alMisspelling < alWord && (elMisspelling > 0 || leMisspelling > 0))
        || (elMisspelling < elWord && (alMisspelling > 0 || leMisspelling > 0))
        || (leMisspelling < leWord && (alMisspelling > 0 || elMisspelling > 0)))
        return QStringLiteral("al/el/le");
    return {};
}

QString CSpellingRules::CheckLetterPairs() const
{
    QString label;
    if (m_nWordLength != m_nMisspellingLength || m_nWordLength == 0)
        return label;
    if (LettersSwapped(u's', u'z'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("s/z"));
    if (LettersSwapped(u'd', u't'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("d/t"));
    if (LettersSwapped(u'g', u'j'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("g/j"));
    if (LettersSwapped(u'c', u's'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("c/s"));
    return label;
}

QString CSpellingRules::CheckSoundGroups() const
{
    QString label;
    if (LetterForGroup(u"ph", u'f'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("f/ph"));
    if (LetterForGroup(u"ph", u'p'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("p/ph"));
    if (LetterForGroup(u"wh", u'w'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("w/wh"));
    if (LetterForGroup(u"dg", u'g'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("g/dg"));
    if (LetterForGroup(u"sc", u's'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("s/sc"));
    if (LetterForGroup(u"oo", u'u'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("u/oo"));
    if (LetterForGroup(u"gu", u'g'))
        RuleText::Append(label, kSubLabelJoiner, QStringLiteral("g/gu"));
    return label;
}

QString CSpellingRules::CheckCKCk() const
{
    if (LettersSwapped(u'c', u'k') || LetterForGroup(u"ck", u'c') || LetterForGroup(u"ck", u'k'))
        return QStringLiteral("c/k/ck");
    return {};
}

QString CSpellingRules::CheckShSound() const
{
    constexpr QStringView kGroups[] = {u"ci", u"si", u"ss", u"ti"};
    qsizetype inWord[4];
    qsizetype inMisspelling[4];
    bool wordHasAny = false;
    for (int i = 0; i < 4; ++i) {
        inWord[i] = CountInWord(kGroups[i]);
        wordHasAny = wordHasAny || inWord[i] > 0;
    }
    // Every finding needs one of the four groups in the word.
    if (!wordHasAny)
        return {};
    for (int i = 0; i < 4; ++i)
        inMisspelling[i] = CountInMisspelling(kGroups[i]);
    if (CountInMisspelling(u"sh") > 0)
        return QStringLiteral("sh");
    for (int x = 0; x < 4; ++x) {
        if (inMisspelling[x] >= inWord[x])
            continue;
        for (int other = 0; other < 4; ++other) {
            if (other != x && inMisspelling[other] > 0)
                return QStringLiteral("sh");
        }
    }
    return {};
}
