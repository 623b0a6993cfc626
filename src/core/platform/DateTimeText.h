#pragma once
// Dates and times as text in the locale's short date and long time formats:
// reading a cell as a date, and writing one (the time left out at midnight).
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tabulyst {

class Locale;

struct DateTime {
    std::chrono::year_month_day date;
    int hour = 0, minute = 0, second = 0;
    // Seconds since 1970-01-01 00:00:00: later moments are greater.
    long long serial() const;
};

// A date in the locale's short date format, optionally followed by a time in
// its time format (AM and PM understood); blanks around either are allowed;
// nothing when the text is no such date.
std::optional<DateTime> parseDateTime(std::string_view text, const Locale& locale);
// The short date, then a blank and the long time unless it is exactly midnight.
std::string formatDateTime(const DateTime& t, const Locale& locale);
// The current local date and time, to the second.
DateTime localNow();

}  // namespace tabulyst
