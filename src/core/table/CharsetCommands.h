#pragma once
// The four conversions of all data cells in the "&Modifizieren" menu: OEM and
// Ansi both ways, journaled per cell, and UTF-8 and Ansi both ways, written
// directly (loading and saving run these two on their own as well).
namespace tabulyst {

class StringGrid;
class EditJournal;
class TableDocument;
class Commands;
class BusyIndicator;

class CharsetCommands {
public:
    CharsetCommands(TableDocument& document, Commands& commands, BusyIndicator* busy);

    // Code page 850 to Windows-1252 and back; every changed cell is one journal
    // entry. A cell holding a zero byte keeps only the text before it.
    void mnuMainOEMToCharClick();
    void mnuMainChartoOEMClick();

    // byUser: true when the user chose the menu item, who then takes charge
    // of the bytes: saves write the cells as they are, as plain Windows-1252.
    // False when loading or saving converts the table, which leaves the
    // document's encoding alone.
    //
    // Removes a byte-order mark from cell (1, 1) and converts every data cell;
    // sets the modified state only when something changed.
    void mnuMainUTF8toAnsiClick(bool byUser);
    // Converts every data cell and puts a byte-order mark in front of cell
    // (1, 1) (even when it has one already); always sets the modified state.
    void mnuMainAnsiToUTF8Click(bool byUser);

private:
    void convertJournaled(const unsigned char* table);
    void userDone();

    StringGrid& grid_;
    EditJournal& cells_;
    BusyIndicator* busy_;
    TableDocument& document_;
};

}  // namespace tabulyst
