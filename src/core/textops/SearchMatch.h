#pragma once
// Whether a cell matches the search text of the find and replace dialogs.
#include <string>
#include <string_view>

namespace tabulyst {

class Locale;

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// The test of one search step, prepared once for the whole walk through the
// table: the search text is upper-cased once, the cells are compared byte by
// byte through the case table without copying them.
class SearchMatcher {
public:
    SearchMatcher(std::string_view search, SearchOptions options, bool firstPlace, const Locale& locale);
    bool operator()(std::string_view cell) const;

private:
    bool occursAt(std::string_view cell, std::size_t pos) const;
    // The first occurrence at or after from, or npos.
    std::size_t find(std::string_view cell, std::size_t from) const;
    bool matchesWholeWord(std::string_view cell) const;

    std::string needle_;  // upper-cased unless case matters
    const unsigned char* upper_;
    bool fold_;
    bool wholeWord_;
    bool firstPlace_;
};

// Without match case both texts count in the locale's upper case. Whole word:
// the search text stands alone between blanks or the cell's ends (only the
// blank separates words; the first-place flag is then ignored). First place:
// the cell begins with the search text. Otherwise: it occurs anywhere. An
// empty search text or cell never matches.
bool MatchesSearch(std::string_view search, std::string_view cell, SearchOptions options, bool firstPlace,
                   const Locale& locale);

}  // namespace tabulyst
