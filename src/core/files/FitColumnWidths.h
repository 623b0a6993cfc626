#pragma once
// Widening the grid's columns to their texts after a table has been filled.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tabulyst {

class AdvanceTable;
class StringGrid;
class TextMeasure;

// Widens every visible column (the fixed column included) to 1.25 times its
// widest non-empty text plus 0.5, rounded half to even, but by this step to no
// more than maxWidth. Columns never get narrower; hidden columns stay hidden.
void FitColumnWidths(StringGrid& grid, int maxWidth, const TextMeasure& measure);

// The width a text of textWidth pixels asks for.
int wantedColumnWidth(int textWidth);

// The same fitting, fed cell by cell: the reader hands it every cell while it
// splits the lines, so loading needs no pass of its own over the table. A text
// too short to widen its column is passed over by its length alone.
class ColumnWidthFit {
public:
    // widths: the columns' widths now (hidden ones kHiddenWidth); columns
    // beyond them start at newWidth.
    ColumnWidthFit(const TextMeasure& measure, int maxWidth, std::vector<int> widths, int newWidth);

    void offer(std::size_t col, std::string_view text) {
        if (col >= shortEnough_.size()) addColumns(col + 1);
        if (text.size() > shortEnough_[col]) take(col, text);
    }
    // Makes room for count columns at once (a line of a million fields).
    void addColumns(std::size_t count);
    // Offers a text of the column by its measured width.
    void offerWidth(std::size_t col, int width);
    // The texts offered from now on are cells of a UTF-8 table.
    void measureUtf8Cells();
    // The per-character advances when widths are their sums, else nullptr.
    const AdvanceTable* advanceTable() const { return advances_; }
    // Offers the texts of the numbers 1 to last in column 0 (the row numbers);
    // where widths are sums of advances, only the widest of them.
    void offerNumbers(std::uint64_t last);
    // Whether any text could still widen the column.
    bool open(std::size_t col) const { return col >= shortEnough_.size() || shortEnough_[col] != kClosed; }
    // Widens the grid's columns to what the offered texts ask for.
    void apply(StringGrid& grid) const;

private:
    static constexpr std::uint32_t kClosed = UINT32_MAX;
    void take(std::size_t col, std::string_view text);
    void updateBound(std::size_t col);

    const TextMeasure* measure_;
    const AdvanceTable* advances_;
    int maxWidth_;
    int newWidth_;
    int widest_;  // the widest character's advance
    std::vector<int> target_;
    // Texts of up to this many bytes cannot widen the column (kClosed: none can).
    std::vector<std::uint32_t> shortEnough_;  // 32 bits: a million columns fault in fewer pages
};

}  // namespace tabulyst
