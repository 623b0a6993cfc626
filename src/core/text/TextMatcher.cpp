#include "core/text/TextMatcher.h"

#include <unicode/uchar.h>

#include <array>

#include "core/platform/Locale.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/CaseFolding.h"
#include "core/text/Utf8Text.h"

namespace tabulyst::text {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

constexpr std::array<unsigned char, 256> kAsciiUpper = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
    return table;
}();

constexpr std::array<unsigned char, 256> kIdentity = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    return table;
}();

std::string mapped(std::string_view text, const unsigned char* table) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

// A letter, digit or combining mark: what a word of UTF-8 text is made of. A
// byte that is no valid UTF-8 counts as its Windows-1252 character.
bool isWordCharacter(Utf8Char c) {
    const char32_t code = c.valid ? c.code : windows1252CodePoint(static_cast<unsigned char>(c.code));
    if (code < 0x80) return (code >= '0' && code <= '9') || ((code | 0x20) >= 'a' && (code | 0x20) <= 'z');
    return (U_GET_GC_MASK(static_cast<UChar32>(code)) & (U_GC_L_MASK | U_GC_N_MASK | U_GC_M_MASK)) != 0;
}

// The character that ends right before pos (a character start above 0).
Utf8Char utf8CharBefore(std::string_view text, std::size_t pos) {
    for (std::size_t back = 2; back <= 4 && back <= pos; ++back) {
        if (!isUtf8Continuation(static_cast<unsigned char>(text[pos - back + 1]))) break;
        const Utf8Char c = utf8CharAt(text, pos - back);
        if (c.valid && c.size == back) return c;
    }
    return utf8CharAt(text.substr(0, pos), pos - 1);
}

// Windows-1252: only blanks separate words. UTF-8: whatever is no letter, digit or mark.
bool bounded(std::string_view cell, TextRange range, bool utf8) {
    if (!utf8)
        return (range.begin == 0 || cell[range.begin - 1] == ' ') &&
               (range.end == cell.size() || cell[range.end] == ' ');
    return (range.begin == 0 || !isWordCharacter(utf8CharBefore(cell, range.begin))) &&
           (range.end == cell.size() || !isWordCharacter(utf8CharAt(cell, range.end)));
}

}  // namespace

TextMatcher::TextMatcher(std::string_view search, MatchOptions options, TextEncoding encoding, const Locale& locale)
    : wholeWord_(options.wholeWord), utf8_(encoding == TextEncoding::Utf8) {
    if (!utf8_) {
        path_ = options.matchCase ? Path::Exact : Path::Table;
        table_ = locale.upperTable();
        needle_ = options.matchCase ? std::string(search) : mapped(search, table_);
        tableNeedle_ = needle_;
    } else if (options.matchCase) {
        // Bytes of valid UTF-8 found in a cell are whole characters there; others need the cell's characters.
        needle_ = search;
        path_ = isValidUtf8(search) ? Path::Exact : Path::Folded;
    } else {
        needle_ = folded(search);
        fold_ = true;
        if (isAscii(needle_)) {
            path_ = Path::Table;
            table_ = kAsciiUpper.data();
            tableNeedle_ = mapped(needle_, table_);
            foldingChars_ = asciiFoldingCharsOf(needle_);
        } else {
            path_ = Path::Folded;
        }
        for (const AsciiFoldingChar& f : kAsciiFoldingChars) highStarts_ = highStarts_ || f.folded[0] == needle_[0];
    }
}

TextMatcher::Path TextMatcher::pathFor(std::string_view cell) const {
    // An ASCII search text meets the few characters that fold to ASCII only in their folded form.
    if (path_ == Path::Table && foldingChars_ != 0 && holdsAsciiFoldingChar(cell, foldingChars_)) return Path::Folded;
    return path_;
}

bool TextMatcher::tableAt(std::string_view cell, std::size_t pos) const {
    const std::string& needle = tableNeedle_;
    if (pos > cell.size() || cell.size() - pos < needle.size()) return false;
    const unsigned char* up = table_;
    for (std::size_t k = 0; k < needle.size(); ++k)
        if (up[static_cast<unsigned char>(cell[pos + k])] != static_cast<unsigned char>(needle[k])) return false;
    return true;
}

