#include "core/textops/SearchMatch.h"

#include "core/platform/Locale.h"

namespace tabulyst {

SearchMatcher::SearchMatcher(std::string_view search, SearchOptions options, bool firstPlace, const Locale& locale)
    : needle_(options.matchCase ? std::string(search) : locale.upper(search)),
      upper_(locale.upperTable()),
      fold_(!options.matchCase),
      wholeWord_(options.wholeWord),
      firstPlace_(firstPlace) {}

bool SearchMatcher::occursAt(std::string_view cell, std::size_t pos) const {
    if (pos > cell.size() || cell.size() - pos < needle_.size()) return false;
    if (!fold_) return cell.compare(pos, needle_.size(), needle_) == 0;
    const unsigned char* up = upper_;
    for (std::size_t k = 0; k < needle_.size(); ++k)
        if (up[static_cast<unsigned char>(cell[pos + k])] != static_cast<unsigned char>(needle_[k])) return false;
    return true;
}

std::size_t SearchMatcher::find(std::string_view cell, std::size_t from) const {
    if (!fold_) return cell.find(needle_, from);
    if (cell.size() < needle_.size()) return std::string_view::npos;
    const unsigned char* up = upper_;
    const auto first = static_cast<unsigned char>(needle_[0]);
    const std::size_t last = cell.size() - needle_.size();
    for (std::size_t pos = from; pos <= last; ++pos)
        if (up[static_cast<unsigned char>(cell[pos])] == first && occursAt(cell, pos)) return pos;
    return std::string_view::npos;
}

bool SearchMatcher::matchesWholeWord(std::string_view cell) const {
    const std::size_t n = needle_.size();
    std::size_t pos = find(cell, 0);
    if (pos == std::string_view::npos) return false;
    if (cell.size() == n) return true;
    const std::size_t end = cell.size() - n;
    if (cell[end - 1] == ' ' && occursAt(cell, end)) return true;      // ends with blank + text
    if (cell[n] == ' ' && occursAt(cell, 0)) return true;              // begins with text + blank
    for (; pos != std::string_view::npos; pos = find(cell, pos + 1))  // blank + text + blank inside
        if (pos > 0 && pos < end && cell[pos - 1] == ' ' && cell[pos + n] == ' ') return true;
    return false;
}

bool SearchMatcher::operator()(std::string_view cell) const {
    if (needle_.empty() || cell.empty()) return false;
    if (wholeWord_) return matchesWholeWord(cell);
    if (firstPlace_) return occursAt(cell, 0);
    return find(cell, 0) != std::string_view::npos;
}

bool MatchesSearch(std::string_view search, std::string_view cell, SearchOptions options, bool firstPlace,
                   const Locale& locale) {
    return SearchMatcher(search, options, firstPlace, locale)(cell);
}

}  // namespace tabulyst
