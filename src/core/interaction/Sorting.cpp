#include "core/interaction/Sorting.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/grid/GridUpdateScope.h"
#include "core/grid/StringGrid.h"
#include "core/interaction/HoareQuicksort.h"
#include "core/document/SortState.h"
#include "core/platform/Platform.h"
#include "core/document/EditJournal.h"

namespace tabulyst {

namespace {

constexpr int kMaxKeys = 5;

// A row's cells from the first scrollable column on, joined without separator.
std::string signatureOf(const StringGrid& grid, int row) {
    std::string joined;
    for (int c = grid.fixedCols(); c < grid.colCount(); ++c) joined += grid.cell(c, row);
    return joined;
}

bool hasSignature(const StringGrid& grid, int row, std::string_view signature) {
    for (int c = grid.fixedCols(); c < grid.colCount(); ++c) {
        std::string_view cell = grid.cell(c, row);
        if (signature.substr(0, cell.size()) != cell) return false;
        signature.remove_prefix(cell.size());
    }
    return signature.empty();
}

}  // namespace

Sorting::Sorting(StringGrid& grid, EditJournal& cells, SortState& state, BusyIndicator* busy, const Locale& locale,
                 std::function<text::TextEncoding()> cellEncoding, Progress* progress)
    : grid_(grid), cells_(cells), state_(state), busy_(busy), progress_(progress), locale_(locale),
      cellEncoding_(std::move(cellEncoding)) {}

void Sorting::StrGridMouseDown(int col) { state_.HeaderPressColumn = col; }

void Sorting::StrGridMouseUp(int col, int row, int cellLeft, int cellRight, int x, bool shift) {
    const int pressed = state_.HeaderPressColumn;
    state_.HeaderPressColumn = -1;
    const int margin = (cellRight - cellLeft) / 10;
    const bool onHeader = col >= 0 && col == pressed && row >= 0 && row < grid_.fixedRows();
    if (onHeader && cellLeft + margin < x && x < cellRight - margin) headerClick(col, shift);
}

void Sorting::headerClick(int col, bool shift) {
    if (cells_.JournalPos >= 0 && !cells_.ConfirmDiscard("Liste der Änderungen verwerfen und Sortieren?")) return;
    state_.SortDescending = state_.SortIndicatorColumn == col ? !state_.SortDescending : false;
    state_.SortIndicatorColumn = col;
    BusyCursor busy(busy_);
    try {
        auto& keys = state_.SortKeyColumns;
        if (shift) {
            if (state_.SortKeyCount < 1) {
                state_.SortKeyCount = 1;
                keys[0] = col;
            } else if (keys[0] != col) {
                // The newest key first; the oldest of five drops out.
                state_.SortKeyCount = std::min(state_.SortKeyCount + 1, kMaxKeys);
                std::copy_backward(keys.begin(), keys.end() - 1, keys.end());
                keys[0] = col;
            }
            sortByKeys(std::span<const int>(keys.data(), static_cast<std::size_t>(state_.SortKeyCount)),
                       state_.SortDescending);
            state_.MultiKeySort = true;
        } else {
            keys.fill(-1);
            keys[0] = col;
            state_.SortKeyCount = 1;
            sortByKeys(std::span<const int>(keys.data(), 1), state_.SortDescending);
            state_.MultiKeySort = false;
        }
    } catch (...) {
        cells_.ClearJournal();
        throw;
    }
    cells_.ClearJournal();
}

void Sorting::sortByKeys(std::span<const int> keyColumns, bool descending) {
    // An open editor would go on writing into whatever row moved under it.
    grid_.closeEditor();
    GridUpdateScope noRedraw(grid_);
    const std::string signature = signatureOf(grid_, grid_.selection().top);
    cells_.SetModified(true);
    const int first = grid_.fixedRows(), last = grid_.rowCount() - 1;
    {
        // Told in its steps: the keys, their order, the rows moved.
        ProgressScope progress(progress_, "Sortieren …");
        const SortKeys keys(grid_, keyColumns, first, last, locale_, cellEncoding_());
        progress.report(1, 3);
        std::vector<SortItem> items = keys.items();
        orderItems(items, keys, descending);
        progress.report(2, 3);
        std::vector<std::uint32_t> order(items.size());
        std::transform(items.begin(), items.end(), order.begin(), [](const SortItem& item) { return item.row; });
        grid_.reorderRows(first, order);
        progress.report(3, 3);
    }
    // Other cells lie under the current cell now; the move below must not take them for an edit.
    cells_.noteDirectWrite();
    int current = last;
    for (int r = first; r <= last; ++r) {
        if (hasSignature(grid_, r, signature)) {
            current = r;
            break;
        }
    }
    grid_.setRow(current);
    grid_.repaint();
}

void Sorting::orderItems(std::vector<SortItem>& items, const SortKeys& keys, bool descending) {
    auto compare = [&keys](const SortItem& a, const SortItem& b) { return keys.compare(a, b); };
    hoareQuicksort(items, 0, static_cast<std::ptrdiff_t>(items.size()) - 1, compare, descending);
}

}  // namespace tabulyst
