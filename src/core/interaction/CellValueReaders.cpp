#include "core/interaction/CellValueReaders.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>

#include "core/platform/Locale.h"

namespace tabulyst {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

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

}  // namespace tabulyst
