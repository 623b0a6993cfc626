#pragma once
// Moving the current cell to a remembered position (a journal entry, a
// bookmark) that may since have become frozen or lie beyond the grid.
#include "core/grid/StringGrid.h"

namespace tabulyst {

// Sets the current column, then the current row, each only when it differs
// and the grid can take it; a part the grid cannot take is left as it is.
inline void moveCurrentToward(StringGrid& grid, int col, int row) {
    if (col != grid.col() && grid.isScrollable(col, grid.row())) grid.setCol(col);
    if (row != grid.row() && grid.isScrollable(grid.col(), row)) grid.setRow(row);
}

}  // namespace tabulyst
