#include "core/platform/Locale.h"

#include <langinfo.h>

#include <array>
#include <cstring>
#include <utility>

namespace tabulyst {

namespace {

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};

    constexpr CaseTables() {
        for (int i = 0; i < 256; ++i) {
            upper[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
            lower[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
        }
        auto pair = [this](int up, int low) {
            upper[static_cast<std::size_t>(low)] = static_cast<unsigned char>(up);
            lower[static_cast<std::size_t>(up)] = static_cast<unsigned char>(low);
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
        pair(0x8A, 0x9A);  // Š š
        pair(0x8C, 0x9C);  // Œ œ
        pair(0x8E, 0x9E);  // Ž ž
        pair(0x9F, 0xFF);  // Ÿ ÿ
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) pair(c, c + 32);  // À..Þ and à..þ, × and ÷ are no letters
    }
};

constexpr CaseTables kCase{};

}  // namespace

Locale::Locale() : Locale('.', "%m/%d/%y", "%H:%M:%S") {}

Locale::Locale(char decimalSeparator, std::string shortDateFormat, std::string longTimeFormat)
    : decimalSeparator_(decimalSeparator),
      shortDateFormat_(std::move(shortDateFormat)),
      longTimeFormat_(std::move(longTimeFormat)) {}

Locale Locale::german() { return Locale(',', "%d.%m.%Y", "%H:%M:%S"); }

Locale Locale::fromCLibrary() {
    Locale result;
    // A multi-byte radix character cannot be a single-byte cell character; keep ".".
    const char* radix = nl_langinfo(RADIXCHAR);
    if (radix && std::strlen(radix) == 1) result.decimalSeparator_ = radix[0];
    const char* date = nl_langinfo(D_FMT);
    if (date && *date) result.shortDateFormat_ = date;
    const char* time = nl_langinfo(T_FMT);
    if (time && *time) result.longTimeFormat_ = time;
    return result;
}

const unsigned char* Locale::upperTable() { return kCase.upper.data(); }
const unsigned char* Locale::lowerTable() { return kCase.lower.data(); }

std::string Locale::upper(std::string_view text) const {
    std::string result(text);
    upperInPlace(result);
    return result;
}

std::string Locale::lower(std::string_view text) const {
    std::string result(text);
    lowerInPlace(result);
    return result;
}

void Locale::upperInPlace(std::string& text) const {
    const unsigned char* table = upperTable();
    for (char& c : text) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
}

void Locale::lowerInPlace(std::string& text) const {
    const unsigned char* table = lowerTable();
    for (char& c : text) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
}

}  // namespace tabulyst
