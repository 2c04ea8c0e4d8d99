#include "reports/printlayout.h"

#include "base/fixedformat.h"
#include "reports/reportformat.h"
#include "rules/spellingrules.h"

#include <cmath>

QString PrintLayout::Title(EReportKind kind, const QString& userName)
{
    QString name;
    switch (kind) {
    case EReportKind::Grades: name = QStringLiteral("Grades"); break;
    case EReportKind::Missed: name = QStringLiteral("Misspelled Words"); break;
    case EReportKind::Vocabulary: name = QStringLiteral("Vocabulary Words"); break;
    case EReportKind::Profile: name = QStringLiteral("Error Profile"); break;
    }
    return name + QStringLiteral(" -- ") + userName;
}

QString PrintLayout::PageText(int page, int lastPage)
{
    return FixedFormat::Printf("Page %d of %d", page, lastPage);
}

QList<PrintLayout::SColumn> PrintLayout::Columns(EReportKind kind)
{
    switch (kind) {
    case EReportKind::Grades:
        return {{QStringLiteral("Spelling List"), 0},
                {QStringLiteral("Date"), 4320},
                {QStringLiteral("#Correct"), 7200},
                {QStringLiteral("#Words"), 8280},
                {QStringLiteral("Grade"), 9360}};
    case EReportKind::Missed:
        return {{QStringLiteral("Word"), 0}, {QStringLiteral("Misspelling"), 3600}, {QStringLiteral("Spelling Errors"), 7200}};
    case EReportKind::Vocabulary:
        return {{QStringLiteral("Word"), 0}};
    case EReportKind::Profile:
        // In Arial 12 the longest kind is about 3120 twips wide, "100.0 %" 880 and a test's date
        // text 2080; the examples start where the misspelled words' labels do.
        return {{QStringLiteral("Kind"), 0},
                {QStringLiteral("Count"), 3300},
                {QStringLiteral("Share"), 4020},
                {QStringLiteral("Newest"), 5040},
                {QStringLiteral("Examples"), 7200}};
    }
    return {};
}

int PrintLayout::FontHeight(int tenthsOfPoint, int dotsPerInchY)
{
    if (dotsPerInchY <= 0)
        return 0;
    const qint64 pixels = qint64(tenthsOfPoint / 10) * dotsPerInchY / 72;
    return int(std::lround(double(pixels) * kTwipsPerInch / dotsPerInchY));
}

int PrintLayout::LinesPerPage(int lineHeight)
{
    if (lineHeight <= 0)
        return 0;
    return (kPrintHeight / lineHeight - kHeaderLines) / 2;
}

int PrintLayout::PageCount(qsizetype records, int linesPerPage)
{
    if (linesPerPage <= 0)
        return 0;
    if (linesPerPage >= records)
        return 1;
    return int(records / linesPerPage + (records % linesPerPage ? 1 : 0));
}

qsizetype PrintLayout::FirstRecord(int page, int linesPerPage)
{
    return qsizetype(page - 1) * linesPerPage;
}

int PrintLayout::RowTop(int row, int lineHeight)
{
    return (kHeaderLines + 2 * row) * lineHeight;
}

QStringList PrintLayout::GradeRow(const CGrade& grade)
{
    return {grade.GetListName(), grade.GetDateText(), ReportFormat::Count(grade.GetCorrectCount()),
            ReportFormat::Count(grade.GetWordCount()),
            ReportFormat::PrintGrade(grade.GetCorrectCount(), grade.GetWordCount())};
}

QStringList PrintLayout::MissedRow(const CMissed& missed, const QString& errorLabel)
{
    return {missed.GetWord(), missed.GetMisspelling(), errorLabel};
}

QStringList PrintLayout::VocabularyRow(const CVocabulary& vocabulary)
{
    return {vocabulary.GetWord()};
}

qsizetype PrintLayout::RecordCount(EReportKind kind, const SReportLists& lists)
{
    if (kind == EReportKind::Profile)
        return lists.IsSet() ? CErrorProfile(*lists.missed).Rows().size() : 0;
    return lists.Count(kind);
}

namespace {
template <class T, class MakeRow>
QList<QStringList> pageRows(const CRecordList<T>& list, qsizetype first, int linesPerPage, MakeRow makeRow)
{
    QList<QStringList> rows;
    const qsizetype end = qMin(list.size(), first + linesPerPage);
    for (qsizetype i = qMax<qsizetype>(first, 0); i < end; ++i)
        rows.append(makeRow(list.at(i)));
    return rows;
}
}  // namespace

QList<QStringList> PrintLayout::PageRows(EReportKind kind, const SReportLists& lists, int page, int linesPerPage)
{
    if (!lists.IsSet() || linesPerPage <= 0 || page < 1)
        return {};
    const qsizetype first = FirstRecord(page, linesPerPage);
    switch (kind) {
    case EReportKind::Grades:
        return pageRows(*lists.grades, first, linesPerPage, [](const CGrade& g) { return GradeRow(g); });
    case EReportKind::Missed: {
        CSpellingRules rules;
        return pageRows(*lists.missed, first, linesPerPage, [&rules](const CMissed& m) {
            return MissedRow(m, rules.AnalyzeMisspelling(m.GetWord(), m.GetMisspelling()));
        });
    }
    case EReportKind::Vocabulary:
        return pageRows(*lists.vocabulary, first, linesPerPage, [](const CVocabulary& v) { return VocabularyRow(v); });
    case EReportKind::Profile:
        return ProfilePageRows(CErrorProfile(*lists.missed), page, linesPerPage);
    }
    return {};
}

QList<QStringList> PrintLayout::ProfilePageRows(const CErrorProfile& profile, int page, int linesPerPage)
{
    if (linesPerPage <= 0 || page < 1)
        return {};
    const QList<SErrorProfileRow>& all = profile.Rows();
    const qsizetype first = FirstRecord(page, linesPerPage);
    QList<QStringList> rows;
    for (qsizetype i = first; i < all.size() && i < first + linesPerPage; ++i)
        rows.append(profile.RowTexts(all.at(i)));
    return rows;
}
