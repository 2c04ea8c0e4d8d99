#pragma once

#include <QString>
#include <QtGlobal>

// The fixed-format texts of the reports, the same in every locale.
namespace ReportFormat {

// The grade of a test as a percentage: both counts as single-precision numbers, their quotient
// times 100.0 in double precision. A word count of 0 gives infinity or not-a-number.
double GradePercent(qint32 correctCount, qint32 wordCount);

// The grade as the page shows it ("%3.0f %%": " 90 %") and as it is printed ("%3.0f%%": " 90%").
QString PageGrade(qint32 correctCount, qint32 wordCount);
QString PrintGrade(qint32 correctCount, qint32 wordCount);

// A count as a whole number ("%.0f"). Every 32-bit count comes out exactly, so that a row read
// back into a record gives the same count.
QString Count(qint32 count);

}  // namespace ReportFormat
