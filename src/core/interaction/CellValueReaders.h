#pragma once
// Reading numbers and dates out of cell texts: the one set of readers behind
// the range sums and increments of the grid keys and the column types of sorting.
#include <chrono>
#include <optional>
#include <string_view>

namespace tabulyst {

class Locale;

// Optional sign, digits with at most one separator, optional exponent (E or e,
// optional sign, digits) and nothing else; at least one digit.
bool convertNumber(std::string_view text, char separator, long double& value);

struct DateTime {
    std::chrono::year_month_day date;
    int hour = 0, minute = 0, second = 0;
    // Seconds since 1970-01-01 00:00:00: later moments are greater.
    long long serial() const;
};

// A date in the locale's short date format, optionally followed by a time in
// its time format (AM and PM understood); blanks around either are allowed.
std::optional<DateTime> parseDateTime(std::string_view text, const Locale& locale);

}  // namespace tabulyst
