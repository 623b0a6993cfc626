#include "core/table/StructureEdits.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <string_view>
#include <vector>

#include "core/window/Commands.h"
#include "core/base/ScopedFlag.h"
#include "core/grid/GridUpdateScope.h"
#include "core/grid/StringGrid.h"
#include "core/document/SortState.h"
#include "core/platform/Platform.h"
#include "core/document/EditJournal.h"

namespace tabulyst {

namespace {

// Decimal text of an index without a heap allocation per header cell.
class IndexText {
public:
    std::string_view operator()(int value) {
        auto result = std::to_chars(buffer_.data(), buffer_.data() + buffer_.size(), value);
        return {buffer_.data(), static_cast<std::size_t>(result.ptr - buffer_.data())};
    }

private:
    std::array<char, 16> buffer_{};
};

// Runs work, then closing, also when work throws (the error goes on to the caller).
template <typename Work, typename Closing>
void withClosing(Work&& work, Closing&& closing) {
    try {
        work();
    } catch (...) {
        closing();
        throw;
    }
    closing();
}

}  // namespace

StructureEdits::StructureEdits(StringGrid& grid, EditJournal& cells, Commands& commands, SortState& sort,
                               BusyIndicator* busy)
    : grid_(grid), cells_(cells), sort_(sort), busy_(busy) {
    commands.on("mnuMainInsertColBevore", [this] { mnuMainInsertColBevoreClick(); });
    commands.on("mnuMainInsertColAfter", [this] { mnuMainInsertColAfterClick(); });
    commands.on("mnuMainDeleteCol", [this] { mnuMainDeleteColClick(); });
    commands.on("mnuMainInsertRowBevore", [this] { mnuMainInsertRowBevoreClick(); });
    commands.on("mnuMainInsertRowAfter", [this] { mnuMainInsertRowAfterClick(); });
    commands.on("mnuMainDeleteRow", [this] { mnuMainDeleteRowClick(); });
    commands.on("mnuMainDublicateRow", [this] { mnuMainDublicateRowClick(); });
}

// --- frames ---

// Inserts ask only once something was journaled, deletions always; deletions
// also repaint the whole grid at the end.
template <typename Work>
void StructureEdits::editFrame(Kind kind, const char* question, Work work) {
    const bool ask = kind == Kind::Delete || cells_.JournalPos >= 0;
    if (ask && !cells_.ConfirmDiscard(question)) return;
    BusyCursor busy(busy_);
    // An open editor would go on writing into whatever cell moved under it.
    grid_.closeEditor();
    grid_.beginUpdate();
    withClosing(work, [this, kind] {
        cells_.ClearJournal();
        cells_.SetModified(true);
        grid_.endUpdate();
        if (kind == Kind::Delete) grid_.repaint();
    });
}

// --- helpers ---

void StructureEdits::moveCurrentCol(int col) {
    try {
        grid_.setCol(col);
    } catch (const GridError&) {
    }
}

void StructureEdits::moveCurrentRow(int row) {
    try {
        grid_.setRow(row);
    } catch (const GridError&) {
    }
}

void StructureEdits::renumberHeaderRow(int first) {
    const int count = grid_.colCount();
    if (first >= count) return;
    // The cells before first stay: views into the old row, which lives until the new one is made.
    std::vector<std::string_view> kept;
    kept.reserve(static_cast<std::size_t>(std::max(first, 0)));
    for (int c = 0; c < first; ++c) kept.push_back(grid_.cell(c, 0));
    grid_.setRowCells(0, RowCells::numbered(kept, static_cast<std::uint32_t>(count)));
}

void StructureEdits::renumberHeaderColumn(int first, int last) {
    IndexText text;
    for (int r = std::max(first, 0); r <= last && r < grid_.rowCount(); ++r) grid_.setCell(0, r, text(r));
}

void StructureEdits::shiftColumnLeft(int col) {
    const int count = grid_.colCount();
    if (col < 0 || col >= count) return;
    grid_.shiftCellsLeft(col);
    for (int c = col; c < count - 1; ++c) grid_.setColWidth(c, grid_.colWidth(c + 1));
    grid_.setColWidth(count - 1, grid_.defaultColWidth());
}

void StructureEdits::removeColumns(int first, int count) {
    const int oldCount = grid_.colCount();
    if (count <= 0 || first < 0 || first + count > oldCount) return;
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(oldCount));
    for (int c = 0; c < oldCount; ++c)
        if (c < first || c >= first + count) widths.push_back(grid_.colWidth(c));
    // One layout change for the whole edit: each would lay out every column again.
    GridUpdateScope update(grid_);
    grid_.shiftCellsLeft(first, count);
    // Lowering the count also lowers the fixed columns so one scrollable column remains.
    grid_.setColCount(oldCount - count);
    for (int c = 0; c < grid_.colCount(); ++c) grid_.setColWidth(c, widths[static_cast<std::size_t>(c)]);
}

// --- inserts ---

void StructureEdits::insertColumn(bool after) {
    const int x = grid_.col();
    const int at = after ? x + 1 : x;
    grid_.insertColumn(at);
    // The new column keeps the width its index had: the one of the column now
    // right of it, or the default width when it was appended.
    const int right = at + 1;
    grid_.setColWidth(at, right < grid_.colCount() ? grid_.colWidth(right) : grid_.defaultColWidth());
    renumberHeaderRow(at);
    if (after) moveCurrentCol(at);
}

void StructureEdits::insertRow(bool after) {
    const int r = grid_.row();
    const int at = after ? r + 1 : r;
    grid_.insertRows(at, 1);
    renumberHeaderColumn(at, grid_.rowCount() - 1);
    if (after) moveCurrentRow(at);
}

