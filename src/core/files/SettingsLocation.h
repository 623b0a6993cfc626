#pragma once
// Where the settings files live: beside the executable when its folder is
// writable, otherwise in the per-user configuration folder. Decided once at
// start, so every settings file is read from where it is written.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tabulyst {

struct SettingsLocation {
    std::string folder;         // with trailing '/'
    std::string configFile;     // the INI configuration file
    std::string delimiterFile;  // the raw current delimiter
    bool besideExecutable = true;

    // A file of this name in the settings folder (the macro files).
    std::string file(std::string_view name) const { return folder + std::string(name); }

    using Environment = std::function<std::optional<std::string>(const std::string&)>;
    using WritableCheck = std::function<bool(const std::string& folder)>;
    // environment and writable default to the process environment and access(2).
    static SettingsLocation decide(const std::string& executablePath, const Environment& environment = {},
                                   const WritableCheck& writable = {});
};

// The executable's path with the text after the last '.' of its file name
// replaced by extension, or "." + extension appended when it has none.
std::string replaceExtension(const std::string& path, std::string_view extension);

// Writes the whole file through a temporary sibling and a rename, creating a
// missing folder first, so an interrupted write never leaves half a file.
// Returns an error text for the user, empty on success.
std::string writeSettingsFile(const std::string& path, std::string_view bytes);

}  // namespace tabulyst
