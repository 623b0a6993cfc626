#pragma once
// The temporary files a save leaves when it is killed midway, and how the next
// save of the same file finds and removes them. A save holds an exclusive lock
// on its temporary file from creation to rename, so a file of that naming that
// can be locked belongs to no running editor.
#include <cstddef>
#include <string>
#include <string_view>

namespace tabulyst {

// The random part of a temporary name: as many letters and digits as mkstemp makes.
inline constexpr std::size_t kTemporarySuffixLength = 6;

// Whether name is prefix followed by exactly the random part.
bool isTemporaryName(std::string_view name, std::string_view prefix);

// prefix with a fresh random part.
std::string randomTemporaryName(std::string_view prefix);

// Removes from folder ("" for the current one) every regular file named by
// prefix and a random part that no other open file holds locked; returns how
// many went. Symbolic links and other files are left alone.
std::size_t removeStaleTemporaryFiles(const std::string& folder, std::string_view prefix);

}  // namespace tabulyst
