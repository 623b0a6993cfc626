#pragma once
// Cell text is Windows-1252; messages, file names and the desktop speak UTF-8.
#include <string>
#include <string_view>

namespace tabulyst {

// Every character to its UTF-8 form; the five unassigned codes become the C1
// controls of the same number.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace tabulyst
