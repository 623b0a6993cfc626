#pragma once
// The New command: an empty table of the size entered in the new-table
// dialog, with numbered headers and no file name.
#include "core/table/ColsAndRowsDialog.h"

namespace tabulyst {

class MainForm;

class NewTable {
public:
    explicit NewTable(MainForm& form);

    // The dialog lives as long as the window, so it shows the last values again.
    ColsAndRowsDialog sizeDialog;

    void mnuNewClick();

private:
    MainForm& form_;
};

}  // namespace tabulyst
