#pragma once
// Sorting by header clicks: a click on a column header sorts all scrollable
// rows by that column, a second click reverses the order, and Shift adds the
// column as the most significant of up to five keys. Whole rows move, their row
// numbers with them. Sorting throws the undo journal away (asking first when
// it holds entries) and sets the modified state.
#include <functional>
#include <span>
#include <vector>

#include "core/interaction/SortKeys.h"

namespace tabulyst {

class StringGrid;
class EditJournal;
class BusyIndicator;
class Progress;
class Locale;
struct SortState;

class Sorting {
public:
    // cellEncoding: what the cells hold, which decides how texts compare.
    Sorting(StringGrid& grid, EditJournal& cells, SortState& state, BusyIndicator* busy, const Locale& locale,
            std::function<text::TextEncoding()> cellEncoding, Progress* progress = nullptr);
    virtual ~Sorting() = default;
    Sorting(const Sorting&) = delete;
    Sorting& operator=(const Sorting&) = delete;

    // Any button: col is the column under the pointer (-1 for none).
    void StrGridMouseDown(int col);
    // Any button: the cell under the pointer (-1 for none), its left and right
    // edge and the pointer's x, in the same coordinates. Sorts when press and
    // release were in the same column of a fixed row, away from the column's
    // borders (strictly inside its middle eight tenths), where widths are dragged.
    void StrGridMouseUp(int col, int row, int cellLeft, int cellRight, int x, bool shift);

    // Sorts the scrollable rows by the key columns, the most significant
    // first, and makes the row that was at the top of the selection current
    // again at its new place (the first row with the same cells).
    void sortByKeys(std::span<const int> keyColumns, bool descending);

protected:
    // Puts the rows in the keys' order; a test puts a failing comparison here.
    virtual void orderItems(std::vector<SortItem>& items, const SortKeys& keys, bool descending);

private:
    void headerClick(int col, bool shift);

    StringGrid& grid_;
    EditJournal& cells_;
    SortState& state_;
    BusyIndicator* busy_;
    Progress* progress_;
    const Locale& locale_;
    std::function<text::TextEncoding()> cellEncoding_;
};

}  // namespace tabulyst
