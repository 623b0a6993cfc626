#pragma once
// Alphabetical order of UTF-8 texts as a German reader expects it: case
// ignored, and a letter with umlaut or accent beside its plain letter
// (Änderung before Zeit, Łukasz before Oskar), where the bytes alone would put
// it after Z.
#include <string>
#include <vector>

namespace tabulyst {

// Sorts texts in that order; texts that compare equal keep their order.
void sortGerman(std::vector<std::string>& texts);

}  // namespace tabulyst
