#include "reports/reportdate.h"

#include <QLocale>

namespace ReportDate {

std::optional<QDateTime> Parse(const QString& dateText)
{
    // The C locale's AM/PM names, whatever the user's locale; "yy" reads as 19yy, so move it
    // to the century the program writes.
    const QDateTime read = QLocale::c().toDateTime(dateText.trimmed(), QStringLiteral("MM/dd/yy, hh:mm AP"));
    if (!read.isValid())
        return std::nullopt;
    return read.addYears(100);
}

bool IsOlder(const QString& a, const QString& b)
{
    const std::optional<QDateTime> timeA = Parse(a);
    const std::optional<QDateTime> timeB = Parse(b);
    if (!timeB)
        return false;
    if (!timeA)
        return true;
    return *timeA < *timeB;
}

}  // namespace ReportDate
