#include "rules/spellingrules.h"

#include "rules/ruletables.h"
#include "rules/ruletext.h"
#include "base/archive.h"
#include "base/classregistry.h"

#include <utility>

namespace {

using CheckFunction = QString (CSpellingRules::*)() const;

struct CheckStep
{
    CheckFunction run;
    bool onlyWhileEmpty;  // runs only while no earlier check has found anything
};

// The 24 checks in the order in which their labels are joined.
constexpr CheckStep kCheckOrder[] = {
    {&CSpellingRules::CheckIeEi, false},           // 1
    {&CSpellingRules::CheckYFinal, false},         // 2
    {&CSpellingRules::CheckEFinal, false},         // 3
    {&CSpellingRules::CheckIeY, false},            // 4
    {&CSpellingRules::CheckIEeYEy, true},          // 5
    {&CSpellingRules::CheckPlurals, false},        // 6
    {&CSpellingRules::CheckChTch, false},          // 7
    {&CSpellingRules::CheckJDge, false},           // 8
    {&CSpellingRules::CheckVFinal, false},         // 9
    {&CSpellingRules::CheckZFinal, false},         // 10
    {&CSpellingRules::CheckCapitalize, false},     // 11
    {&CSpellingRules::CheckAlElLe, false},         // 12
    {&CSpellingRules::CheckLetterPairs, false},    // 13
    {&CSpellingRules::CheckSoundGroups, false},    // 14
    {&CSpellingRules::CheckCKCk, false},           // 15
    {&CSpellingRules::CheckShSound, true},         // 16
    {&CSpellingRules::CheckDoubleLetters, false},  // 17
    {&CSpellingRules::CheckSuffix, true},          // 18
    {&CSpellingRules::CheckDigraphs, false},       // 19
    {&CSpellingRules::CheckBlends, false},         // 20
    {&CSpellingRules::CheckEndingE, true},         // 21
    {&CSpellingRules::CheckWrongLetters, true},    // 22
    {&CSpellingRules::CheckMissingLetters, true},  // 23
    {&CSpellingRules::CheckExtraLetters, true},    // 24
};
static_assert(std::size(kCheckOrder) == 24);
static_assert(ClassRegistry::IsRegistered<CSpellingRules>());

constexpr QStringView kLabelJoiner = u", ";

QString NothingFound()
{
    return QStringLiteral("?");
}

}  // namespace

template <typename Sink>
void CSpellingRules::RunChecks(Sink&& sink) const
{
    bool found = false;
    int number = 0;
    for (const CheckStep& step : kCheckOrder) {
        ++number;
        if (step.onlyWhileEmpty && found)
            continue;
        QString label = (this->*step.run)();
        if (label.isEmpty())
            continue;
        found = true;
        sink(number, std::move(label));
    }
}

void CSpellingRules::SetPair(QString word, QString misspelling)
{
    m_strWord = std::move(word);
    m_strMisspelling = std::move(misspelling);
    m_nWordLength = m_strWord.size();
    m_nMisspellingLength = m_strMisspelling.size();
    m_svWordSuffix = FindSuffix(m_strWord);
    m_svMisspellingSuffix = FindSuffix(m_strMisspelling);
    m_nWordPairs = RuleText::PairSignature(m_strWord);
    m_nMisspellingPairs = RuleText::PairSignature(m_strMisspelling);
    m_nWordTableGroups = RuleTables::GroupStartsIn(m_strWord);
}


void CSpellingRules::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteText(m_strWord);
        ar.WriteText(m_strMisspelling);
        return;
    }
    QString word = ar.ReadText();
    QString misspelling = ar.ReadText();
    SetPair(std::move(word), std::move(misspelling));
}

QString CSpellingRules::AnalyzeMisspelling(QString word, QString misspelling)
{
    SetPair(std::move(word), std::move(misspelling));
    QString result;
    RunChecks([&result](int, QString&& label) { RuleText::Append(result, kLabelJoiner, label); });
    return result.isEmpty() ? NothingFound() : result;
}

QList<CRuleFinding> CSpellingRules::AnalyzeFindings(QString word, QString misspelling)
{
    SetPair(std::move(word), std::move(misspelling));
    QList<CRuleFinding> findings;
    RunChecks([&findings](int check, QString&& label) {
        findings.append(CRuleFinding{check, std::move(label)});
    });
    return findings;
}

QString CSpellingRules::JoinFindings(const QList<CRuleFinding>& findings)
{
    QString result;
    for (const CRuleFinding& finding : findings)
        RuleText::Append(result, kLabelJoiner, finding.label);
    return result.isEmpty() ? NothingFound() : result;
}

qsizetype CSpellingRules::CountOccurrences(QStringView pattern, QStringView text)
{
    return RuleText::Count(pattern, text);
}

QStringView CSpellingRules::FindSuffix(QStringView text)
{
    if (text.size() <= 4)
        return {};
    const QChar last = text.back();
    // Lists in order, longest first; the last letter rules out most suffixes at once.
    for (QStringView suffix : RuleTables::kFourLetterSuffixes) {
        if (suffix.back() == last && RuleText::HasAt(text, text.size() - 4, suffix))
            return suffix;
    }
    for (QStringView suffix : RuleTables::kThreeLetterSuffixes) {
        if (suffix.back() == last && RuleText::HasAt(text, text.size() - 3, suffix))
            return suffix;
    }
    for (QStringView suffix : RuleTables::kTwoLetterSuffixes) {
        if (suffix.back() == last && RuleText::HasAt(text, text.size() - 2, suffix))
            return suffix;
    }
    return {};
}
