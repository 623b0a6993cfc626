#pragma once
// Files dragged from a file manager onto the main window.
#include <string>
#include <vector>

class QMimeData;

namespace tabulyst::ui {

// The local files a drag carries, in order, as UTF-8 paths; links of other
// schemes, folders and plain text are left out.
std::vector<std::string> droppedLocalFiles(const QMimeData* data);

}  // namespace tabulyst::ui
