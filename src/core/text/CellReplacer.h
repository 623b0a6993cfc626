#pragma once
// Replacing every occurrence of a search text in one cell, as ReplaceAll does
// it (searched again from the start after each replacement, unless the
// replacement holds the search text, and bounded the same way), in either
// encoding. In UTF-8 text without match case the occurrences are those of
// TextMatcher, whole characters compared in their folded form. Prepared once
// per search.
#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextEncoding.h"
#include "core/text/TextMatcher.h"

namespace tabulyst {
class Locale;
}

namespace tabulyst::text {

class CellReplacer {
public:
    CellReplacer(std::string_view search, std::string_view replacement, bool matchCase, TextEncoding encoding,
                 const Locale& locale);

    std::string operator()(std::string_view text) const;

private:
    std::string eachOnce(std::string_view text) const;
    std::string rescanning(std::string_view text) const;
    std::size_t endingMatch(const std::string& out, const std::vector<std::size_t>& starts) const;

    std::string search_, replacement_;
    bool matchCase_;
    TextEncoding encoding_;
    const Locale& locale_;
    TextMatcher matcher_;
    std::string needle_;  // the search text folded, or as it is with match case
    bool holds_;          // the replacement holds an occurrence: each one is replaced once
    bool bytewise_;       // ReplaceAll's own comparison is that of characters
};

}  // namespace tabulyst::text
