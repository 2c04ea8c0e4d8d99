#pragma once

#include "reports/errorprofile.h"
#include "reports/reportkind.h"

#include <QList>
#include <QString>
#include <QStringList>

// The paper layout of a printed report, in twips (1440 to the inch), y growing downwards from
// the page origin (half an inch from the left paper edge): the title with the page line, the
// column titles two lines down, a rule three lines down and then one record every two lines.
namespace PrintLayout {

constexpr int kTwipsPerInch = 1440;
constexpr int kMargin = 720;           // the origin lies half an inch in
constexpr int kPrintHeight = 14400;    // ten inches of lines on each page
constexpr int kPageNumberX = 7920;
constexpr int kRuleEndX = 10800;
constexpr int kHeaderLines = 4;        // title, blank, column titles, rule

struct SColumn {
    QString title;
    int x;
};

// "Grades", "Misspelled Words", "Vocabulary Words" or "Error Profile", " -- " and the user's name.
QString Title(EReportKind kind, const QString& userName);
// "Page 2 of 5".
QString PageText(int page, int lastPage);
QList<SColumn> Columns(EReportKind kind);

// The height of the print font in twips: the size in tenths of a point to whole points, to
// whole pixels of the device (dropping the fractions), and those pixels in twips.
int FontHeight(int tenthsOfPoint, int dotsPerInchY);
// Rows on a page for a line height in twips (character height plus external leading); 0 or
// less when the font is too large for any row, or the line height is not positive.
int LinesPerPage(int lineHeight);
// Pages for a number of records: 1 when they all fit on one (also for none); 0 when lines per
// page is not positive, for then no page can be formed.
int PageCount(qsizetype records, int linesPerPage);
// Index (from 0, in list order) of the first record on a page (from 1).
qsizetype FirstRecord(int page, int linesPerPage);
// Top of the text of row (from 0) of a page, below the origin.
int RowTop(int row, int lineHeight);

// Records a report prints, one a row: for the error profile its kinds (made from the
// misspelled words), otherwise the records of the kind's list.
qsizetype RecordCount(EReportKind kind, const SReportLists& lists);

// The printed texts of one record, one per column; the misspelled word's label is given.
QStringList GradeRow(const CGrade& grade);
QStringList MissedRow(const CMissed& missed, const QString& errorLabel);
QStringList VocabularyRow(const CVocabulary& vocabulary);
// The rows of one page: the records from the page's first one, at most linesPerPage of them,
// with the error labels computed again by one analyser for the page (the error profile made
// again from the misspelled words).
QList<QStringList> PageRows(EReportKind kind, const SReportLists& lists, int page, int linesPerPage);
// The rows of one page of an error profile already made.
QList<QStringList> ProfilePageRows(const CErrorProfile& profile, int page, int linesPerPage);

// A text that may be too wide for the room left before the rule's end (the profile's examples):
// the whole text when it fits; else its longest start that ends before a ", " and fits (whole
// examples); else the first item cut down to fit, ending in an ellipsis. width measures a text.
template <typename Measure>
QString FitItems(const QString& text, int room, Measure width);

}  // namespace PrintLayout

template <typename Measure>
QString PrintLayout::FitItems(const QString& text, int room, Measure width)
{
    if (width(text) <= room)
        return text;
    const QString joiner = QStringLiteral(", ");
    for (qsizetype end = text.lastIndexOf(joiner); end > 0; end = text.lastIndexOf(joiner, end - 1)) {
        const QString start = text.left(end);
        if (width(start) <= room)
            return start;
    }
    const QString ellipsis(QChar(0x2026));
    QString cut = text;
    const qsizetype first = text.indexOf(joiner);
    if (first > 0)
        cut.truncate(first);
    while (!cut.isEmpty() && width(cut + ellipsis) > room)
        cut.chop(1);
    return cut + ellipsis;
}
