#include "core/filecommands/FileChooser.h"

#include <filesystem>
#include <system_error>

#include "core/app/MainForm.h"

namespace tabulyst {

namespace {
std::string folderOf(const std::string& path) {
    std::error_code error;
    return std::filesystem::absolute(path, error).parent_path().string();
}
}  // namespace

FileChooser::FileChooser(MainForm& form) : form_(form) {
    form_.titleChanged.connect([this] {
        if (!form_.title().empty()) lastFolder_ = folderOf(form_.title());
    });
}

std::optional<std::string> FileChooser::chooseOpenFile() {
    return remember(form_.platform.dialogs->chooseOpenFile(startFolder()));
}

std::optional<std::string> FileChooser::chooseSaveFile() {
    return remember(form_.platform.dialogs->chooseSaveFile(startFolder(), form_.title()));
}

std::string FileChooser::startFolder() const {
    if (!form_.title().empty()) return folderOf(form_.title());
    if (!lastFolder_.empty()) return lastFolder_;
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

std::optional<std::string> FileChooser::remember(std::optional<std::string> chosen) {
    if (chosen) lastFolder_ = folderOf(*chosen);
    return chosen;
}

}  // namespace tabulyst
