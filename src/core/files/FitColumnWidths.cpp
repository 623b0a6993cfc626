#include "core/files/FitColumnWidths.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/grid/HugePages.h"
#include "core/grid/StringGrid.h"
#include "core/platform/AdvanceTable.h"
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

ColumnWidthFit::ColumnWidthFit(const TextMeasure& measure, int maxWidth, std::vector<int> widths, int newWidth)
    : measure_(&measure), advances_(measure.advanceTable()), maxWidth_(maxWidth), newWidth_(newWidth), widest_(measure.maxCharWidth()) {
    target_ = std::move(widths);
    shortEnough_.resize(target_.size());
    for (std::size_t c = 0; c < target_.size(); ++c) {
        // Each cell can only raise its column to min(wanted, maxWidth), so the
        // result is the column's own width or the largest such value.
        const bool open = target_[c] != StringGrid::kHiddenWidth && target_[c] < maxWidth_;
        shortEnough_[c] = open ? 0 : kClosed;
        if (open) updateBound(c);
    }
}

void ColumnWidthFit::measureUtf8Cells() {
    measure_ = &measure_->forUtf8Cells();
    advances_ = measure_->advanceTable();
}

void ColumnWidthFit::addColumns(std::size_t count) {
    const std::size_t old = target_.size();
    if (count <= old) return;
    // Room for a whole wide line at once, in few page faults.
    reserveHuge(target_, count);
    reserveHuge(shortEnough_, count);
    target_.resize(count, newWidth_);
    // Every new column starts alike: its bound is worked out once.
    shortEnough_.resize(old + 1, newWidth_ < maxWidth_ ? 0 : kClosed);
    if (shortEnough_[old] != kClosed) updateBound(old);
    shortEnough_.resize(count, shortEnough_[old]);
}

// A text no longer than this many bytes cannot widen the column: skipping it
// saves measuring almost every cell of a long table.
void ColumnWidthFit::updateBound(std::size_t col) {
    if (widest_ <= 0) return;
    std::size_t len = 0;
    while (wantedColumnWidth(static_cast<int>((len + 1) * static_cast<std::size_t>(widest_))) <= target_[col] &&
           len < 1u << 20)
        ++len;
    shortEnough_[col] = static_cast<std::uint32_t>(len);
}

void ColumnWidthFit::take(std::size_t col, std::string_view text) {
    offerWidth(col, advances_ ? advances_->sum(text) : measure_->textWidth(text));
}

void ColumnWidthFit::offerWidth(std::size_t col, int width) {
    if (col >= shortEnough_.size()) addColumns(col + 1);
    if (shortEnough_[col] == kClosed) return;
    const int wanted = std::min(wantedColumnWidth(width), maxWidth_);
    if (wanted <= target_[col]) return;
    target_[col] = wanted;
    if (wanted >= maxWidth_) shortEnough_[col] = kClosed;  // nothing can raise it further
    else updateBound(col);
}

namespace {

// The widest text among the numbers 1 to last when a width is the sum of the
// characters' advances (none negative): last itself, or last's digits up to
// some place, a smaller digit there and the widest digits after it, or one
// digit fewer than last has, led by the widest digit but 0.
std::string_view widestNumber(std::uint64_t last, const AdvanceTable& advances, char* out) {
    char digits[24];
    const auto count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, last).ptr - digits);
    auto advance = [&](char d) { return advances.advance(static_cast<unsigned char>(d)); };
    auto widestFrom = [&](char low, char high) {
        char best = low;
        for (char d = low; d <= high; ++d)
            if (advance(d) > advance(best)) best = d;
        return best;
    };
    const char widest = widestFrom('0', '9');
    std::size_t bestLength = count;
    std::memcpy(out, digits, count);
    int bestWidth = 0;
    for (std::size_t i = 0; i < count; ++i) bestWidth += advance(digits[i]);
    auto consider = [&](std::size_t prefix, char digit, std::size_t length) {
        int width = advance(digit) + static_cast<int>(length - prefix - 1) * advance(widest);
        for (std::size_t i = 0; i < prefix; ++i) width += advance(digits[i]);
        if (width <= bestWidth) return;
        bestWidth = width;
        bestLength = length;
        std::memcpy(out, digits, prefix);
        out[prefix] = digit;
        std::fill(out + prefix + 1, out + length, widest);
    };
    for (std::size_t i = 0; i < count; ++i) {
        const char low = i == 0 ? '1' : '0';
        if (digits[i] > low) consider(i, widestFrom(low, static_cast<char>(digits[i] - 1)), count);
    }
    if (count > 1) consider(0, widestFrom('1', '9'), count - 1);
    return {out, bestLength};
}

}  // namespace

void ColumnWidthFit::offerNumbers(std::uint64_t last) {
    if (last == 0) return;
    char text[24];
    if (advances_) {
        offer(0, widestNumber(last, *advances_, text));
        return;
    }
    for (std::uint64_t n = 1; n <= last; ++n)
        offer(0, std::string_view(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, n).ptr - text)));
}

void ColumnWidthFit::apply(StringGrid& grid) const {
    grid.beginUpdate();
    for (int c = 0; c < grid.colCount() && static_cast<std::size_t>(c) < target_.size(); ++c)
        if (!grid.isHidden(c) && target_[static_cast<std::size_t>(c)] > grid.colWidth(c))
            grid.setColWidth(c, target_[static_cast<std::size_t>(c)]);
    grid.endUpdate();
}

void FitColumnWidths(StringGrid& grid, int maxWidth, const TextMeasure& measure) {
    const int cols = grid.colCount();
    std::vector<int> widths(static_cast<std::size_t>(cols));
    for (int c = 0; c < cols; ++c) widths[static_cast<std::size_t>(c)] = grid.colWidth(c);
    ColumnWidthFit fit(measure, maxWidth, std::move(widths), grid.defaultColWidth());
    // Row by row: the grid stores rows.
    for (int r = 0; r < grid.rowCount(); ++r) {
        const RowCells& row = grid.rowCells(r);
        const int stored = std::min<int>(cols, static_cast<int>(row.size()));
        for (int c = 0; c < stored; ++c)
            if (fit.open(static_cast<std::size_t>(c))) fit.offer(static_cast<std::size_t>(c), row.cell(static_cast<std::size_t>(c)));
    }
    fit.apply(grid);
}

}  // namespace tabulyst
