#pragma once
// The arithmetic of a printout: the 1 cm margins, the grid's extent in screen
// pixels, and the scale from screen to printer pixels that keeps the text at a
// small minimum size while using as few pages as that size allows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabulyst {

class StringGrid;

struct PrintMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One centimetre in printer pixels on each side.
PrintMargins PrintMarginsFor(int pixelsPerInchX, int pixelsPerInchY);

// A cell's rectangle in screen pixels without grid lines.
struct ScreenRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

// The grid's columns and rows laid end to end, measured once so that every
// cell's rectangle costs constant time.
class ScreenGeometry {
public:
    explicit ScreenGeometry(const StringGrid& grid);

    // Hidden (negative) widths count as 0 here.
    ScreenRect ScreenCellRect(int col, int row) const;
    // W: the widths as the grid stores them, a hidden column counting -1.
    std::int64_t gridWidth() const { return storedWidthSum_; }
    // T: the row count times the default row height.
    std::int64_t gridHeight() const { return nominalHeight_; }
    int colCount() const { return static_cast<int>(colLefts_.size()) - 1; }
    int rowCount() const { return static_cast<int>(rowTops_.size()) - 1; }

private:
    std::vector<std::int64_t> colLefts_;  // colCount + 1 entries
    std::vector<std::int64_t> rowTops_;   // rowCount + 1 entries
    std::int64_t storedWidthSum_ = 0;
    std::int64_t nominalHeight_ = 0;
};

// The font size in points a scale gives: trunc(1.5 x scale).
int PrintFontSize(double scale);

// The smallest scale, in tenths of the usable page width, whose font reaches
// the minimum size; gridWidth must be positive and usableWidth too.
double HorizontalPrintScale(int usableWidth, std::int64_t gridWidth, int minimumFontSize);

// Squeezes the grid into fewer pages down while the font stays above the
// minimum size; returns the scale unchanged when the first step falls to it.
double SqueezedPrintScale(double scale, std::int64_t gridHeight, int pageHeight, int usableHeight,
                          int minimumFontSize);

// Why a grid cannot be printed on pages of this size, or nothing when it can.
std::optional<std::string> PrintRefusal(std::int64_t gridWidth, int usableWidth, int usableHeight);
// The same question before a printer is chosen: only the grid's width matters.
std::optional<std::string> PrintRefusal(const StringGrid& grid);

}  // namespace tabulyst