std::size_t TextMatcher::foldedAt(std::string_view cell, std::size_t pos) const {
    const std::string_view needle = needle_;
    for (std::size_t k = 0; k < needle.size();) {
        if (pos >= cell.size()) return kNone;
        const auto b = static_cast<unsigned char>(cell[pos]);
        if (b < 0x80) {
            if ((fold_ ? asciiFolded(static_cast<char>(b)) : static_cast<char>(b)) != needle[k]) return kNone;
            ++k;
            ++pos;
            continue;
        }
        const Utf8Char c = utf8CharAt(cell, pos);
        FoldedChar f{};
        const std::string_view form = fold_ && c.valid ? (f = foldedChar(c.code)).view() : cell.substr(pos, c.size);
        if (needle.substr(k, form.size()) != form) return kNone;
        k += form.size();
        pos += c.size;
    }
    return pos;
}

std::optional<TextRange> TextMatcher::foldedOccurrence(std::string_view cell, std::size_t from, bool anchored) const {
    auto at = [&](std::size_t pos) -> std::optional<TextRange> {
        const std::size_t end = foldedAt(cell, pos);
        if (end == kNone) return std::nullopt;
        return TextRange{pos, end};
    };
    if (anchored) return at(from);
    const char first = needle_[0];
    if (static_cast<unsigned char>(first) < 0x80 && !highStarts_) {
        // Only an ASCII character can begin an occurrence: the bytes are enough to find the candidates.
        const unsigned char* up = fold_ ? kAsciiUpper.data() : kIdentity.data();
        const unsigned char want = up[static_cast<unsigned char>(first)];
        for (std::size_t pos = from; pos < cell.size(); ++pos)
            if (up[static_cast<unsigned char>(cell[pos])] == want)
                if (auto found = at(pos)) return found;
        return std::nullopt;
    }
    const bool highFirst = static_cast<unsigned char>(first) >= 0x80;
    for (std::size_t pos = from; pos < cell.size(); pos += utf8CharAt(cell, pos).size) {
        // Then no ASCII character can begin one.
        if (highFirst && (pos += asciiRun(cell, pos)) == cell.size()) break;
        if (auto found = at(pos)) return found;
    }
    return std::nullopt;
}

std::optional<TextRange> TextMatcher::occurrence(std::string_view cell, std::size_t from, bool anchored) const {
    const std::size_t n = needle_.size();
    if (n == 0 || from > cell.size()) return std::nullopt;
    switch (pathFor(cell)) {
    case Path::Exact: {
        const std::size_t pos = anchored ? (cell.substr(from).starts_with(needle_) ? from : kNone) : cell.find(needle_, from);
        if (pos == kNone) return std::nullopt;
        return TextRange{pos, pos + n};
    }
    case Path::Table: {
        if (anchored) {
            if (tableAt(cell, from)) return TextRange{from, from + n};
            return std::nullopt;
        }
        if (cell.size() < n) return std::nullopt;
        const unsigned char* up = table_;
        const auto first = static_cast<unsigned char>(tableNeedle_[0]);
        const std::size_t last = cell.size() - n;
        for (std::size_t pos = from; pos <= last; ++pos)
            if (up[static_cast<unsigned char>(cell[pos])] == first && tableAt(cell, pos)) return TextRange{pos, pos + n};
        return std::nullopt;
    }
    case Path::Folded:
        return foldedOccurrence(cell, from, anchored);
    }
    return std::nullopt;
}

std::optional<TextRange> TextMatcher::find(std::string_view cell, std::size_t from) const {
    std::optional<TextRange> found = occurrence(cell, from);
    // Occurrences may overlap: after one between letters, the next may begin inside it.
    while (wholeWord_ && found && !bounded(cell, *found, utf8_))
        found = occurrence(cell, found->begin + (utf8_ ? utf8CharAt(cell, found->begin).size : 1));
    return found;
}

bool TextMatcher::matches(std::string_view cell, bool firstPlace) const {
    if (cell.empty()) return false;
    if (wholeWord_ || !firstPlace) return find(cell).has_value();
    return occurrence(cell, 0, true).has_value();
}

}  // namespace tabulyst::text
