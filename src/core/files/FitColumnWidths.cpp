#include "core/files/FitColumnWidths.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/grid/StringGrid.h"
#include "core/platform/Desktop.h"

namespace tabulyst {

int wantedColumnWidth(int textWidth) {
    // textWidth * 1.25 + 0.5 is (5w + 2) / 4: whole quarters, rounded half to even.
    long long quarters = 5LL * textWidth + 2;
    long long whole = quarters >= 0 ? quarters / 4 : -((-quarters + 3) / 4);
    long long rest = quarters - whole * 4;
    if (rest == 3 || (rest == 2 && whole % 2 != 0)) ++whole;
    return static_cast<int>(whole);
}

void FitColumnWidths(StringGrid& grid, int maxWidth, const TextMeasure& measure) {
    const int cols = grid.colCount();
    const int rows = grid.rowCount();
    // Each cell can only raise its column to min(wanted, maxWidth), so the
    // result is the column's own width or the largest such value: collect it row
    // by row (the grid stores rows) and set each width once.
    std::vector<int> target(static_cast<std::size_t>(cols));
    std::vector<bool> open(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        target[static_cast<std::size_t>(c)] = grid.colWidth(c);
        open[static_cast<std::size_t>(c)] = !grid.isHidden(c) && grid.colWidth(c) < maxWidth;
    }
    // A text no longer than this many bytes cannot widen its column: skipping it
    // saves measuring almost every cell of a long table.
    const int widest = measure.maxCharWidth();
    std::vector<std::size_t> shortEnough(static_cast<std::size_t>(cols), 0);
    auto updateBound = [&](std::size_t ci) {
        if (widest <= 0) return;
        std::size_t len = 0;
        while (wantedColumnWidth(static_cast<int>((len + 1) * static_cast<std::size_t>(widest))) <= target[ci] &&
               len < 1u << 20)
            ++len;
        shortEnough[ci] = len;
    };
    for (int c = 0; c < cols; ++c) updateBound(static_cast<std::size_t>(c));
    for (int r = 0; r < rows; ++r) {
        const RowCells& row = grid.rowCells(r);
        const int stored = std::min<int>(cols, static_cast<int>(row.size()));
        for (int c = 0; c < stored; ++c) {
            auto ci = static_cast<std::size_t>(c);
            if (!open[ci]) continue;
            std::string_view text = row.cell(ci);
            if (text.size() <= shortEnough[ci]) continue;
            int wanted = std::min(wantedColumnWidth(measure.textWidth(text)), maxWidth);
            if (wanted > target[ci]) {
                target[ci] = wanted;
                if (wanted >= maxWidth) open[ci] = false;  // nothing can raise it further
                else updateBound(ci);
            }
        }
    }
    grid.beginUpdate();
    for (int c = 0; c < cols; ++c)
        if (!grid.isHidden(c) && target[static_cast<std::size_t>(c)] > grid.colWidth(c))
            grid.setColWidth(c, target[static_cast<std::size_t>(c)]);
    grid.endUpdate();
}

}  // namespace tabulyst
