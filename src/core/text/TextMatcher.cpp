#include "core/text/TextMatcher.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/platform/Locale.h"
#include "core/text/CaseFolding.h"
#include "core/text/Utf8Text.h"

namespace tabulyst::text {

namespace {

constexpr std::array<unsigned char, 256> kAsciiUpper = [] {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
    return table;
}();

std::string mapped(std::string_view text, const unsigned char* table) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

bool bounded(std::string_view cell, TextRange range) {
    return (range.begin == 0 || cell[range.begin - 1] == ' ') && (range.end == cell.size() || cell[range.end] == ' ');
}

// A cell's characters, folded or as they stand, one after the other; origin
// gives for each byte of that text (and its end) the cell offset where a
// character starts there, or kInside.
struct FoldedCell {
    static constexpr std::uint32_t kInside = UINT32_MAX;
    std::string text;
    std::vector<std::uint32_t> origin;

    void build(std::string_view cell, bool fold) {
        text.clear();
        origin.clear();
        for (std::size_t i = 0; i < cell.size();) {
            origin.push_back(static_cast<std::uint32_t>(i));
            const std::size_t size = fold ? appendFoldedChar(cell, i, text) : utf8CharAt(cell, i).size;
            if (!fold) text.append(cell.substr(i, size));
            origin.resize(text.size(), kInside);
            i += size;
        }
        origin.push_back(static_cast<std::uint32_t>(cell.size()));
    }
};

}  // namespace

TextMatcher::TextMatcher(std::string_view search, MatchOptions options, TextEncoding encoding, const Locale& locale)
    : wholeWord_(options.wholeWord), utf8_(encoding == TextEncoding::Utf8) {
    if (encoding == TextEncoding::Windows1252) {
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
        path_ = isAscii(needle_) ? Path::Table : Path::Folded;
        if (path_ == Path::Table) {
            table_ = kAsciiUpper.data();
            tableNeedle_ = mapped(needle_, table_);
        }
    }
    asciiNeedle_ = isAscii(needle_);
}

TextMatcher::Path TextMatcher::pathFor(std::string_view cell) const {
    // An ASCII search text meets the few characters that fold to ASCII only in their folded form.
    if (path_ == Path::Table && fold_ && holdsAsciiFoldingChar(cell)) return Path::Folded;
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

std::optional<TextRange> TextMatcher::occurrence(std::string_view cell, std::size_t from, bool anchored) const {
    const std::size_t n = needle_.size();
    if (n == 0 || from > cell.size()) return std::nullopt;
    switch (pathFor(cell)) {
    case Path::Exact: {
        if (anchored) {
            if (cell.substr(from).starts_with(needle_)) return TextRange{from, from + n};
            return std::nullopt;
        }
        const std::size_t pos = cell.find(needle_, from);
        if (pos == std::string_view::npos) return std::nullopt;
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

std::optional<TextRange> TextMatcher::foldedOccurrence(std::string_view cell, std::size_t from, bool anchored) const {
    // A search text with bytes from 0x80 up (folded, or invalid ones) never matches plain ASCII.
    if (!asciiNeedle_ && isAscii(cell.substr(from))) return std::nullopt;
    thread_local FoldedCell folded;
    folded.build(cell.substr(from), fold_);
    const std::string_view text = folded.text;
    for (std::size_t pos = 0; (pos = text.find(needle_, pos)) != std::string_view::npos; ++pos) {
        if (anchored && pos > 0) break;
        const std::uint32_t begin = folded.origin[pos], end = folded.origin[pos + needle_.size()];
        if (begin != FoldedCell::kInside && end != FoldedCell::kInside) return TextRange{from + begin, from + end};
    }
    return std::nullopt;
}

std::optional<TextRange> TextMatcher::find(std::string_view cell, std::size_t from) const {
    std::optional<TextRange> found = occurrence(cell, from);
    // Occurrences may overlap: after one between letters, the next may begin inside it.
    while (wholeWord_ && found && !bounded(cell, *found))
        found = occurrence(cell, found->begin + (utf8_ ? utf8CharAt(cell, found->begin).size : 1));
    return found;
}

bool TextMatcher::matches(std::string_view cell, bool firstPlace) const {
    if (cell.empty()) return false;
    if (wholeWord_ || !firstPlace) return find(cell).has_value();
    return occurrence(cell, 0, true).has_value();
}

}  // namespace tabulyst::text
