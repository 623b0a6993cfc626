#pragma once
// The New command: an empty table of the size entered in the new-table
// dialog, with numbered headers and no file name.
#include "core/table/ColsAndRowsDialog.h"

namespace tabulyst {

class Commands;
class CoreTimer;
class FixedHeaders;
class TableDocument;
struct Platform;

class NewTable {
public:
    NewTable(TableDocument& document, Commands& commands, const Platform& platform, FixedHeaders& fixedHeaders,
             CoreTimer& reloadTimer);

    // The dialog lives as long as the window, so it shows the last values again.
    ColsAndRowsDialog sizeDialog;

    void mnuNewClick();

private:
    TableDocument& document_;
    Commands& commands_;
    const Platform& platform_;
    FixedHeaders& fixedHeaders_;
    CoreTimer& reloadTimer_;
};

}  // namespace tabulyst
