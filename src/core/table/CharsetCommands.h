#pragma once
// The four conversions of all data cells in the "&Modifizieren" menu: OEM and
// Ansi both ways, journaled per cell, and UTF-8 and Ansi both ways, written
// directly (loading and saving run these two on their own as well).
#include "core/base/Signal.h"

namespace tabulyst {

class StringGrid;
class CellStore;
class Commands;
class BusyIndicator;

class CharsetCommands {
public:
    // utf8File: the main form's flag that the loaded file began with a byte-order mark.
    CharsetCommands(StringGrid& grid, CellStore& cells, Commands& commands, BusyIndicator* busy, bool& utf8File);

    // Code page 850 to Windows-1252 and back; every changed cell is one journal
    // entry. A cell holding a zero byte keeps only the text before it.
    void mnuMainOEMToCharClick();
    void mnuMainChartoOEMClick();

    // byUser: true when the user chose the menu item, which clears Utf8File;
    // false when loading or saving converts the table, which leaves Utf8File
    // alone (they set and clear it themselves).
    //
    // Removes a byte-order mark from cell (1, 1) and converts every data cell;
    // sets the modified state only when something changed.
    void mnuMainUTF8toAnsiClick(bool byUser);
    // Converts every data cell and puts a byte-order mark in front of cell
    // (1, 1) (even when it has one already); always sets the modified state.
    void mnuMainAnsiToUTF8Click(bool byUser);

    // The user ran one of the two UTF-8 commands (after Utf8File was cleared).
    Signal<> userConverted;

private:
    void convertJournaled(const unsigned char* table);
    void userDone();

    StringGrid& grid_;
    CellStore& cells_;
    BusyIndicator* busy_;
    bool& utf8File_;
};

}  // namespace tabulyst
