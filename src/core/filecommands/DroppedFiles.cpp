#include "core/filecommands/DroppedFiles.h"

#include "core/filecommands/TableFiles.h"

namespace tabulyst {

bool openDroppedFiles(TableFiles& files, const std::vector<std::string>& paths) {
    if (paths.empty()) return false;
    return files.openAfterAsking(paths.front());
}

}  // namespace tabulyst
