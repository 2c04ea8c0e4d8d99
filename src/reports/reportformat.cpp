#include "reports/reportformat.h"

#include "base/fixedformat.h"

double ReportFormat::GradePercent(qint32 correctCount, qint32 wordCount)
{
    const float quotient = float(correctCount) / float(wordCount);
    return double(quotient) * 100.0;
}

QString ReportFormat::PageGrade(qint32 correctCount, qint32 wordCount)
{
    return FixedFormat::Printf("%3.0f %%", GradePercent(correctCount, wordCount));
}

QString ReportFormat::PrintGrade(qint32 correctCount, qint32 wordCount)
{
    return FixedFormat::Printf("%3.0f%%", GradePercent(correctCount, wordCount));
}

QString ReportFormat::Count(qint32 count)
{
    // A double holds every 32-bit integer exactly; a float would round counts above 2^24.
    return FixedFormat::Printf("%.0f", double(count));
}
