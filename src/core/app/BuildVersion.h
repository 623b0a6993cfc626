#pragma once
// The program's version as the build states it (the project version).
#include <string>

namespace tabulyst {

// Empty when the build gave none.
std::string BuildVersion();

}  // namespace tabulyst
