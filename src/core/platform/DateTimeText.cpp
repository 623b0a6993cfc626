#include "core/platform/DateTimeText.h"

#include <ctime>

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

namespace {

void appendPadded(std::string& out, int value, int width, char pad = '0') {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) out.append(static_cast<std::size_t>(width) - digits.size(), pad);
    out += digits;
}

// The strftime conversions a date or time format of a locale uses.
void appendFormatted(std::string& out, std::string_view format, const DateTime& t) {
    const int year = static_cast<int>(t.date.year());
    const int month = static_cast<int>(static_cast<unsigned>(t.date.month()));
    const int day = static_cast<int>(static_cast<unsigned>(t.date.day()));
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        char c = format[++i];
        if ((c == 'E' || c == 'O' || c == '-') && i + 1 < format.size()) c = format[++i];
        switch (c) {
        case 'd': appendPadded(out, day, 2); break;
        case 'e': appendPadded(out, day, 2, ' '); break;
        case 'm': appendPadded(out, month, 2); break;
        case 'Y': appendPadded(out, year, 4); break;
        case 'y': appendPadded(out, year % 100, 2); break;
        case 'D': appendFormatted(out, "%m/%d/%y", t); break;
        case 'F': appendFormatted(out, "%Y-%m-%d", t); break;
        case 'H': appendPadded(out, t.hour, 2); break;
        case 'I': appendPadded(out, t.hour % 12 == 0 ? 12 : t.hour % 12, 2); break;
        case 'M': appendPadded(out, t.minute, 2); break;
        case 'S': appendPadded(out, t.second, 2); break;
        case 'p': out += t.hour < 12 ? "AM" : "PM"; break;
        case 'T': appendFormatted(out, "%H:%M:%S", t); break;
        case 'R': appendFormatted(out, "%H:%M", t); break;
        // US-style locales give their time format as "%r".
        case 'r': appendFormatted(out, "%I:%M:%S %p", t); break;
        case 'l': appendPadded(out, t.hour % 12 == 0 ? 12 : t.hour % 12, 2, ' '); break;
        case 'P': out += t.hour < 12 ? "am" : "pm"; break;
        case '%': out += '%'; break;
        default:
            out += '%';
            out += c;
        }
    }
}

}  // namespace

std::string formatDateTime(const DateTime& t, const Locale& locale) {
    std::string out;
    appendFormatted(out, locale.shortDateFormat(), t);
    if (t.hour != 0 || t.minute != 0 || t.second != 0) {
        out += ' ';
        appendFormatted(out, locale.longTimeFormat(), t);
    }
    return out;
}

DateTime localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    DateTime t;
    t.date = std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    // A leap second shows as the last second of its minute.
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return t;
}

}  // namespace tabulyst
