#pragma once

#include <QString>

#include <ctime>

// Texts whose format is fixed (dates of tests, scores, grades, counts) come out the same
// whatever the user's locale: they are formatted in the C locale explicitly, because Qt sets
// the C library's locale from the environment when the application object is made.
namespace FixedFormat {
// strftime in the C locale.
QString StrFTime(const char* format, const std::tm& time);
// printf in the C locale ("%3.2f %%" gives "33.33 %", never "33,33 %").
QString Printf(const char* format, ...);
}  // namespace FixedFormat