void StructureEdits::mnuMainInsertColBevoreClick() {
    editFrame(Kind::Insert, "Liste der Änderungen verwerfen und Spalte einfügen?", [this] { insertColumn(false); });
}

void StructureEdits::mnuMainInsertColAfterClick() {
    editFrame(Kind::Insert, "Liste der Änderungen verwerfen und Spalte einfügen?", [this] { insertColumn(true); });
}

void StructureEdits::mnuMainInsertRowBevoreClick() {
    editFrame(Kind::Insert, "Liste der Änderungen verwerfen und Zeile einfügen?", [this] { insertRow(false); });
}

void StructureEdits::mnuMainInsertRowAfterClick() {
    editFrame(Kind::Insert, "Liste der Änderungen verwerfen und Zeile einfügen?", [this] { insertRow(true); });
}

// --- deletes ---

void StructureEdits::deleteColumns() {
    const GridRect sel = grid_.selection();
    const int selected = sel.right - sel.left + 1;
    // Columns go from the right; while more than two remain each one is
    // removed, after that the last data column is only emptied.
    const int removable = std::min(selected, std::max(grid_.colCount() - 2, 0));
    if (removable > 0) removeColumns(sel.right - removable + 1, removable);
    for (int a = sel.right - removable; a >= sel.left; --a) shiftColumnLeft(a);
    renumberHeaderRow(sel.left);
    if (sel.left < grid_.colCount()) moveCurrentCol(sel.left);
}

void StructureEdits::deleteRows() {
    const GridRect sel = grid_.selection();
    const int top = sel.top;
    const int n = sel.bottom - sel.top + 1;
    const int oldCount = grid_.rowCount();
    // At least one scrollable row survives; it is emptied but keeps its number.
    const int finalCount = std::max(oldCount - n, grid_.fixedRows() + 1);
    if (finalCount == oldCount - n) {
        grid_.deleteRows(top, n);
        renumberHeaderColumn(top, grid_.rowCount() - 1);
    } else {
        grid_.deleteRows(top + 1, n - 1);
        IndexText text;
        std::array<std::string_view, 1> number{text(top)};
        grid_.setRowCells(top, RowCells::fromCells(number));
    }
    if (top < grid_.rowCount()) moveCurrentRow(top);
}

void StructureEdits::mnuMainDeleteColClick() {
    editFrame(Kind::Delete, "Liste der Änderungen verwerfen und Spalte(n) löschen?", [this] { deleteColumns(); });
}

void StructureEdits::mnuMainDeleteRowClick() {
    editFrame(Kind::Delete, "Liste der Änderungen verwerfen und Zeile(n) löschen?", [this] { deleteRows(); });
}

// --- duplicate ---

void StructureEdits::mnuMainDublicateRowClick() {
    const int r = grid_.row();
    const int count = grid_.rowCount();
    mnuMainInsertRowAfterClick();
    if (grid_.rowCount() == count) return;  // refused
    RowCells copy = grid_.rowCells(r);
    copy.setCell(0, grid_.cell(0, r + 1));  // the number the insert wrote stays
    copy.setReadCells(RowCells::kMadeByEditor);  // a new row: saved at full width
    grid_.setRowCells(r + 1, std::move(copy));
    // The copy is no edit of the current cell: Escape must not empty it, and
    // leaving it must not journal it.
    cells_.noteDirectWrite();
}

// --- drags ---

bool StructureEdits::acceptMove(const char* question, const std::function<void()>& moveBack) {
    if (cells_.JournalPos >= 0) {
        if (!cells_.ConfirmDiscard(question)) {
            ScopedFlag suspend(cells_.JournalSuspended);
            moveBack();
            return false;
        }
        cells_.ClearJournal();
    }
    // Another row or column may now sit under the current cell; its text is no edit.
    cells_.noteDirectWrite();
    cells_.SetModified(true);
    return true;
}

void StructureEdits::StrGridRowMoved(int from, int to) {
    if (cells_.JournalSuspended) return;
    acceptMove("Liste der Änderungen verwerfen und Zeile verschieben?", [&] { grid_.moveRow(to, from); });
}

void StructureEdits::StrGridColumnMoved(int from, int to) {
    if (cells_.JournalSuspended) return;
    if (!acceptMove("Liste der Änderungen verwerfen und Spalte verschieben?", [&] { grid_.moveColumn(to, from); }))
        return;
    remapSortKeys(from, to);
    grid_.repaint();
}

void StructureEdits::remapSortKeys(int from, int to) {
    const int count = grid_.colCount();
    // oldIndex[new index] = the index the column had before the move.
    std::vector<int> oldIndex;
    oldIndex.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        if (from < to) {
            if (k != from) oldIndex.push_back(k);
            if (k == to) oldIndex.push_back(from);
        } else {
            if (k == to) oldIndex.push_back(from);
            if (k != from) oldIndex.push_back(k);
        }
    }
    auto& keys = sort_.SortKeyColumns;
    std::array<bool, 5> updated{};
    const int n = static_cast<int>(keys.size());
    for (int k = 0; k < static_cast<int>(oldIndex.size()); ++k) {
        const int old = oldIndex[static_cast<std::size_t>(k)];
        for (int step = 0; step < n; ++step) {
            const auto key = static_cast<std::size_t>(from < to ? n - 1 - step : step);
            if (updated[key] || keys[key] == -1 || keys[key] != old) continue;
            keys[key] = k;
            updated[key] = true;
            break;
        }
    }
    if (!sort_.MultiKeySort) sort_.SortIndicatorColumn = keys[0];
}

}  // namespace tabulyst
