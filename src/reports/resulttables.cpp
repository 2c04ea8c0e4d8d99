#include "reports/resulttables.h"

#include "rules/spellingrules.h"
#include "base/atomicfile.h"

#include <QTextStream>

QStringList ResultTables::Header(EReportKind kind)
{
    switch (kind) {
    case EReportKind::Grades: return {"List", "Date", "Correct", "Words"};
    case EReportKind::Missed: return {"List", "Date", "Word", "Misspelling", "Errors"};
    case EReportKind::Vocabulary: return {"List", "Date", "Word", "Extra"};
    case EReportKind::Profile: return {"Kind", "Count", "Share", "Newest", "Examples"};
    }
    return {};
}

QStringList ResultTables::GradeRow(const CGrade& grade)
{
    return {grade.GetListName(), grade.GetDateText(), QString::number(grade.GetCorrectCount()),
            QString::number(grade.GetWordCount())};
}

QStringList ResultTables::MissedRow(const CMissed& missed, const QString& errorLabel)
{
    return {missed.GetListName(), missed.GetDateText(), missed.GetWord(), missed.GetMisspelling(), errorLabel};
}

QStringList ResultTables::VocabularyRow(const CVocabulary& vocabulary)
{
    return {vocabulary.GetListName(), vocabulary.GetDateText(), vocabulary.GetWord(), vocabulary.GetExtra()};
}

QList<QStringList> ResultTables::Rows(const CRecordList<CGrade>& grades)
{
    QList<QStringList> rows;
    rows.reserve(grades.size());
    for (const CGrade& grade : grades)
        rows.append(GradeRow(grade));
    return rows;
}

QList<QStringList> ResultTables::Rows(const CRecordList<CMissed>& missed)
{
    QList<QStringList> rows;
    rows.reserve(missed.size());
    // The label is not stored with the record: it is worked out afresh, as the reports do.
    CSpellingRules rules;
    for (const CMissed& record : missed)
        rows.append(MissedRow(record, rules.AnalyzeMisspelling(record.GetWord(), record.GetMisspelling())));
    return rows;
}

QList<QStringList> ResultTables::Rows(const CRecordList<CVocabulary>& vocabulary)
{
    QList<QStringList> rows;
    rows.reserve(vocabulary.size());
    for (const CVocabulary& record : vocabulary)
        rows.append(VocabularyRow(record));
    return rows;
}

QList<QStringList> ResultTables::Rows(const CErrorProfile& profile)
{
    return profile.AllRowTexts();
}

QList<QStringList> ResultTables::Rows(EReportKind kind, const SReportLists& lists)
{
    if (!lists.IsSet())
        return {};
    switch (kind) {
    case EReportKind::Grades: return Rows(*lists.grades);
    case EReportKind::Missed: return Rows(*lists.missed);
    case EReportKind::Vocabulary: return Rows(*lists.vocabulary);
    case EReportKind::Profile: return Rows(CErrorProfile(*lists.missed));
    }
    return {};
}

QString ResultTables::Text(const QStringList& header, const QList<QStringList>& rows, CTableWriter::EFormat format)
{
    QString text;
    QTextStream out(&text);
    CTableWriter writer(out, format);
    writer.WriteRow(header);
    for (const QStringList& row : rows)
        writer.WriteRow(row);
    out.flush();
    return text;
}

QString ResultTables::ExportFileName(EReportKind kind, const QString& userName)
{
    QString report;
    switch (kind) {
    case EReportKind::Grades: report = QStringLiteral("grades"); break;
    case EReportKind::Missed: report = QStringLiteral("misspelled words"); break;
    case EReportKind::Vocabulary: report = QStringLiteral("vocabulary"); break;
    case EReportKind::Profile: report = QStringLiteral("error profile"); break;
    }
    QString user = userName;
    for (QChar& c : user) {
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    // A name that starts with a dot would make a hidden file.
    if (user.startsWith(QLatin1Char('.')))
        user[0] = QLatin1Char('_');
    return (user.isEmpty() ? report : user + QLatin1Char(' ') + report) + QStringLiteral(".csv");
}

bool ResultTables::WriteCsv(const QString& path, const QStringList& header, const QList<QStringList>& rows,
                            QString* error)
{
    return AtomicFile::Write(path, Text(header, rows, CTableWriter::EFormat::Csv).toUtf8(), error);
}
