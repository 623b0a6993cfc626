#include "core/interaction/GridKeys.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <optional>
#include <string>

#include "core/window/Commands.h"
#include "core/grid/StringGrid.h"
#include "core/interaction/CellValueReaders.h"
#include "core/interaction/ClipboardTransfer.h"
#include "core/interaction/Navigation.h"
#include "core/platform/DateTimeText.h"
#include "core/platform/Locale.h"
#include "core/document/EditJournal.h"
#include "core/table/StructureEdits.h"

namespace tabulyst {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlankOrControl(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlankOrControl(s.back())) s.remove_suffix(1);
    return s;
}

void countDecimals(std::string_view s, char separator, int& decimals) {
    for (std::size_t i = 0; i < s.size(); ++i)
        if (s[i] == separator) decimals = std::max(decimals, static_cast<int>(s.size() - i - 1));
}

std::optional<int> parseInt32(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !isDigit(s.front())) return std::nullopt;
    long long value = 0;
    auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

long double ParseCellNumber(std::string_view text, int& decimals, const Locale& locale) {
    std::string s;
    for (char c : trimmed(text))
        if (c != ' ') s += c;
    const char separator = locale.decimalSeparator();
    long double value = 0;
    if (convertNumber(s, separator, value)) {
        countDecimals(s, separator, decimals);
        return value;
    }
    const char other = separator == '.' ? ',' : separator == ',' ? '.' : separator;
    if (convertNumber(s, other, value)) {
        countDecimals(s, other, decimals);
        return value;
    }
    return 0;
}

std::string FormatCellNumber(long double value, int decimals, const Locale& locale) {
    decimals = std::max(decimals, 0);
    // The shortest fixed text that reads back as the value, rounded in decimal
    // with halves away from zero (2.5 gives 3, as people round).
    std::string digits(64, '\0');
    while (true) {
        auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
        if (result.ec == std::errc()) {
            digits.resize(static_cast<std::size_t>(result.ptr - digits.data()));
            break;
        }
        digits.resize(digits.size() * 4);
    }
    if (digits.find_first_not_of("-0123456789.") != std::string::npos) return digits;  // inf, nan
    bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.erase(0, 1);
    std::size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    const auto keep = static_cast<std::size_t>(decimals);
    if (fraction.size() > keep) {
        bool up = fraction[keep] >= '5';
        fraction.resize(keep);
        std::string all = whole + fraction;
        for (std::size_t i = all.size(); up && i-- > 0;) {
            if (all[i] == '9') {
                all[i] = '0';
            } else {
                ++all[i];
                up = false;
            }
        }
        if (up) all.insert(all.begin(), '1');
        whole = all.substr(0, all.size() - keep);
        fraction = all.substr(all.size() - keep);
    }
    fraction.resize(keep, '0');
    // A sum that rounds to zero shows no sign.
    if ((whole + fraction).find_first_not_of('0') == std::string::npos) negative = false;
    std::string out = negative ? "-" : "";
    out += whole;
    if (keep > 0) {
        out += locale.decimalSeparator();
        out += fraction;
    }
    return out;
}

GridKeys::GridKeys(StringGrid& grid, EditJournal& cells, Commands& commands, Navigation& navigation,
                   ClipboardTransfer& clipboard, StructureEdits& structure, const Locale& locale)
    : grid_(grid), cells_(cells), navigation_(navigation), clipboard_(clipboard), structure_(structure),
      locale_(locale) {
    commands.on("mnuMainAddCellValuesInRange", [this] { invoke(vk::letter('E'), mods::CtrlShift); });
    commands.on("mnuMainIncrementCellValueToLowerCell", [this] { invoke(vk::letter('I'), mods::CtrlShift); });
    commands.on("mnuMainCopyCellValueToLowerCell", [this] { invoke(vk::letter('C'), mods::CtrlShift); });
    commands.on("mnuMainJumpToStartOfCol", [this] { invoke(vk::Home, mods::Alt); });
    commands.on("mnuMainJumpToEndOfCol", [this] { invoke(vk::End, mods::Alt); });
}

void GridKeys::invoke(std::uint16_t key, Modifiers modifiers) {
    KeyStroke stroke{key, modifiers};
    StrGridKeyDown(stroke);
}

void GridKeys::StrGridKeyDown(KeyStroke& stroke) {
    struct Row {
        std::uint16_t key;
        Modifiers modifiers;
        void (GridKeys::*effect)();
        bool consumes;
    };
    // Tested in this order; the first row that matches runs.
    static const Row table[] = {
        {vk::Insert, mods::Ctrl, &GridKeys::copySelection, false},
        {vk::Delete, mods::Shift, &GridKeys::cutSelection, false},
        {vk::Insert, mods::Shift, &GridKeys::paste, false},
        {vk::Escape, mods::None, &GridKeys::revertCurrentCell, false},
        {vk::Delete, mods::None, &GridKeys::clearSelection, false},
        {vk::letter('A'), mods::Ctrl, &GridKeys::selectAll, false},
        {vk::letter('E'), mods::CtrlShift, &GridKeys::rangeSums, false},
        {vk::letter('I'), mods::CtrlShift, &GridKeys::incrementIntoNextRow, false},
        {vk::letter('C'), mods::CtrlShift, &GridKeys::copyIntoNextRow, false},
        {vk::End, mods::Alt, &GridKeys::jumpToEndOfCol, true},
        {vk::Home, mods::Alt, &GridKeys::jumpToStartOfCol, true},
    };
    for (const Row& row : table) {
        if (row.key != stroke.key || !(row.modifiers == stroke.modifiers)) continue;
        (this->*row.effect)();
        if (row.consumes) stroke.key = 0;
        return;
    }
}

