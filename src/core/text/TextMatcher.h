#pragma once
// Whether and where a search text occurs in cell text, with match case and
// whole word, in either encoding; prepared once per search, cheap per cell.
// Without match case Windows-1252 text compares in the locale's upper case,
// UTF-8 text in Unicode's full case folding (Ł and ł, Σ, σ and ς, "Straße"
// and "STRASSE" match). An occurrence is a run of whole characters of the
// cell, given as its byte range, so a replacement can splice it. Whole words:
// in Windows-1252 text only blanks separate them; in UTF-8 text any character
// that is no letter, digit or combining mark does (Unicode's classes).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace tabulyst {
class Locale;
}

namespace tabulyst::text {

struct MatchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

struct TextRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const TextRange&) const = default;
};

class TextMatcher {
public:
    TextMatcher(std::string_view search, MatchOptions options, TextEncoding encoding, const Locale& locale);

    // The find commands' test of a cell. Whole word: an occurrence with a word
    // separator or the cell's edge on either side (the first-place flag is then
    // ignored). First place: the cell begins with an occurrence. Otherwise:
    // any occurrence. An empty search text or cell never matches.
    bool matches(std::string_view cell, bool firstPlace = false) const;

    // The first occurrence that begins at or after from (a character start),
    // whole word when asked for; none for an empty search text.
    std::optional<TextRange> find(std::string_view cell, std::size_t from = 0) const;

    // Ignoring whole word: the first occurrence from from on, or (anchored)
    // only one that begins right at from.
    std::optional<TextRange> occurrence(std::string_view cell, std::size_t from, bool anchored = false) const;

private:
    // Exact: the bytes as they are. Table: through a byte table (the locale's
    // upper case; for UTF-8 an ASCII search text in ASCII upper case, where
    // bytes from 0x80 up never match). Folded: character by character, each
    // in its folded form (or as it stands, for an invalid search text).
    enum class Path { Exact, Table, Folded };

    Path pathFor(std::string_view cell) const;
    bool tableAt(std::string_view cell, std::size_t pos) const;
    // Where an occurrence that begins at pos ends, or npos.
    std::size_t foldedAt(std::string_view cell, std::size_t pos) const;
    std::optional<TextRange> foldedOccurrence(std::string_view cell, std::size_t from, bool anchored) const;

    std::string needle_;       // as it is with match case, else folded (Windows-1252: upper-cased)
    std::string tableNeedle_;  // the Table path's: in the table's upper case
    const unsigned char* table_ = nullptr;
    Path path_ = Path::Exact;
    bool fold_ = false;  // Folded: folding the cell's characters, else taking them as they stand
    std::uint16_t foldingChars_ = 0;  // Table in UTF-8: the characters that fold into the search text
    bool highStarts_ = false;         // a character from 0x80 up may begin an ASCII folded search text
    bool wholeWord_ = false;
    bool utf8_ = false;
};

}  // namespace tabulyst::text
