#pragma once
// Whether a cell matches the search text of the find and replace dialogs.
#include <optional>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"
#include "core/text/TextMatcher.h"

namespace tabulyst {

class Locale;

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// A text the user typed (UTF-8) as the cells of a table in this encoding hold
// it; none when the table is Windows-1252 and the text has a character the
// code page lacks, which no cell of it can hold.
std::optional<std::string> typedTextInCells(std::string_view typed, text::TextEncoding encoding);

// The test of one search step, prepared once for the whole walk through the
// table (see TextMatcher): the search text is converted and case-folded once.
class SearchMatcher {
public:
    SearchMatcher(std::string_view search, SearchOptions options, bool firstPlace, text::TextEncoding encoding,
                  const Locale& locale);
    bool operator()(std::string_view cell) const { return matcher_ && matcher_->matches(cell, firstPlace_); }

private:
    std::optional<text::TextMatcher> matcher_;  // none: the search text cannot occur in the table
    bool firstPlace_;
};

// The search text is what the user typed, the cell in the table's encoding.
// Without match case both texts count in the locale's upper case (UTF-8: in
// Unicode's case folding). Whole word: the search text stands alone between
// word separators or the cell's ends (in Windows-1252 only the blank
// separates words; the first-place flag is then ignored). First place: the
// cell begins with the search text. Otherwise: it occurs anywhere. An empty
// search text or cell never matches.
bool MatchesSearch(std::string_view search, std::string_view cell, SearchOptions options, bool firstPlace,
                   const Locale& locale, text::TextEncoding encoding = text::TextEncoding::Windows1252);

}  // namespace tabulyst
