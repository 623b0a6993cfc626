#pragma once
// "Spaltenauswahl": a small list of the visible columns' header labels over
// the current cell; picking a label makes its column current in the current
// row. While the list is open the grid and the main menu are disabled.
#include <functional>
#include <string>
#include <vector>

#include "core/base/Signal.h"
#include "core/text/TextEncoding.h"

namespace tabulyst {

class StringGrid;
class Commands;
class Dialogs;
class Locale;
class TextMeasure;
class WindowGeometry;

// A column's label from the fixed rows: none without a fixed row, the cell in
// row 0 with one, else the cells of rows 1 to fixed rows - 1 joined by " / ";
// in the table's encoding.
std::string ColumnLabel(const StringGrid& grid, int col);

// The list's height for count items: 13.5 pixels each, a half rounded to the
// even neighbour; kept 8 pixels above the window's bottom edge.
int ColumnPickerHeight(int count, int top, int windowHeight);

enum class MouseButton { Left, Right, Middle };

class ColumnPicker {
public:
    static constexpr const char* kOneColumnOnly = "Nur eine Spalte vorhanden.";
    static constexpr int kDefaultWidth = 121;
    static constexpr int kDefaultHeight = 97;
    static constexpr unsigned kBackground = 0xFFFFA0;  // RGB 255, 255, 160
    static constexpr unsigned kTextColour = 0x0000FF;  // RGB 0, 0, 255

    // geometry and measure may be missing: the list then sits at the window's
    // origin and keeps its width. cells: the table's encoding when the list opens.
    ColumnPicker(StringGrid& grid, Commands& commands, Dialogs& dialogs, const Locale& locale,
                 const WindowGeometry* geometry, const TextMeasure* measure,
                 std::function<text::TextEncoding()> cells);

    // ColumnPickerList: present only while the picker is open.
    struct List {
        std::vector<std::string> items;  // UTF-8 whatever the table's encoding, in the order shown
        int itemIndex = -1;              // the highlighted item, -1 none
        int left = 0, top = 0, width = kDefaultWidth, height = kDefaultHeight;
    };
    bool isOpen() const { return open_; }
    const List& list() const { return list_; }
    bool mainMenuEnabled() const { return !open_; }
    bool gridEnabled() const { return !open_; }

    void mnuMainCellSelectionClick();
    // The list's own keys or a click moved the highlight.
    void setItemIndex(int index);
    // A mouse button released over the list: only the left one picks.
    void ListBoxMouseUp(MouseButton button);
    // A character typed in the list: Enter picks, Escape leaves; both are
    // consumed (key set to 0), other keys are the list's own.
    void keyTyped(char& key);
    // The grid got the input focus while the list is open.
    void StrGridEnter();

    // Opened, closed or the highlight moved.
    Signal<> changed;

private:
    void pick();
    void close();
    // A label of the table in UTF-8.
    std::string inUtf8(std::string label) const;

    StringGrid& grid_;
    Dialogs& dialogs_;
    const Locale& locale_;
    const WindowGeometry* geometry_;
    const TextMeasure* measure_;
    std::function<text::TextEncoding()> cells_;
    text::TextEncoding encoding_ = text::TextEncoding::Windows1252;  // while the list is open
    bool open_ = false;
    List list_;
};

}  // namespace tabulyst
