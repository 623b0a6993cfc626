#include "core/table/EditedCellHistory.h"

#include "core/window/Commands.h"
#include "core/base/ScopedFlag.h"
#include "core/grid/CellMoves.h"
#include "core/grid/StringGrid.h"
#include "core/document/EditJournal.h"

namespace tabulyst {

EditedCellHistory::EditedCellHistory(StringGrid& grid, EditJournal& cells, Commands& commands)
    : grid_(grid), cells_(cells), commands_(commands) {
    commands.on("mnuMainJumpBackLastChangedCell", [this] { mnuMainJumpBackLastChangedCellClick(); });
    commands.on("ToolButton15", [this] { mnuMainJumpBackLastChangedCellClick(); });
    commands.on("mnuMainJumpVorwardLastChangedCell", [this] { mnuMainJumpForwardLastChangedCellClick(); });
    commands.on("ToolButton16", [this] { mnuMainJumpForwardLastChangedCellClick(); });
}

// The buttons follow their menu items inside Commands.
void EditedCellHistory::setBackEnabled(bool enabled) { commands_.setEnabled("mnuMainJumpBackLastChangedCell", enabled); }
void EditedCellHistory::setForwardEnabled(bool enabled) {
    commands_.setEnabled("mnuMainJumpVorwardLastChangedCell", enabled);
}

bool EditedCellHistory::isCurrent(int pos) const {
    const JournalEntry& e = cells_.entry(pos);
    return e.col == grid_.col() && e.row == grid_.row();
}

bool EditedCellHistory::entryAfter(int pos) const { return !cells_.entry(EditJournal::advance(pos)).empty(); }

bool EditedCellHistory::stepToOlder(int& pos) const {
    const int older = EditJournal::stepBack(pos);
    if (cells_.entry(older).empty()) return false;
    pos = older;
    return true;
}

void EditedCellHistory::mnuMainJumpBackLastChangedCellClick() {
    int& pos = cells_.JumpPos;
    if (pos < 0 || cells_.entry(pos).col < 1) return;
    setForwardEnabled(entryAfter(pos));
    if (isCurrent(pos)) {
        setBackEnabled(false);
        if (stepToOlder(pos)) {
            mnuMainJumpBackLastChangedCellClick();
            return;
        }
        // Nothing older: the move below stays on the current cell.
    }
    // Leaving the cell may journal its pending edit, which moves JumpPos to
    // that new entry; the step back below then starts from there.
    const JournalEntry target = cells_.entry(pos);
    moveCurrentToward(grid_, target.col, target.row);
    setBackEnabled(stepToOlder(pos));
}

void EditedCellHistory::mnuMainJumpForwardLastChangedCellClick() {
    int& pos = cells_.JumpPos;
    if (pos < 0) return;
    ScopedFlag suspended(cells_.JournalSuspended);
    pos = EditJournal::advance(pos);
    if (cells_.entry(pos).empty()) {
        pos = EditJournal::stepBack(pos);
        setForwardEnabled(false);
        return;
    }
    setForwardEnabled(entryAfter(pos));
    if (isCurrent(pos)) {
        mnuMainJumpForwardLastChangedCellClick();
        return;
    }
    setBackEnabled(true);
    // Journaling is suspended: a pending edit of the cell left stays in it unrecorded.
    const JournalEntry target = cells_.entry(pos);
    moveCurrentToward(grid_, target.col, target.row);
}

}  // namespace tabulyst
