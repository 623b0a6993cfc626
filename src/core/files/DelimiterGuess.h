#pragma once
// The delimiter a file seems to use, for a file that opened into a single
// column under the delimiter in force: a comma file opened with ";" says
// nothing by itself of why it shows one column.
#include <string>
#include <string_view>

namespace tabulyst {

// The first of ",", ";", tab and "|" that splits each of the first records
// (up to 100) of head, the start of the file, into the same number of two or
// more fields (quotes respected when quoted); empty when none does. A record
// cut by the end of a head shorter than the file is not counted.
std::string guessDelimiter(std::string_view head, bool quoted, bool wholeFile);

// The start of the file at path (64 KiB at most); wholeFile tells whether that is all of it.
std::string readFileHead(const std::string& path, bool& wholeFile);

}  // namespace tabulyst
