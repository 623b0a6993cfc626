#include "core/text/CaseMapping.h"

#include <unicode/casemap.h>
#include <unicode/stringoptions.h>

#include "core/platform/Locale.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/CodePageText.h"
#include "core/text/Utf8Text.h"

namespace tabulyst {

bool IsWordSeparator(char c) {
    switch (c) {
    case ' ': case '!': case '"': case '&': case '(': case ')': case '+':
    case ',': case '-': case '.': case '/': case ':': case '?':
        return true;
    default:
        return false;
    }
}

std::string CapitalizeWords(std::string_view text, const Locale& locale) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const bool startsWord = i == 0 || IsWordSeparator(text[i - 1]);
        const auto c = static_cast<unsigned char>(text[i]);
        out[i] = static_cast<char>(startsWord ? locale.toUpper(c) : locale.toLower(c));
    }
    return out;
}

}  // namespace tabulyst

namespace tabulyst::text {

namespace {

constexpr const char* kCaseLocale = "de";

enum class Mapping { Upper, Lower, Title };

// Appends ICU's mapping of a UTF-8 run; the title case is that of its first
// character alone. Without ICU's data the run stays as it is.
void appendMapped(std::string_view run, Mapping mapping, std::string& out) {
    if (run.empty()) return;
    const std::size_t old = out.size();
    int32_t capacity = static_cast<int32_t>(3 * run.size() + 8);
    for (int attempt = 0; attempt < 2; ++attempt) {
        out.resize(old + static_cast<std::size_t>(capacity));
        UErrorCode status = U_ZERO_ERROR;
        const auto src = static_cast<int32_t>(run.size());
        char* dest = out.data() + old;
        int32_t length = 0;
        switch (mapping) {
        case Mapping::Upper:
            length = icu::CaseMap::utf8ToUpper(kCaseLocale, 0, run.data(), src, dest, capacity, nullptr, status);
            break;
        case Mapping::Lower:
            length = icu::CaseMap::utf8ToLower(kCaseLocale, 0, run.data(), src, dest, capacity, nullptr, status);
            break;
        case Mapping::Title:
            length = icu::CaseMap::utf8ToTitle(
                kCaseLocale, U_TITLECASE_WHOLE_STRING | U_TITLECASE_NO_BREAK_ADJUSTMENT | U_TITLECASE_NO_LOWERCASE,
                nullptr, run.data(), src, dest, capacity, nullptr, status);
            break;
        }
        if (U_SUCCESS(status)) {
            out.resize(old + static_cast<std::size_t>(length));
            return;
        }
        if (status != U_BUFFER_OVERFLOW_ERROR) break;
        capacity = length;
    }
    out.resize(old);
    out.append(run);
}

void mapBytes(std::string_view text, const unsigned char* table, std::string& out) {
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
}

// µ (C2 B5) and ƒ (C6 92) keep their form in upper case; the runs between go through ICU.
void upperUtf8(std::string_view text, std::string& out) {
    out.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if ((text[i] == '\xC2' && text[i + 1] == '\xB5') || (text[i] == '\xC6' && text[i + 1] == '\x92')) {
            appendMapped(text.substr(start, i - start), Mapping::Upper, out);
            out.append(text.substr(i, 2));
            start = i + 2;
            ++i;
        }
    }
    appendMapped(text.substr(start), Mapping::Upper, out);
}

// The first character of a word: as in Windows-1252 where the code page has it.
// Returns its size in text.
std::size_t appendWordStart(std::string_view text, std::size_t pos, const Locale& locale, std::string& out) {
    const Utf8Char c = utf8CharAt(text, pos);
    const int byte = c.valid ? windows1252ByteOf(c.code) : -1;
    if (!c.valid) out.push_back(text[pos]);
    else if (byte >= 0) appendUtf8(out, windows1252CodePoint(locale.toUpper(static_cast<unsigned char>(byte))));
    else appendMapped(text.substr(pos, c.size), Mapping::Title, out);
    return c.size;
}

void capitalizedUtf8(std::string_view text, const Locale& locale, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        if (IsWordSeparator(text[i])) {
            out.push_back(text[i++]);
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsWordSeparator(text[end])) ++end;
        const std::size_t first = appendWordStart(text, i, locale, out);
        appendMapped(text.substr(i + first, end - i - first), Mapping::Lower, out);
        i = end;
    }
}

}  // namespace

void upperCase(std::string_view text, TextEncoding encoding, const Locale& locale, std::string& out) {
    if (encoding == TextEncoding::Windows1252 || isAscii(text)) mapBytes(text, locale.upperTable(), out);
    else upperUtf8(text, out);
}

void lowerCase(std::string_view text, TextEncoding encoding, const Locale& locale, std::string& out) {
    if (encoding == TextEncoding::Windows1252 || isAscii(text)) {
        mapBytes(text, locale.lowerTable(), out);
        return;
    }
    out.clear();
    appendMapped(text, Mapping::Lower, out);
}

void capitalizedWords(std::string_view text, TextEncoding encoding, const Locale& locale, std::string& out) {
    if (encoding == TextEncoding::Windows1252 || isAscii(text)) out = CapitalizeWords(text, locale);
    else capitalizedUtf8(text, locale, out);
}

}  // namespace tabulyst::text
