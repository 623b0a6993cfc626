#pragma once
// The delimiter notation: plain characters, and "#" with decimal digits for the
// character of that code ("#9" is a tab, "#72#105" is "Hi").
#include <string>
#include <string_view>

namespace tabulyst {

// The decoded delimiter, or one of the texts "ERROR - # without number found!",
// "ERROR - can not convert!", "ERROR - number must be a byte!". The digits after
// a "#" are the longest run that follows it; a decoded "#" is read again as the
// start of a code.
std::string DecodeDelimiter(std::string_view notation);

// True for the decoder's error texts (they begin with "ERROR - ").
bool IsDecodeError(std::string_view decoded);

}  // namespace tabulyst
