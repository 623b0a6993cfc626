#pragma once
// The command "Trennzeichen oder Feldlänge zuweisen" with its two dialogs,
// which are created once and keep their contents between showings.
#include "core/files/FieldLengthDialog.h"
#include "core/files/LayoutDialog.h"

namespace tabulyst {

class MainForm;

class LayoutCommand {
public:
    // Reads the free-delimiter texts for the layout dialog; attaches
    // mnuMainSetDelimiter and ToolButton4.
    explicit LayoutCommand(MainForm& form);

    void ToolButton4Click();

    FieldLengthDialog Form5;
    LayoutDialog Form2;

private:
    MainForm& form_;
};

}  // namespace tabulyst
