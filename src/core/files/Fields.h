#pragma once
// Splitting a line into fields at a delimiter and joining fields into a line.
// There is no quoting and no escaping; a delimiter of several characters is
// matched as a whole.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

// Clears out and fills it with views into line. A line with n delimiters gives
// n + 1 fields (an empty line gives one empty field); with an empty delimiter a
// line is one field and an empty line gives none. Only delimiters lying wholly
// inside the line split it, so joining the fields again gives the line back.
void splitFields(std::string_view line, std::string_view delimiter, std::vector<std::string_view>& out);

// The fields in order with the delimiter between neighbours and none after the last.
std::string joinFields(std::span<const std::string_view> fields, std::string_view delimiter);

}  // namespace tabulyst
