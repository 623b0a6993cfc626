#include "core/text/ReplaceAll.h"

#include <limits>
#include <optional>
#include <type_traits>
#include <utility>

namespace tabulyst {

namespace {

struct Exact {
    bool eq(char a, char b) const { return a == b; }
};

// Compares the upper-case forms; the search text is stored upper-cased already.
struct Folded {
    const unsigned char* up;
    bool eq(char a, char upperB) const { return up[static_cast<unsigned char>(a)] == static_cast<unsigned char>(upperB); }
};

template <class Cmp>
bool matchesAt(std::string_view text, std::size_t pos, std::string_view search, Cmp cmp) {
    for (std::size_t k = 0; k < search.size(); ++k)
        if (!cmp.eq(text[pos + k], search[k])) return false;
    return true;
}

template <class Cmp>
std::size_t findFrom(std::string_view text, std::string_view search, std::size_t from, Cmp cmp) {
    if constexpr (std::is_same_v<Cmp, Exact>) {
        return text.find(search, from);
    } else {
        if (search.size() > text.size()) return std::string_view::npos;
        for (std::size_t pos = from; pos + search.size() <= text.size(); ++pos)
            if (matchesAt(text, pos, search, cmp)) return pos;
        return std::string_view::npos;
    }
}

// Every occurrence of the original text replaced once, left to right; what a
// replacement forms with its neighbours is not looked at again. This is what
// replacing through a marker that shares no character with the search text,
// the replacement or the text comes to, without needing such a marker.
template <class Cmp>
std::string replaceEachOnce(std::string_view search, std::string_view replacement, std::string_view text, Cmp cmp) {
    std::size_t pos = findFrom(text, search, 0, cmp);
    if (pos == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size() + replacement.size());
    std::size_t start = 0;
    while (pos != std::string_view::npos) {
        out.append(text.substr(start, pos - start));
        out.append(replacement);
        start = pos + search.size();
        pos = findFrom(text, search, start, cmp);
    }
    out.append(text.substr(start));
    return out;
}

template <class Cmp>
std::size_t countOccurrences(std::string_view search, std::string_view text, Cmp cmp) {
    std::size_t count = 0;
    for (std::size_t pos = findFrom(text, search, 0, cmp); pos != std::string_view::npos;
         pos = findFrom(text, search, pos + search.size(), cmp))
        ++count;
    return count;
}

// Replaces the first occurrence and searches again from the start, until none
// is left. The part before the first occurrence never holds one, so the text is
// built left to right: every character is appended to out, and when out ends
// with the search text that is the first occurrence; it is dropped and the
// replacement goes back to the front of the unread input. Nothing when the
// replacements would put back more bytes than the budget allows.
template <class Cmp>
std::optional<std::string> replaceRescanning(std::string_view search, std::string_view replacement,
                                             std::string_view text, Cmp cmp) {
    std::size_t first = findFrom(text, search, 0, cmp);
    if (first == std::string_view::npos) return std::string(text);
    // The common case stays within the first budget; counting the one-pass
    // occurrences for the full budget costs a pass of its own.
    std::size_t budget = replaceAllRescanBudget(text.size(), 0, replacement.size());
    bool fullBudget = false;
    std::size_t putBack = 0;
    const std::size_t m = search.size();
    const char last = search.back();
    std::string out(text.substr(0, first));
    out.reserve(text.size() + replacement.size());
    std::string pending;  // unread replacement characters, the next one at the back
    std::size_t next = first;
    for (;;) {
        char c;
        if (!pending.empty()) {
            c = pending.back();
            pending.pop_back();
        } else if (next < text.size()) {
            c = text[next++];
        } else {
            break;
        }
        out.push_back(c);
        if (cmp.eq(c, last) && out.size() >= m && matchesAt(out, out.size() - m, search, cmp)) {
            if (replacement.size() > budget - putBack) {
                if (fullBudget) return std::nullopt;
                fullBudget = true;
                budget = replaceAllRescanBudget(text.size(), countOccurrences(search, text, cmp), replacement.size());
                if (replacement.size() > budget - putBack) return std::nullopt;
            }
            putBack += replacement.size();
            out.resize(out.size() - m);
            pending.append(replacement.rbegin(), replacement.rend());
        }
    }
    return out;
}

template <class Cmp>
std::string replaceWith(std::string_view search, std::string_view replacement, std::string_view text,
                        bool replacementHoldsSearch, Cmp cmp) {
    // Rescanning would run forever when the replacement brings the search text back.
    if (replacementHoldsSearch) return replaceEachOnce(search, replacement, text, cmp);
    // Searching again can also go on without end (or grow the text without
    // bound) when replacements keep forming new occurrences with their
    // neighbours; past the limit every original occurrence is replaced once.
    if (auto result = replaceRescanning(search, replacement, text, cmp)) return std::move(*result);
    return replaceEachOnce(search, replacement, text, cmp);
}

}  // namespace

std::size_t replaceAllRescanBudget(std::size_t textSize, std::size_t onePassOccurrences,
                                   std::size_t replacementSize) {
    constexpr std::size_t kMax = std::numeric_limits<std::size_t>::max();
    const std::size_t rescans = textSize > kMax / 32 ? kMax / 2 : 16 * (textSize + 64);
    const std::size_t onePass =
        replacementSize != 0 && onePassOccurrences > kMax / 2 / replacementSize ? kMax / 2
                                                                                : onePassOccurrences * replacementSize;
    return rescans + onePass;
}

std::string ReplaceAll(std::string_view search, std::string_view replacement, std::string_view text,
                       bool caseSensitive, const Locale& locale) {
    if (search.empty()) return std::string(text);
    if (caseSensitive) {
        if (search == replacement) return std::string(text);
        bool holds = replacement.find(search) != std::string_view::npos;
        return replaceWith(search, replacement, text, holds, Exact{});
    }
    const std::string upperSearch = locale.upper(search);
    const std::string upperReplacement = locale.upper(replacement);
    bool holds = upperReplacement.find(upperSearch) != std::string::npos;
    return replaceWith(std::string_view(upperSearch), replacement, text, holds, Folded{Locale::upperTable()});
}

}  // namespace tabulyst
