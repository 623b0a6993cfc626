#pragma once
// The one reading of a field length, wherever a length text is used: the
// settings at start, the field-length dialog, opening, saving and pasting. A
// text that one of them took and another refused would make a table
// unopenable that the settings accepted.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

// A whole number from 0 up in decimal, with an optional sign and leading
// zeros, filling the whole text and fitting into int ("+3", "007" and "-0" are
// lengths, " 3", "-1", "+-3", "3a" and "" are not).
std::optional<int> parseFieldLength(std::string_view text);

// The lengths of a list; the first text that is no length stops it and is
// named in badText (empty when every text was a length).
std::vector<int> parseFieldLengths(const std::vector<std::string>& texts, std::string& badText);

}  // namespace tabulyst
