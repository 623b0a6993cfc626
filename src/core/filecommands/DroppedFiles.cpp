#include "core/filecommands/DroppedFiles.h"

#include "core/app/MainForm.h"

namespace tabulyst {

bool openDroppedFiles(MainForm& form, const std::vector<std::string>& paths) {
    if (paths.empty()) return false;
    if (form.cells.Modified && !form.cells.ConfirmDiscard("Änderungen verwerfen und neue Datei laden?")) return false;
    return form.files.OpenTableFile(paths.front());
}

}  // namespace tabulyst
