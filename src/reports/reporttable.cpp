#include "reports/reporttable.h"

#include "reports/errorprofile.h"
#include "reports/reportformat.h"
#include "rules/spellingrules.h"

qsizetype SReportLists::Count(EReportKind kind) const
{
    if (!IsSet())
        return 0;
    switch (kind) {
    case EReportKind::Grades: return grades->size();
    case EReportKind::Missed:
    case EReportKind::Profile: return missed->size();
    case EReportKind::Vocabulary: return vocabulary->size();
    }
    return 0;
}

QList<SReportColumn> ReportTable::Columns(EReportKind kind)
{
    switch (kind) {
    case EReportKind::Grades:
        return {
            {QStringLiteral("Spelling List"), 10, true},
            {QStringLiteral("Date"), 10, true},
            {QStringLiteral("# Correct"), 10, true},
            {QStringLiteral("# Words"), 10, true},
            {QStringLiteral("Grade"), 10, true},
        };
    case EReportKind::Missed:
        return {
            {QString(), 0, false},
            {QString(), 0, false},
            {QStringLiteral("Word           "), 20, true},
            {QStringLiteral("Misspelling    "), 20, true},
            {QStringLiteral("Spelling Errors"), 20, true},
        };
    case EReportKind::Vocabulary:
        return {
            {QString(), 0, false},
            {QString(), 0, false},
            {QString(), 0, false},
            {QStringLiteral("Word               "), 50, true},
        };
    case EReportKind::Profile:
        return {
            {QStringLiteral("Kind of Error"), 20, true},
            {QStringLiteral("Count"), 10, true},
            {QStringLiteral("Share"), 10, true},
            {QStringLiteral("Newest"), 10, true},
            {QStringLiteral("Examples"), 20, true},
        };
    }
    return {};
}

QStringList ReportTable::GradeRow(const CGrade& grade)
{
    return {grade.GetListName(), grade.GetDateText(), ReportFormat::Count(grade.GetCorrectCount()),
            ReportFormat::Count(grade.GetWordCount()),
            ReportFormat::PageGrade(grade.GetCorrectCount(), grade.GetWordCount())};
}

QStringList ReportTable::MissedRow(const CMissed& missed, const QString& errorLabel)
{
    return {missed.GetListName(), missed.GetDateText(), missed.GetWord(), missed.GetMisspelling(), errorLabel};
}

QStringList ReportTable::VocabularyRow(const CVocabulary& vocabulary)
{
    return {vocabulary.GetListName(), vocabulary.GetExtra(), vocabulary.GetDateText(), vocabulary.GetWord()};
}

QList<QStringList> ReportTable::Rows(EReportKind kind, const SReportLists& lists)
{
    QList<QStringList> rows;
    if (!lists.IsSet())
        return rows;
    rows.reserve(lists.Count(kind));
    switch (kind) {
    case EReportKind::Grades:
        for (const CGrade& grade : *lists.grades)
            rows.append(GradeRow(grade));
        break;
    case EReportKind::Missed: {
        CSpellingRules rules;
        for (const CMissed& missed : *lists.missed)
            rows.append(MissedRow(missed, rules.AnalyzeMisspelling(missed.GetWord(), missed.GetMisspelling())));
        break;
    }
    case EReportKind::Vocabulary:
        for (const CVocabulary& vocabulary : *lists.vocabulary)
            rows.append(VocabularyRow(vocabulary));
        break;
    case EReportKind::Profile:
        rows = CErrorProfile(*lists.missed).AllRowTexts();
        break;
    }
    return rows;
}
