#pragma once
// The modified state and the undo journal: a ring of 1024 cell changes whose
// entry after the newest one is always empty (the end marker for Redo).
#include <array>
#include <string>
#include <string_view>

#include "core/base/Signal.h"

namespace tabulyst {

class StringGrid;
class Commands;
class Dialogs;

struct JournalEntry {
    std::string oldText;
    std::string newText;
    int col = -1;  // -1: empty entry
    int row = -1;
    bool empty() const { return col == -1; }
};

class EditJournal {
public:
    static constexpr int kJournalSize = 1024;

    EditJournal(StringGrid& grid, Commands& commands, Dialogs& dialogs);

    std::array<JournalEntry, kJournalSize> Journal;
    int JournalPos = -1;
    int JumpPos = -1;
    bool Modified = false;
    bool JournalSuspended = false;

    static int advance(int pos) { return pos + 1 > kJournalSize - 1 ? 0 : pos + 1; }
    static int stepBack(int pos) { return pos - 1 < 0 ? kJournalSize - 1 : pos - 1; }
    const JournalEntry& entry(int pos) const { return Journal[static_cast<std::size_t>(pos)]; }

    // The text the current cell had before the edit in it: leaving the cell
    // journals the change from it; Escape writes it back.
    const std::string& CurrentCellText() const { return currentCellText_; }
    // The cell's text when its editor opened while the table was unmodified:
    // the edit modifies the table once the text differs from it.
    const std::string& EditStartText() const { return editStartText_; }

    void SetModified(bool value);
    // Saved: unmodified, and an edit still open modifies again once it changes the text saved.
    void markSaved();
    // A table just opened or reloaded, or one without a file: unmodified, no edit started.
    void markUnmodified();
    // Cell (col, row), the current one or the one about to become current, was
    // written past the journal (a sort, a replacement, a bulk change, a copy):
    // its text is what an edit of it starts from, so leaving it journals nothing.
    void noteDirectWrite(int col, int row);
    void noteDirectWrite();
    // Journaled write of one cell; true when the text differed and an entry was recorded.
    bool ChangeCell(int col, int row, const std::string& text);
    // Empties the journal; the bookmarks go with it (they listen to cleared).
    void ClearJournal();
    Signal<> cleared;
    // The cell-leave step: journals a pending edit of the current cell, then
    // takes the target's text as CurrentCellText.
    void RecordPendingEdit(int targetCol, int targetRow);
    // Asks before work is thrown away; Enter keeps it.
    bool ConfirmDiscard(const std::string& message);

    void StrGridGetEditText(int col, int row);
    void StrGridSetEditText(int col, int row, const std::string& value);

    void mnuMainUndoClick();
    void mnuMainReUndoClick();

    // Writes CurrentCellText back into the current cell when they differ (Escape).
    void revertCurrentCell();
    bool hasPendingEdit() const;

private:
    void record(std::string_view oldText, std::string_view newText, int col, int row);
    void setUndoEnabled(bool enabled);
    void setRedoEnabled(bool enabled);
    void setJumpBackEnabled(bool enabled);
    void setJumpForwardEnabled(bool enabled);
    void undoStep();
    void moveToEntry(const JournalEntry& e);

    std::string currentCellText_;
    std::string editStartText_;
    StringGrid& grid_;
    Commands& commands_;
    Dialogs& dialogs_;
};

}  // namespace tabulyst
