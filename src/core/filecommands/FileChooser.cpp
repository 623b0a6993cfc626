#include "core/filecommands/FileChooser.h"

#include <filesystem>
#include <system_error>

#include "core/document/TableDocument.h"
#include "core/platform/Dialogs.h"

namespace tabulyst {

namespace {
std::string folderOf(const std::string& path) {
    std::error_code error;
    return std::filesystem::absolute(path, error).parent_path().string();
}
}  // namespace

FileChooser::FileChooser(TableDocument& document, Dialogs& dialogs) : document_(document), dialogs_(dialogs) {
    document.pathChanged.connect([this] {
        if (!document_.path().empty()) lastFolder_ = folderOf(document_.path());
    });
}

std::optional<std::string> FileChooser::chooseOpenFile() {
    return remember(dialogs_.chooseOpenFile(startFolder()));
}

std::optional<std::string> FileChooser::chooseSaveFile() {
    return remember(dialogs_.chooseSaveFile(startFolder(), document_.path()));
}

std::string FileChooser::startFolder() const {
    if (!document_.path().empty()) return folderOf(document_.path());
    if (!lastFolder_.empty()) return lastFolder_;
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

std::optional<std::string> FileChooser::remember(std::optional<std::string> chosen) {
    if (chosen) lastFolder_ = folderOf(*chosen);
    return chosen;
}

}  // namespace tabulyst
