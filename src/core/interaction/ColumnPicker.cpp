#include "core/interaction/ColumnPicker.h"

#include <algorithm>
#include <limits>

#include "core/window/Commands.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Collation.h"
#include "core/platform/Desktop.h"
#include "core/platform/Dialogs.h"
#include "core/platform/Locale.h"
#include "core/platform/Utf8Codec.h"
#include "core/platform/WindowGeometry.h"
#include "core/text/CaseMapping.h"
#include "core/text/CodePageText.h"

namespace tabulyst {

namespace {

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The columns a pick may land on: scrollable and shown with a width.
template <class F>
void eachPickableColumn(const StringGrid& grid, F f) {
    for (int k = grid.fixedCols(); k < grid.colCount(); ++k)
        if (grid.colWidth(k) > 0) f(k);
}

}  // namespace

std::string ColumnLabel(const StringGrid& grid, int col) {
    const int fixed = grid.fixedRows();
    if (fixed == 0) return {};
    if (fixed == 1) return grid.cellText(col, 0);
    std::string label;
    for (int r = 1; r < fixed; ++r) {
        if (r > 1) label += " / ";
        label += grid.cell(col, r);
    }
    return label;
}

int ColumnPickerHeight(int count, int top, int windowHeight) {
    const int doubled = count * 27;  // twice 13.5 per item
    int height = doubled / 2;
    if (doubled % 2 != 0 && height % 2 != 0) ++height;  // a half goes to the even neighbour
    if (windowHeight - top - 8 < height) height = windowHeight - top - 8;
    return std::max(height, 0);
}

ColumnPicker::ColumnPicker(StringGrid& grid, Commands& commands, Dialogs& dialogs, const Locale& locale,
                           const WindowGeometry* geometry, const TextMeasure* measure,
                           std::function<text::TextEncoding()> cells)
    : grid_(grid), dialogs_(dialogs), locale_(locale), geometry_(geometry), measure_(measure),
      cells_(std::move(cells)) {
    commands.on("mnuMainCellSelection", [this] { mnuMainCellSelectionClick(); });
}

void ColumnPicker::mnuMainCellSelectionClick() {
    if (open_) return;  // one list at a time
    if (grid_.colCount() - grid_.fixedCols() <= 1) {
        dialogs_.showMessage(kOneColumnOnly);
        return;
    }
    list_ = List{};
    encoding_ = cells_();
    if (geometry_) {
        const PixelPoint corner = geometry_->cellTopLeft(grid_.col(), grid_.row());
        list_.left = corner.x;
        list_.top = corner.y;
    }
    std::string currentLabel, measured;
    text::LackingCharacters lacking;
    eachPickableColumn(grid_, [&](int k) {
        const std::string raw = ColumnLabel(grid_, k);
        std::string shown = inUtf8(raw);
        if (k == grid_.col()) currentLabel = shown;
        if (isBlank(raw)) return;
        if (measure_) {
            // The measure takes Windows-1252: a character it lacks counts as wide as "?".
            std::string_view width = raw;
            if (encoding_ == text::TextEncoding::Utf8) {
                text::windows1252FromUtf8(raw, measured, lacking);
                width = measured;
            }
            list_.width = std::max(list_.width, measure_->textWidth(width));
        }
        list_.items.push_back(std::move(shown));
    });
    const int windowHeight = geometry_ ? geometry_->windowHeight() : std::numeric_limits<int>::max() / 2;
    list_.height = ColumnPickerHeight(static_cast<int>(list_.items.size()), list_.top, windowHeight);
    // With one fixed row the labels are the column numbers, in column order.
    if (grid_.fixedRows() != 1) sortGerman(list_.items);
    std::string wanted, upper;
    text::upperCase(currentLabel, text::TextEncoding::Utf8, locale_, wanted);
    for (std::size_t i = 0; i < list_.items.size(); ++i) {
        text::upperCase(list_.items[i], text::TextEncoding::Utf8, locale_, upper);
        if (upper == wanted) {
            list_.itemIndex = static_cast<int>(i);
            break;
        }
    }
    open_ = true;
    changed();
}

void ColumnPicker::setItemIndex(int index) {
    if (!open_ || index < -1 || index >= static_cast<int>(list_.items.size()) || index == list_.itemIndex) return;
    list_.itemIndex = index;
    changed();
}

void ColumnPicker::ListBoxMouseUp(MouseButton button) {
    if (open_ && button == MouseButton::Left) pick();
}

void ColumnPicker::keyTyped(char& key) {
    if (!open_) return;
    if (key == '\r') {
        key = 0;
        pick();
    } else if (key == 27) {
        key = 0;
        close();
    }
}

void ColumnPicker::StrGridEnter() {
    if (open_) close();
}

// Without a highlighted item nothing is picked and the list just closes.
void ColumnPicker::pick() {
    if (list_.itemIndex >= 0) {
        const std::string chosen = list_.items[static_cast<std::size_t>(list_.itemIndex)];
        // Several columns of the same label are made current in turn: the last one stays.
        eachPickableColumn(grid_, [&](int k) {
            if (inUtf8(ColumnLabel(grid_, k)) != chosen) return;
            try {
                grid_.setCol(k);
            } catch (const GridError&) {
            }
        });
    }
    close();
}

std::string ColumnPicker::inUtf8(std::string label) const {
    return encoding_ == text::TextEncoding::Utf8 ? label : utf8FromWindows1252(label);
}

void ColumnPicker::close() {
    open_ = false;
    list_ = List{};
    changed();
}

}  // namespace tabulyst
