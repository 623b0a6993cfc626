#include "core/platform/ShellOpen.h"

#include <filesystem>
#include <system_error>

#include "core/platform/DesktopOpener.h"
#include "core/platform/Utf8Codec.h"

namespace tabulyst {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isSchemeChar(char c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'; }

// The opener's exit statuses: 2 a file named on its command line does not
// exist, 3 a tool it needs is missing, 4 the action failed (no application).
int resultOfExit(OpenerExit exit) {
    if (!exit.started) return shell::kOtherFailure;
    switch (exit.exitCode) {
    case 0: return shell::kOpened;
    case 2: return shell::kFileNotFound;
    case 3:
    case 4: return shell::kNoAssociation;
    default: return shell::kOtherFailure;
    }
}

}  // namespace

bool hasUriScheme(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !isLetter(text[0])) return false;
    for (std::size_t i = 1; i < colon; ++i)
        if (!isSchemeChar(text[i])) return false;
    return true;
}

void ShellOpen(DesktopOpener* opener, const std::string& text, std::function<void(int result)> done) {
    namespace fs = std::filesystem;
    // File names on this system are UTF-8, the cell holds Windows-1252.
    std::string target = utf8FromWindows1252(text);
    std::error_code error;
    const fs::path path(target);
    const bool exists = !target.empty() && fs::exists(path, error);
    if (!exists && !hasUriScheme(target)) {
        const fs::path folder = path.parent_path();
        const bool folderExists = folder.empty() || fs::is_directory(folder, error);
        done(folderExists ? shell::kFileNotFound : shell::kPathNotFound);
        return;
    }
    if (!opener) {
        done(shell::kOtherFailure);
        return;
    }
    // "./" keeps a relative name from passing for an option ("-x") or an address ("a:b").
    if (exists && target.front() != '/') target.insert(0, "./");
    opener->open(target, [done = std::move(done)](OpenerExit exit) { done(resultOfExit(exit)); });
}

}  // namespace tabulyst
