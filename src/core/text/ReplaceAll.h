#pragma once
// Replacing every occurrence of a text, the rewriting step many commands share.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/platform/Locale.h"

namespace tabulyst {

// Replaces every occurrence of search in text by replacement. caseSensitive
// compares bytes exactly; otherwise both sides are compared in the locale's
// upper case. When the replacement does not contain the search text, the text is
// searched again from the start after every replacement, so a replacement that
// forms a new occurrence with its neighbours is replaced too ("ab" by "a" in
// "abb" gives "a"). When it does contain it (or equals it apart from case), every
// occurrence of the original text is replaced once, from left to right. An empty
// search text leaves the text as it is.
//
// Searching again can go on forever ("ab" by "bbaaa" in "aaabbaa") or grow the
// text explosively. The work is bounded by the bytes the replacements put back
// in front of the unread text: once they would pass replaceAllRescanBudget (for
// the text's size, the number of occurrences replacing each original one once
// finds, and the replacement's size), the result is that of replacing every
// original occurrence once instead. So a call costs time in proportion to the
// text and the result, never to their product.
std::string ReplaceAll(std::string_view search, std::string_view replacement, std::string_view text,
                       bool caseSensitive, const Locale& locale);

// One pass's worth of replacements plus 16 bytes per text byte (and 1 KiB) for
// the occurrences that replacements form with their neighbours.
std::size_t replaceAllRescanBudget(std::size_t textSize, std::size_t onePassOccurrences,
                                   std::size_t replacementSize);

}  // namespace tabulyst
