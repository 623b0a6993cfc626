#pragma once
// The open and save dialogs of the table files. They start in the folder of the
// open table, else in the folder used last in this session (of a table shown
// or a file chosen), else in the current folder; never in the program's own
// folder, where its settings and macros live.
#include <optional>
#include <string>

namespace tabulyst {

class Dialogs;
class TableDocument;

class FileChooser {
public:
    // Follows the document's path.
    FileChooser(TableDocument& document, Dialogs& dialogs);

    // The open dialog; nothing when cancelled.
    std::optional<std::string> chooseOpenFile();
    // The save dialog, offering the open table's name; nothing when cancelled.
    std::optional<std::string> chooseSaveFile();
    // Where the next dialog starts.
    std::string startFolder() const;

private:
    std::optional<std::string> remember(std::optional<std::string> chosen);

    const TableDocument& document_;
    Dialogs& dialogs_;
    std::string lastFolder_;
};

}  // namespace tabulyst
