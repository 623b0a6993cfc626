#include "core/files/SettingsLocation.h"

#include "core/base/AppId.h"
#include "core/files/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tabulyst {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

bool folderWritable(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// An installed copy has its desktop entry at ../share/applications beside its
// bin folder. It keeps settings per user even where it could write into that
// folder (run as root), so a system folder never collects settings files.
bool installedCopy(const std::string& exeFolder) {
    std::error_code error;
    return fs::is_regular_file(fs::path(exeFolder) / ".." / "share" / "applications" / (std::string(kAppId) + ".desktop"),
                               error);
}

}  // namespace

std::string replaceExtension(const std::string& path, std::string_view extension) {
    auto slash = path.find_last_of('/');
    auto nameStart = slash == std::string::npos ? 0 : slash + 1;
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) return path + "." + std::string(extension);
    return path.substr(0, dot + 1) + std::string(extension);
}

SettingsLocation SettingsLocation::decide(const std::string& executablePath, const Environment& environment,
                                          const WritableCheck& writable) {
    const Environment& env = environment ? environment : Environment(processEnvironment);
    const WritableCheck& canWrite = writable ? writable : WritableCheck(folderWritable);

    auto slash = executablePath.find_last_of('/');
    std::string exeFolder = slash == std::string::npos ? std::string("./") : executablePath.substr(0, slash + 1);
    std::string exeName = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    if (exeName.empty()) exeName = "tabulyst";

    SettingsLocation location;
    if (!installedCopy(exeFolder) && canWrite(exeFolder)) {
        location.folder = exeFolder;
    } else {
        location.besideExecutable = false;
        // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
        auto xdg = env("XDG_CONFIG_HOME");
        auto home = env("HOME");
        if (xdg && !xdg->empty() && xdg->front() == '/')
            location.folder = withSlash(*xdg) + "tabulyst/";
        else if (home && !home->empty())
            location.folder = withSlash(*home) + ".config/tabulyst/";
        else
            location.folder = exeFolder;  // nowhere better; writes report their failure
    }
    location.configFile = replaceExtension(location.folder + exeName, "CFG");
    location.delimiterFile = replaceExtension(location.folder + exeName, "INI");
    return location;
}

std::string writeSettingsFile(const std::string& path, std::string_view bytes) {
    SafeFileWriter out(path);
    if (!out.open() || !out.write(bytes) || !out.commit()) return out.error();
    return {};
}

}  // namespace tabulyst
