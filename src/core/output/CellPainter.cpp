#include "core/output/CellPainter.h"

#include "core/document/SortState.h"
#include "core/output/Bookmarks.h"

namespace tabulyst {

namespace {

// The header colour of a column in row 0: the sort keys of a multi-key sort,
// else the single sort column.
Colour headerColour(int col, const SortState& sort) {
    if (sort.MultiKeySort) {
        for (std::size_t k = 0; k < sort.SortKeyColumns.size(); ++k)
            if (sort.SortKeyColumns[k] == col) return cellcolours::kSortKeys[k];
    } else if (col == sort.SortIndicatorColumn) {
        return cellcolours::kSortKeys[0];
    }
    return Colour::of(SystemColour::ButtonFace);
}

}  // namespace

CellLook StrGridDrawCell(int col, int row, const CellDrawState& state, const Bookmarks& bookmarks,
                         const SortState& sort) {
    using namespace cellcolours;
    if (state.selected && state.focused) {
        Colour back = bookmarks.IsBookmarked(col, row) ? kSelectedBookmarked : Colour::of(SystemColour::Highlight);
        return {back, kSelectedText, true};
    }
    if (state.selected) return {kSelectedUnfocused, kSelectedText, true};
    if (state.fixed && (row == 0 || col == 0))
        return {row == 0 ? headerColour(col, sort) : Colour::of(SystemColour::ButtonFace), kText, false};
    if (state.fixed) return {kFrozen, kText, false};
    if (bookmarks.IsBookmarked(col, row)) return {kBookmarked, kText, false};
    return {Colour::of(SystemColour::Window), kText, false};
}

}  // namespace tabulyst
