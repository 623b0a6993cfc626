#pragma once
// The main window's own keys in the grid and its cell editor: clipboard keys,
// Escape, select all, range sums, increment and copy into the next row, and
// the jumps to the ends of the column. Five menu commands share the handler
// by calling it with their key.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/Keys.h"

namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
class Navigation;
class ClipboardTransfer;
class StructureEdits;
class Locale;

// The number in a cell for the range sums: blanks and control characters at
// the ends go, every space inside goes (digit grouping), then the text is read
// with the locale's separator or else with the other of "." and ",". Text that
// is no number counts as 0. decimals grows to the count of characters after
// the separator when that is larger.
long double ParseCellNumber(std::string_view text, int& decimals, const Locale& locale);

// Fixed-point text with exactly decimals digits after the locale's separator.
std::string FormatCellNumber(long double value, int decimals, const Locale& locale);

class GridKeys {
public:
    GridKeys(StringGrid& grid, EditJournal& cells, Commands& commands, Navigation& navigation,
             ClipboardTransfer& clipboard, StructureEdits& structure, const Locale& locale);

    // Runs the first key table row whose key and exact modifier set match;
    // setting stroke.key to 0 consumes the key.
    void StrGridKeyDown(KeyStroke& stroke);

private:
    void copySelection();
    void cutSelection();
    void paste();
    void revertCurrentCell();
    void clearSelection();
    void selectAll();
    void rangeSums();
    void incrementIntoNextRow();
    void copyIntoNextRow();
    void jumpToEndOfCol();
    void jumpToStartOfCol();

    // Duplicates the row first when the cell is in the last row. Returns the
    // row count before, for the closing journal clear.
    int prepareNextRow(int row);
    // Makes (col, row) current; false when there is no such row or it is refused.
    bool moveTo(int col, int row);
    void finishNextRow(int rowCountBefore);
    void invoke(std::uint16_t key, Modifiers modifiers);

    StringGrid& grid_;
    EditJournal& cells_;
    Navigation& navigation_;
    ClipboardTransfer& clipboard_;
    StructureEdits& structure_;
    const Locale& locale_;
};

}  // namespace tabulyst
