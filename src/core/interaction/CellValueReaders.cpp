#include "core/interaction/CellValueReaders.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "core/platform/Locale.h"

namespace tabulyst {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The field order of a date format ('d', 'm', 'y') and its first separator.
struct DateShape {
    std::string order;
    char separator = 0;
};

DateShape dateShapeOf(std::string_view format) {
    DateShape shape;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            char c = format[++i];
            if (c == 'E' || c == 'O' || c == '-') {
                if (i + 1 >= format.size()) break;
                c = format[++i];
            }
            if (c == 'd' || c == 'e') shape.order += 'd';
            else if (c == 'm') shape.order += 'm';
            else if (c == 'y' || c == 'Y') shape.order += 'y';
            else if (c == 'D') {
                shape.order += "mdy";
                if (!shape.separator) shape.separator = '/';
            } else if (c == 'F') {
                shape.order += "ymd";
                if (!shape.separator) shape.separator = '-';
            }
        } else if (!shape.separator && format[i] != ' ') {
            shape.separator = format[i];
        }
    }
    return shape;
}

char timeSeparatorOf(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%') {
            ++i;
            continue;
        }
        if (format[i] != ' ') return format[i];
    }
    return ':';
}

class Scanner {
public:
    explicit Scanner(std::string_view s) : s_(s) {}
    void skipBlanks() {
        while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
    }
    bool number(int maxDigits, int& value, int* digitCount = nullptr) {
        int digits = 0;
        value = 0;
        while (pos_ < s_.size() && isDigit(s_[pos_]) && digits < maxDigits) {
            value = value * 10 + (s_[pos_++] - '0');
            ++digits;
        }
        if (digitCount) *digitCount = digits;
        return digits > 0 && !(pos_ < s_.size() && isDigit(s_[pos_]));
    }
    bool literal(char c) {
        if (pos_ < s_.size() && s_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (s_.size() - pos_ < w.size()) return false;
        for (std::size_t i = 0; i < w.size(); ++i) {
            char a = s_[pos_ + i], b = w[i];
            if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
            if (a != b) return false;
        }
        pos_ += w.size();
        return true;
    }
    bool atEnd() const { return pos_ == s_.size(); }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

}  // namespace

bool convertNumber(std::string_view s, char separator, long double& value) {
    std::size_t i = 0, digits = 0, fraction = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t intStart = i;
    for (; i < s.size() && isDigit(s[i]); ++i) ++digits;
    const std::size_t intEnd = i;
    std::size_t fracStart = i, fracEnd = i;
    if (i < s.size() && s[i] == separator) {
        fracStart = ++i;
        for (; i < s.size() && isDigit(s[i]); ++i) ++fraction;
        fracEnd = i;
    }
    digits += fraction;
    if (digits == 0) return false;
    std::size_t expStart = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exponent = 0;
        for (; i < s.size() && isDigit(s[i]); ++i) ++exponent;
        if (exponent == 0) return false;
    }
    if (i != s.size()) return false;
    // Up to 19 digits without exponent: the digits as an integer and the
    // power of ten are both exact in a long double, so one division rounds as
    // the full conversion does, only much sooner.
    if (expStart == s.size() && digits <= 19) {
        static constexpr auto kPowers = [] {
            std::array<long double, 20> p{};
            p[0] = 1;
            for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
            return p;
        }();
        std::uint64_t mantissa = 0;
        for (std::size_t k = intStart; k < intEnd; ++k) mantissa = mantissa * 10 + static_cast<unsigned>(s[k] - '0');
        for (std::size_t k = fracStart; k < fracEnd; ++k) mantissa = mantissa * 10 + static_cast<unsigned>(s[k] - '0');
        value = static_cast<long double>(mantissa) / kPowers[fraction];
        if (negative) value = -value;
        return true;
    }
    std::string normal;
    normal.reserve(s.size());
    if (negative) normal += '-';
    normal.append(s.substr(intStart, intEnd - intStart));
    if (fracStart != intEnd) normal.append(".").append(s.substr(fracStart, fracEnd - fracStart));
    normal += s.substr(expStart);
    if (expStart != s.size()) normal[normal.size() - (s.size() - expStart)] = 'e';
    auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    return result.ec == std::errc() && result.ptr == normal.data() + normal.size();
}

long long DateTime::serial() const {
    const auto days = std::chrono::sys_days{date}.time_since_epoch().count();
    return static_cast<long long>(days) * 86400 + hour * 3600 + minute * 60 + second;
}

std::optional<DateTime> parseDateTime(std::string_view text, const Locale& locale) {
    const DateShape shape = dateShapeOf(locale.shortDateFormat());
    if (shape.order.size() != 3 || !shape.separator) return std::nullopt;
    Scanner in(text);
    in.skipBlanks();
    int day = 0, month = 0, year = 0, yearDigits = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        if (k > 0 && !in.literal(shape.separator)) return std::nullopt;
        int value = 0;
        if (shape.order[k] == 'y') {
            if (!in.number(4, value, &yearDigits)) return std::nullopt;
            year = value;
        } else {
            if (!in.number(2, value)) return std::nullopt;
            (shape.order[k] == 'd' ? day : month) = value;
        }
    }
    if (yearDigits <= 2) year += year < 50 ? 2000 : 1900;
    DateTime result;
    result.date = std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                              std::chrono::day{static_cast<unsigned>(day)}};
    if (!result.date.ok() || year < 1) return std::nullopt;
    in.skipBlanks();
    if (in.atEnd()) return result;
    const char sep = timeSeparatorOf(locale.longTimeFormat());
    if (!in.number(2, result.hour) || !in.literal(sep) || !in.number(2, result.minute)) return std::nullopt;
    if (in.literal(sep) && !in.number(2, result.second)) return std::nullopt;
    in.skipBlanks();
    if (in.word("PM")) {
        if (result.hour < 1 || result.hour > 12) return std::nullopt;
        if (result.hour != 12) result.hour += 12;
    } else if (in.word("AM")) {
        if (result.hour < 1 || result.hour > 12) return std::nullopt;
        if (result.hour == 12) result.hour = 0;
    }
    in.skipBlanks();
    if (!in.atEnd() || result.hour > 23 || result.minute > 59 || result.second > 59) return std::nullopt;
    return result;
}

}  // namespace tabulyst
