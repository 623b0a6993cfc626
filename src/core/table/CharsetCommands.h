#pragma once
// The four conversions of all data cells in the "&Modifizieren" menu. "Ansi zu
// UTF-8" and "UTF-8 zu Ansi" change the table's encoding, its characters kept
// (the cells and the undo journal written over directly); in a Windows-1252
// table "UTF-8 zu Ansi" turns UTF-8 byte pairs of Latin-1 characters into
// their bytes. The OEM pair maps through code page 850, journaled per cell.

namespace tabulyst {

class StringGrid;
class EditJournal;
class TableDocument;
class Commands;
class Dialogs;
class StatusLine;
class BusyIndicator;
class Progress;

// Turns a Windows-1252 table into a UTF-8 table with byte-order mark whose
// characters stay what they are: every data cell and every text of the undo
// journal; the table is modified then. An edit under way in the current cell
// is journaled first and its editor stays open: what the editor adds from
// then on must be UTF-8. False, changing nothing, when the table is UTF-8 already.
bool convertTableToUtf8(TableDocument& document, BusyIndicator* busy, Progress* progress);

class CharsetCommands {
public:
    static constexpr const char* kAlreadyUtf8 = "Die Tabelle ist bereits UTF-8.";

    CharsetCommands(TableDocument& document, Commands& commands, Dialogs& dialogs, StatusLine& status,
                    BusyIndicator* busy, Progress* progress = nullptr);

    // The characters Windows-1252 has, through code page 850 and back; every
    // changed cell is one journal entry. A cell holding a zero byte keeps only
    // the text before it.
    void mnuMainOEMToCharClick();
    void mnuMainChartoOEMClick();

    // A UTF-8 table becomes Windows-1252; characters the code page lacks are
    // counted first and, if the user agrees, become "?". In a Windows-1252
    // table: a byte-order mark leaves cell (1, 1) and the file, UTF-8 byte
    // pairs of U+00A1..U+00FF become their bytes. Modified only when something changed.
    void mnuMainUTF8toAnsiClick();
    // convertTableToUtf8, or a word in the status line when the table is UTF-8 already.
    void mnuMainAnsiToUTF8Click();

private:
    void convertJournaled(const unsigned char* table);

    StringGrid& grid_;
    EditJournal& cells_;
    Dialogs& dialogs_;
    StatusLine& status_;
    BusyIndicator* busy_;
    Progress* progress_;
    TableDocument& document_;
};

}  // namespace tabulyst
