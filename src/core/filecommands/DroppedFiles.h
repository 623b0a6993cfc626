#pragma once
// Files dropped on the main window open as a file chosen in the open dialog does.
#include <string>
#include <vector>

namespace tabulyst {

class TableFiles;

// Opens the first of the dropped files, asking first when the table is
// modified; the others are ignored, as is an empty drop. True when a file
// was opened.
bool openDroppedFiles(TableFiles& files, const std::vector<std::string>& paths);

}  // namespace tabulyst
