#include "core/document/EditJournal.h"

#include "core/window/Commands.h"
#include "core/base/ScopedFlag.h"
#include "core/grid/CellMoves.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Dialogs.h"

namespace tabulyst {

EditJournal::EditJournal(StringGrid& grid, Commands& commands, Dialogs& dialogs)
    : grid_(grid), commands_(commands), dialogs_(dialogs) {}

// The buttons follow their menu items inside Commands.
void EditJournal::setUndoEnabled(bool enabled) { commands_.setEnabled("mnuMainUndo", enabled); }
void EditJournal::setRedoEnabled(bool enabled) { commands_.setEnabled("mnuMainReUndo", enabled); }
void EditJournal::setJumpBackEnabled(bool enabled) { commands_.setEnabled("mnuMainJumpBackLastChangedCell", enabled); }
void EditJournal::setJumpForwardEnabled(bool enabled) {
    commands_.setEnabled("mnuMainJumpVorwardLastChangedCell", enabled);
}

void EditJournal::SetModified(bool value) {
    Modified = value;
    commands_.setEnabled("mnuMainSave", value);
}

void EditJournal::markSaved() {
    editStartText_ = grid_.cellText(grid_.col(), grid_.row());
    SetModified(false);
}

void EditJournal::markUnmodified() {
    editStartText_.clear();
    SetModified(false);
}

void EditJournal::noteDirectWrite(int col, int row) { currentCellText_ = grid_.cellText(col, row); }
void EditJournal::noteDirectWrite() { noteDirectWrite(grid_.col(), grid_.row()); }

// The texts are copied into the ring's strings, whose buffers are reused:
// a long run of changes allocates nothing once the ring has gone round.
void EditJournal::record(std::string_view oldText, std::string_view newText, int col, int row) {
    JournalPos = advance(JournalPos);
    auto& e = Journal[static_cast<std::size_t>(JournalPos)];
    e.oldText.assign(oldText);
    e.newText.assign(newText);
    e.col = col;
    e.row = row;
    int marker = advance(JournalPos);
    auto& m = Journal[static_cast<std::size_t>(marker)];
    m.oldText.clear();  // its new text is left as it was
    m.col = -1;
    m.row = -1;
}

bool EditJournal::ChangeCell(int col, int row, const std::string& text) {
    if (col >= grid_.colCount() || row >= grid_.rowCount() || col < 0 || row < 0) return false;
    // Text typed into the current cell and not yet journaled would otherwise be
    // taken as the cell's remembered text below and could never be undone.
    if (!JournalSuspended && hasPendingEdit()) RecordPendingEdit(grid_.col(), grid_.row());
    bool changed = false;
    std::string_view current = grid_.cell(col, row);
    if (current != text) {
        changed = true;
        setUndoEnabled(true);
        record(current, text, col, row);
    }
    grid_.setCell(col, row, text);
    currentCellText_.assign(grid_.cell(grid_.col(), grid_.row()));
    JumpPos = JournalPos;
    return changed;
}

void EditJournal::ClearJournal() {
    {
        ScopedFlag guard(JournalSuspended);
        for (auto& e : Journal) e = JournalEntry{};
        JournalPos = -1;
        JumpPos = -1;
        currentCellText_ = grid_.cellText(grid_.col(), grid_.row());
    }
    cleared();
    setUndoEnabled(false);
    setRedoEnabled(false);
    setJumpBackEnabled(false);
    setJumpForwardEnabled(false);
}

bool EditJournal::hasPendingEdit() const { return currentCellText_ != grid_.cell(grid_.col(), grid_.row()); }

void EditJournal::RecordPendingEdit(int targetCol, int targetRow) {
    if (hasPendingEdit() && !JournalSuspended) {
        setUndoEnabled(true);
        record(currentCellText_, grid_.cell(grid_.col(), grid_.row()), grid_.col(), grid_.row());
        setJumpBackEnabled(true);
        setJumpForwardEnabled(false);
        JumpPos = JournalPos;
    } else if (JumpPos >= 0 && !entry(JumpPos).empty() &&
               !(entry(JumpPos).col == targetCol && entry(JumpPos).row == targetRow)) {
        setJumpBackEnabled(true);
    }
    currentCellText_ = grid_.cellText(targetCol, targetRow);
}

bool EditJournal::ConfirmDiscard(const std::string& message) { return dialogs_.confirm(message, DefaultAnswer::No); }

void EditJournal::StrGridGetEditText(int col, int row) {
    if (!Modified) editStartText_ = grid_.cellText(col, row);
}

void EditJournal::StrGridSetEditText(int, int, const std::string& value) {
    if (value != editStartText_ && !Modified) {
        SetModified(true);
        setUndoEnabled(true);
    } else if (currentCellText_ != value) {
        setUndoEnabled(true);
    }
}

// Makes the entry's cell current as far as the grid allows: a cell that has
// since become fixed or hidden is still written, from the cell reached.
void EditJournal::moveToEntry(const JournalEntry& e) { moveCurrentToward(grid_, e.col, e.row); }

void EditJournal::undoStep() {
    if (hasPendingEdit()) {
        RecordPendingEdit(grid_.col(), grid_.row());
        undoStep();
        return;
    }
    if (JournalPos < 0 || entry(JournalPos).col < 1) return;
    ScopedFlag guard(JournalSuspended);
    SetModified(true);
    const JournalEntry e = entry(JournalPos);
    moveToEntry(e);
    grid_.setCell(e.col, e.row, e.oldText);  // the entry's cell, even if a move was redirected
    currentCellText_ = grid_.cellText(grid_.col(), grid_.row());
    JournalPos = stepBack(JournalPos);
    if (entry(JournalPos).empty()) setUndoEnabled(false);
    setRedoEnabled(true);
}

void EditJournal::mnuMainUndoClick() {
    struct AtEnd {
        EditJournal& s;
        ~AtEnd() {
            if (s.JournalPos >= 0 && !s.entry(s.JournalPos).empty()) s.JumpPos = s.JournalPos;
            else s.setJumpBackEnabled(false);
        }
    } atEnd{*this};
    undoStep();
}

void EditJournal::revertCurrentCell() {
    if (hasPendingEdit()) grid_.setCell(grid_.col(), grid_.row(), currentCellText_);
}

void EditJournal::mnuMainReUndoClick() {
    struct AtEnd {
        EditJournal& s;
        ~AtEnd() {
            if (s.JournalPos >= 0 && !s.entry(s.JournalPos).empty()) s.JumpPos = s.JournalPos;
        }
    } atEnd{*this};
    if (hasPendingEdit()) {
        grid_.setCell(grid_.col(), grid_.row(), currentCellText_);
        if (JournalPos < 0 || entry(JournalPos).empty()) {
            setUndoEnabled(false);
            setRedoEnabled(false);
        }
        SetModified(true);
        return;
    }
    if (JournalPos < 0) return;
    ScopedFlag guard(JournalSuspended);
    SetModified(true);
    JournalPos = advance(JournalPos);
    if (entry(JournalPos).empty()) {
        JournalPos = stepBack(JournalPos);
        setRedoEnabled(false);
        return;
    }
    const JournalEntry e = entry(JournalPos);
    moveToEntry(e);
    grid_.setCell(e.col, e.row, e.newText);
    currentCellText_ = grid_.cellText(grid_.col(), grid_.row());
    if (entry(advance(JournalPos)).empty()) setRedoEnabled(false);
    setUndoEnabled(true);
}

}  // namespace tabulyst
