#pragma once

#include "reports/reportkind.h"

#include <QList>
#include <QString>
#include <QStringList>

// One column of a report on the page. A hidden column has width 0 and an empty title; it
// carries a field that is needed to make the record again from its row.
struct SReportColumn {
    QString title;      // shown exactly, trailing blanks included (they widen the column)
    int initialWidth;   // in pixels; 0 keeps the column hidden
    bool autoSize;      // widened to the larger of its title and its texts

    bool IsHidden() const { return initialWidth == 0; }
};

// What the reports page lists: the columns of each report and one row of texts per record.
// The rows hold, in this order, the texts a record is made again from:
// - grades: list name, date text, correct count, word count, grade;
// - misspelled words: list name, date text, word, misspelling, error label;
// - vocabulary: list name, extra text, date text, word;
// - error profile (read-only, nothing is made from its rows): kind of error, count, share,
//   newest date text, examples.
namespace ReportTable {

QList<SReportColumn> Columns(EReportKind kind);

QStringList GradeRow(const CGrade& grade);
// The label is the analyser's for the pair, computed by the caller.
QStringList MissedRow(const CMissed& missed, const QString& errorLabel);
QStringList VocabularyRow(const CVocabulary& vocabulary);

// The rows of a report from the document's list of that kind, in list order. The misspelled
// words are analysed again with one analyser for the whole report; the error profile is made
// from them.
QList<QStringList> Rows(EReportKind kind, const SReportLists& lists);

}  // namespace ReportTable
