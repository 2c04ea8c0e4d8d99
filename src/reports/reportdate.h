#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Reads back the date text a test gives its records ("12/08/26, 03:10 PM": "MM/dd/yy, hh:mm AP"
// in the C locale, years 2000 to 2099), for ordering records by time. Texts that were written
// as "Invalid DateTime" or "Time Error", or edited by hand, give nothing.
namespace ReportDate {

std::optional<QDateTime> Parse(const QString& dateText);

// Orders two date texts oldest first; a text that cannot be read is older than all that can
// (two unreadable texts are equal).
bool IsOlder(const QString& a, const QString& b);

}  // namespace ReportDate
