#pragma once
// The open and save dialogs of the table files. They start in the folder of the
// open table, else in the folder used last in this session (of a table shown
// or a file chosen), else in the current folder; never in the program's own
// folder, where its settings and macros live.
#include <optional>
#include <string>

namespace tabulyst {

class MainForm;

class FileChooser {
public:
    // Follows the form's title, so the form's signals must exist already.
    explicit FileChooser(MainForm& form);

    // The open dialog; nothing when cancelled.
    std::optional<std::string> chooseOpenFile();
    // The save dialog, offering the open table's name; nothing when cancelled.
    std::optional<std::string> chooseSaveFile();
    // Where the next dialog starts.
    std::string startFolder() const;

private:
    std::optional<std::string> remember(std::optional<std::string> chosen);

    MainForm& form_;
    std::string lastFolder_;
};

}  // namespace tabulyst
