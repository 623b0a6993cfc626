#pragma once
// The command "Trennzeichen oder Feldlänge zuweisen" with its two dialogs,
// which are created once and keep their contents between showings.
#include "core/files/FieldLengthDialog.h"
#include "core/files/LayoutDialog.h"
#include "core/files/LayoutSettings.h"

namespace tabulyst {

class Commands;
class ConfigFile;
class Dialogs;
class TableDocument;
class TableFiles;
struct SettingsLocation;

class LayoutCommand {
public:
    // Reads the free-delimiter texts for the layout dialog; attaches
    // mnuMainSetDelimiter and ToolButton4.
    LayoutCommand(TableDocument& document, Commands& commands, Dialogs& dialogs, ConfigFile& config,
                  const SettingsLocation& settings, TableFiles& files);

    void chooseLayout();
    // Offers the delimiter a file just opened into one column seems to use
    // and, when the user takes it, puts it in force as the dialog would.
    void offerDelimiter(const std::string& delimiter);

    FieldLengthDialog fieldLengthDialog;
    LayoutDialog layoutDialog;

private:
    // Puts settings in force and stores them.
    void apply(LayoutSettings settings);
    // Puts chosen in force and cuts the file again with it; before stays in
    // force when that fails. keepWidths: whether the columns keep their widths.
    void switchTo(LayoutSettings chosen, LayoutSettings before, bool keepWidths = true);

    TableDocument& document_;
    Dialogs& dialogs_;
    ConfigFile& config_;
    const SettingsLocation& settings_;
    TableFiles& files_;
};

}  // namespace tabulyst
