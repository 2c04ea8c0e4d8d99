#pragma once

#include "reports/errorprofile.h"
#include "reports/reportkind.h"
#include "base/tablewriter.h"

#include <QList>
#include <QString>
#include <QStringList>

// The tables a user's results are written out as, by orthex-cli results and by "Export..." on
// the reports page: a header and one row of texts per record (per kind for the error profile).
// - grades: List, Date, Correct, Words (the counts as plain numbers);
// - misspelled words: List, Date, Word, Misspelling, Errors (the analyser's label);
// - vocabulary: List, Date, Word, Extra;
// - error profile: Kind, Count, Share, Newest, Examples.
namespace ResultTables {

QStringList Header(EReportKind kind);

QStringList GradeRow(const CGrade& grade);
QStringList MissedRow(const CMissed& missed, const QString& errorLabel);
QStringList VocabularyRow(const CVocabulary& vocabulary);

// The rows of one list, in list order; the misspelled words are analysed by one analyser.
QList<QStringList> Rows(const CRecordList<CGrade>& grades);
QList<QStringList> Rows(const CRecordList<CMissed>& missed);
QList<QStringList> Rows(const CRecordList<CVocabulary>& vocabulary);
QList<QStringList> Rows(const CErrorProfile& profile);
// The rows of a report from the document's lists (the profile made from the misspelled words).
QList<QStringList> Rows(EReportKind kind, const SReportLists& lists);

// The header and then the rows, as TSV or CSV text.
QString Text(const QStringList& header, const QList<QStringList>& rows, CTableWriter::EFormat format);

// The name an exported report is offered under: "<user> grades.csv", "<user> misspelled
// words.csv", "<user> vocabulary.csv" or "<user> error profile.csv" ("grades.csv" and so on with
// nobody logged in); characters that cannot stand in a file name become "_".
QString ExportFileName(EReportKind kind, const QString& userName);
// Writes the header and the rows as CSV in UTF-8 as the whole of path, replacing the file only
// when all of it was written. False, with the reason in error, when it fails.
bool WriteCsv(const QString& path, const QStringList& header, const QList<QStringList>& rows,
              QString* error = nullptr);

}  // namespace ResultTables
