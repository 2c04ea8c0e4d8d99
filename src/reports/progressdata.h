#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// One test on the progress chart.
struct SProgressPoint {
    // Time axis: milliseconds since the epoch of the test's start (local time, as QDateTimeAxis
    // reads it). Numbered axis: the test's number, oldest 1.
    double x = 0;
    // The grade as the reports show it: ReportFormat::GradePercent.
    double percent = 0;
    QString listName;  // as stored, ending included
    QString dateText;
    qint32 correctCount = 0;
    qint32 wordCount = 0;
    bool stopped = false;  // "--Stopped Test" or "--Repeat, Stopped"
    bool dated = false;    // the date text could be read
    QString toolTip;       // list, date and score, one per line

    bool operator==(const SProgressPoint&) const = default;
};

// The tests of one spelling list, oldest first.
struct SProgressSeries {
    QString name;  // the list name without its ending
    QList<SProgressPoint> points;
};

// What the progress chart draws.
struct SProgressChart {
    // True when at least one date text could be read: x is then a time. Otherwise x numbers the
    // tests in the order they were taken.
    bool timeAxis = false;
    QList<SProgressSeries> series;  // ordered by name, case first ignored, then not

    bool IsEmpty() const { return series.isEmpty(); }
    qsizetype PointCount() const;
};

// Turns a pupil's grades into the series of the progress chart.
//
// The grade list runs newest first, so the tests are taken from its tail to its head. A grade
// whose word count is 0 or less gives no point (it has no grade to draw). Each list name goes
// into the series of its name without the ending "--Repeat", "--Stopped Test" or
// "--Repeat, Stopped"; the two stopped endings mark the point as stopped.
//
// X axis. When some date text can be read, a readable test sits at its start time. A test
// whose date text cannot be read keeps its place among the tests: it is put one second after
// the test before it (readable or already placed), so it stays next to that test and just to
// the right of it; unreadable tests older than every readable one are put one second apart just
// before the oldest readable test. When no date text can be read, the tests are numbered
// 1, 2, 3 ... from the oldest. Within a series the points run left to right, tests at the
// same x in the order they were taken.
namespace ProgressData {

SProgressChart Build(const CRecordList<CGrade>& grades);

// The series a list name belongs to: the name without its ending.
QString SeriesName(const QString& listName);
// Whether the list name marks a stopped test.
bool IsStopped(const QString& listName);
// "Week 3--Repeat\n03/18/26, 09:20 AM\n10 of 10 correct: 100 %"
QString ToolTip(const QString& listName, const QString& dateText, qint32 correctCount, qint32 wordCount);

// The gap between an unreadable test and the test before it.
constexpr qint64 kUndatedStepMs = 1000;

}  // namespace ProgressData