void GridKeys::copySelection() { clipboard_.CopySelection(); }
void GridKeys::cutSelection() { clipboard_.CutSelection(); }
void GridKeys::clearSelection() { clipboard_.ClearSelection(); }
void GridKeys::paste() { clipboard_.pasteWithoutRedraw(); }
void GridKeys::revertCurrentCell() { cells_.revertCurrentCell(); }

void GridKeys::selectAll() {
    navigation_.setSelectionRect({grid_.fixedCols(), grid_.fixedRows(), grid_.colCount() - 1, grid_.rowCount() - 1});
}

void GridKeys::rangeSums() {
    const GridRect sel = grid_.selection();
    const int left = sel.left, top = sel.top, right = sel.right, bottom = sel.bottom;
    struct Reselect {
        GridKeys& keys;
        GridRect rect;
        ~Reselect() {
            try {
                keys.navigation_.setSelectionRect(rect);
            } catch (const GridError&) {
            }
        }
    } reselect{*this, sel};

    auto columnSum = [&](int k, int& decimals) {
        long double sum = 0;
        for (int r = bottom; r >= top; --r) sum += ParseCellNumber(grid_.cell(k, r), decimals, locale_);
        return sum;
    };
    auto rowSum = [&](int r, int& decimals) {
        long double sum = 0;
        for (int k = right; k >= left; --k) sum += ParseCellNumber(grid_.cell(k, r), decimals, locale_);
        return sum;
    };
    // ChangeCell drops writes beyond the grid, so the grid never grows.
    auto write = [&](int col, int row, long double value, int decimals) {
        cells_.ChangeCell(col, row, FormatCellNumber(value, decimals, locale_));
    };

    if (right > left && bottom > top) {
        long double total = 0;
        int decimals = 0;
        for (int k = right; k >= left; --k) {
            decimals = 0;
            long double sum = columnSum(k, decimals);
            write(k, bottom + 1, sum, decimals);
            total += sum;
        }
        for (int r = bottom; r >= top; --r) {
            decimals = 0;
            const long double sum = rowSum(r, decimals);
            write(right + 1, r, sum, decimals);
        }
        // The total takes the decimal count of the last row summed, the top one.
        write(right + 1, bottom + 1, total, decimals);
        cells_.SetModified(true);
    } else if (right > left) {
        int decimals = 0;
        const long double sum = rowSum(top, decimals);
        write(right + 1, top, sum, decimals);
        cells_.SetModified(true);
    } else if (bottom > top) {
        int decimals = 0;
        const long double sum = columnSum(left, decimals);
        write(left, bottom + 1, sum, decimals);
        cells_.SetModified(true);
    }
}

int GridKeys::prepareNextRow(int row) {
    const int count = grid_.rowCount();
    if (row == count - 1) structure_.mnuMainDublicateRowClick();
    return count;
}

bool GridKeys::moveTo(int col, int row) {
    if (row >= grid_.rowCount()) return false;
    try {
        grid_.setCurrent(col, row);
    } catch (const GridError&) {
        return false;
    }
    return grid_.col() == col && grid_.row() == row;
}

void GridKeys::finishNextRow(int rowCountBefore) {
    if (grid_.rowCount() != rowCountBefore) cells_.ClearJournal();
    cells_.SetModified(true);
}

// The source is the cell the command started on: after a duplication of the
// last row the current cell already sits on the copy, which is the target.
void GridKeys::incrementIntoNextRow() {
    const int col = grid_.col(), row = grid_.row();
    int before = grid_.rowCount();
    try {
        before = prepareNextRow(row);
        const std::string text = grid_.cellText(col, row);
        bool done = false;
        if (auto number = parseInt32(trimmed(text)); number && *number != INT_MAX) {
            if (moveTo(col, row + 1)) {
                cells_.ChangeCell(col, row + 1, std::to_string(*number + 1));
                done = true;
            }
        }
        if (!done) {
            std::string_view date = text;
            while (!date.empty() && isBlankOrControl(date.back())) date.remove_suffix(1);
            if (auto value = parseDateTime(date, locale_)) {
                value->date = std::chrono::sys_days{value->date} + std::chrono::days{1};
                // Written directly: leaving the cell journals it as an edit.
                if (value->date.ok() && moveTo(col, row + 1))
                    grid_.setCell(col, row + 1, formatDateTime(*value, locale_));
            }
        }
    } catch (...) {
        finishNextRow(before);
        throw;
    }
    finishNextRow(before);
}

void GridKeys::copyIntoNextRow() {
    const int col = grid_.col(), row = grid_.row();
    int before = grid_.rowCount();
    try {
        before = prepareNextRow(row);
        const std::string text = grid_.cellText(col, row);
        if (moveTo(col, row + 1)) cells_.ChangeCell(col, row + 1, text);
    } catch (...) {
        finishNextRow(before);
        throw;
    }
    finishNextRow(before);
}

void GridKeys::jumpToEndOfCol() {
    try {
        grid_.setRow(grid_.rowCount() - 1);
    } catch (const GridError&) {
    }
}

void GridKeys::jumpToStartOfCol() {
    try {
        grid_.setRow(grid_.fixedRows());
    } catch (const GridError&) {
    }
}

}  // namespace tabulyst
