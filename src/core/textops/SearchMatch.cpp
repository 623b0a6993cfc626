#include "core/textops/SearchMatch.h"

#include "core/platform/Locale.h"
#include "core/text/CodePageText.h"

namespace tabulyst {

std::optional<std::string> typedTextInCells(std::string_view typed, text::TextEncoding encoding) {
    if (encoding == text::TextEncoding::Utf8) return std::string(typed);
    std::string converted;
    text::LackingCharacters lacking;
    text::windows1252FromUtf8(typed, converted, lacking);
    if (lacking.count > 0) return std::nullopt;
    return converted;
}

SearchMatcher::SearchMatcher(std::string_view search, SearchOptions options, bool firstPlace,
                             text::TextEncoding encoding, const Locale& locale)
    : firstPlace_(firstPlace) {
    if (const auto inCells = typedTextInCells(search, encoding))
        matcher_.emplace(*inCells, text::MatchOptions{options.matchCase, options.wholeWord}, encoding, locale);
}

bool MatchesSearch(std::string_view search, std::string_view cell, SearchOptions options, bool firstPlace,
                   const Locale& locale, text::TextEncoding encoding) {
    return SearchMatcher(search, options, firstPlace, encoding, locale)(cell);
}

}  // namespace tabulyst
