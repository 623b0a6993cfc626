#pragma once
// The command "Trennzeichen oder Feldlänge zuweisen" with its two dialogs,
// which are created once and keep their contents between showings.
#include "core/files/FieldLengthDialog.h"
#include "core/files/LayoutDialog.h"
#include "core/files/LayoutSettings.h"

namespace tabulyst {

class MainForm;

class LayoutCommand {
public:
    // Reads the free-delimiter texts for the layout dialog; attaches
    // mnuMainSetDelimiter and ToolButton4.
    explicit LayoutCommand(MainForm& form);

    void chooseLayout();

    FieldLengthDialog fieldLengthDialog;
    LayoutDialog layoutDialog;

private:
    // Puts settings in force and stores them.
    void apply(LayoutSettings settings);

    MainForm& form_;
};

}  // namespace tabulyst
