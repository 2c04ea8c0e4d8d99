#pragma once

#include <QString>

#include <ctime>

// The date text of a test: its start time in local time as "%x, %I:%M %p" of the C locale
// (for example "12/08/26, 03:10 AM"), whatever the user's locale. Every record of the test
// carries it.
namespace TestDateText {
// "Invalid DateTime" when the time cannot be converted to local time, "Time Error" when the
// formatted text comes out empty.
QString Format(std::time_t time);
}  // namespace TestDateText
