#pragma once
// The delimiter notation: plain characters, and "#" with decimal digits for the
// Windows-1252 character of that code ("#9" is a tab, "#72#105" is "Hi",
// "#128" the euro sign). The notation is UTF-8, as every text the user types.
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace tabulyst {

// The decoded delimiter in the bytes of a table in cells' encoding, or one of
// the texts "ERROR - # without number found!", "ERROR - can not convert!",
// "ERROR - number must be a byte!". The digits after a "#" are the longest
// run that follows it; a decoded "#" is read again as the start of a code. In
// a Windows-1252 table a character the code page lacks stays as its UTF-8
// bytes (no such table holds it, so it splits nothing there).
std::string DecodeDelimiter(std::string_view notation,
                            text::TextEncoding cells = text::TextEncoding::Windows1252);

// True for the decoder's error texts (they begin with "ERROR - ").
bool IsDecodeError(std::string_view decoded);

// A notation as a settings file holds it: UTF-8, or the Windows-1252 bytes
// older settings were written in.
std::string notationFromStorage(std::string_view stored);

}  // namespace tabulyst
