#pragma once
// The macro files in the settings folder: "Macro" + key number + ".MDE" for
// the function keys, MacroSCM.MDE for the temporary macro.
#include <string>

#include "core/files/SettingsLocation.h"
#include "core/macros/MacroBuffer.h"

namespace tabulyst {

// The number that selects the temporary macro.
constexpr int kTemporaryMacro = 9999;

std::string macroFilePath(const SettingsLocation& settings, int number);

bool macroFileExists(const std::string& path);

// Reads a whole macro file; a file that cannot be read or holds fewer than
// 4096 bytes gives an error text for the user and no buffer.
struct MacroFileContents {
    MacroBuffer buffer;
    std::string error;  // empty when read
};
MacroFileContents readMacroFile(const std::string& path);

// Creates or replaces the file with the buffer's 4096 bytes; an error text, empty on success.
std::string writeMacroFile(const std::string& path, const MacroBuffer& buffer);

}  // namespace tabulyst
