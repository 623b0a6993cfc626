#include "core/table/FixedHeaders.h"

#include "core/window/Commands.h"
#include "core/base/ScopedFlag.h"
#include "core/grid/StringGrid.h"
#include "core/document/EditJournal.h"

namespace tabulyst {

FixedHeaders::FixedHeaders(StringGrid& grid, EditJournal& cells, Commands& commands) : grid_(grid), cells_(cells) {
    commands.on("mnuMainSetHeader", [this] { mnuMainSetHeaderClick(); });
    commands.on("mnuMainReleaseHeader", [this] { mnuMainReleaseHeaderClick(); });
    commands.on("mnuMainSetColHeader", [this] { mnuMainSetColHeaderClick(); });
    commands.on("mnuMainReleaseColHeader", [this] { mnuMainReleaseColHeaderClick(); });
    commands.on("mnuMainSetHeaderAndCols", [this] { mnuMainSetHeaderAndColsClick(); });
    commands.on("mnuMainUnSetHeaderAndCols", [this] { mnuMainUnSetHeaderAndColsClick(); });
}

// The current cell lies in a scrollable row and column, so fixing what lies
// before it leaves it scrollable. A grid of one row (column) has no room for a
// fixed one, and releasing leaves it as it is.
void FixedHeaders::setFixed(bool rows, bool beforeCurrent) {
    ScopedFlag suspended(cells_.JournalSuspended);
    const int x = grid_.col(), y = grid_.row();
    const int count = beforeCurrent ? (rows ? y : x) : 1;
    if (count < (rows ? grid_.rowCount() : grid_.colCount())) {
        if (rows) grid_.setFixedRows(count);
        else grid_.setFixedCols(count);
    }
    if (grid_.row() != y) grid_.setRow(y);
    if (grid_.col() != x) grid_.setCol(x);
}

void FixedHeaders::mnuMainSetHeaderClick() { setFixed(true, true); }
void FixedHeaders::mnuMainReleaseHeaderClick() { setFixed(true, false); }
void FixedHeaders::mnuMainSetColHeaderClick() { setFixed(false, true); }
void FixedHeaders::mnuMainReleaseColHeaderClick() { setFixed(false, false); }

void FixedHeaders::mnuMainSetHeaderAndColsClick() {
    mnuMainSetHeaderClick();
    mnuMainSetColHeaderClick();
}

void FixedHeaders::mnuMainUnSetHeaderAndColsClick() {
    mnuMainReleaseHeaderClick();
    mnuMainReleaseColHeaderClick();
}

}  // namespace tabulyst
