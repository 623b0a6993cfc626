#include "core/output/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/grid/StringGrid.h"

namespace tabulyst {

namespace {
constexpr double kInchesPerCentimetre = 0.3937007874015748;
constexpr const char* kTooManyHidden =
    "Die Tabelle kann nicht gedruckt werden: zu viele Spalten sind ausgeblendet.";
constexpr const char* kPageTooSmall =
    "Die Seite des Druckers ist zu klein für Ränder von 1 cm; es wird nichts gedruckt.";

std::int64_t storedWidthSum(const StringGrid& grid) {
    std::int64_t sum = 0;
    for (int c = 0; c < grid.colCount(); ++c) sum += grid.colWidth(c);
    return sum;
}
}  // namespace

PrintMargins PrintMarginsFor(int pixelsPerInchX, int pixelsPerInchY) {
    const int x = static_cast<int>(std::lround(pixelsPerInchX * kInchesPerCentimetre));
    const int y = static_cast<int>(std::lround(pixelsPerInchY * kInchesPerCentimetre));
    return {x, y, x, y};
}

ScreenGeometry::ScreenGeometry(const StringGrid& grid) {
    const int cols = grid.colCount();
    const int rows = grid.rowCount();
    colLefts_.resize(static_cast<std::size_t>(cols) + 1);
    for (int c = 0; c < cols; ++c) {
        const int w = grid.colWidth(c);
        storedWidthSum_ += w;
        colLefts_[static_cast<std::size_t>(c) + 1] = colLefts_[static_cast<std::size_t>(c)] + std::max(w, 0);
    }
    rowTops_.resize(static_cast<std::size_t>(rows) + 1);
    const auto& custom = grid.customRowHeights();
    auto next = custom.begin();
    for (int r = 0; r < rows; ++r) {
        int h = grid.defaultRowHeight();
        if (next != custom.end() && next->first == r) h = (next++)->second;
        rowTops_[static_cast<std::size_t>(r) + 1] = rowTops_[static_cast<std::size_t>(r)] + std::max(h, 0);
    }
    nominalHeight_ = static_cast<std::int64_t>(rows) * grid.defaultRowHeight();
}

ScreenRect ScreenGeometry::ScreenCellRect(int col, int row) const {
    const auto c = static_cast<std::size_t>(col);
    const auto r = static_cast<std::size_t>(row);
    return {colLefts_[c], rowTops_[r], colLefts_[c + 1], rowTops_[r + 1]};
}

int PrintFontSize(double scale) {
    // Beyond int's range only in degenerate searches, which compare it with small sizes.
    const double size = std::trunc(1.5 * scale);
    if (!(size > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    if (!(size < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(size);
}

double HorizontalPrintScale(int usableWidth, std::int64_t gridWidth, int minimumFontSize) {
    double f = 0.1;
    double s = 0;
    do {
        s = usableWidth * f / static_cast<double>(gridWidth) * 0.9;
        f = f + 0.1;
    } while (PrintFontSize(s) < minimumFontSize);
    return s;
}

double SqueezedPrintScale(double scale, std::int64_t gridHeight, int pageHeight, int usableHeight,
                          int minimumFontSize) {
    if (gridHeight <= 0 || pageHeight <= 0) return scale;
    double s = scale;
    double previous = s;
    auto n = std::llround(static_cast<double>(gridHeight) * s / pageHeight);
    do {
        previous = s;
        n = n - 1;
        s = static_cast<double>(usableHeight) * static_cast<double>(n) / static_cast<double>(gridHeight) * 0.9;
    } while (PrintFontSize(s) > minimumFontSize);
    return previous;
}

std::optional<std::string> PrintRefusal(std::int64_t gridWidth, int usableWidth, int usableHeight) {
    // Without width the scale search would never reach the font size.
    if (gridWidth <= 0) return kTooManyHidden;
    if (usableWidth <= 0 || usableHeight <= 0) return kPageTooSmall;
    return std::nullopt;
}

std::optional<std::string> PrintRefusal(const StringGrid& grid) {
    if (storedWidthSum(grid) <= 0) return kTooManyHidden;
    return std::nullopt;
}

}  // namespace tabulyst
