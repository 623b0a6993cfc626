#pragma once
// The string grid: cell texts (Windows-1252 bytes) per column and row, fixed
// rows and columns, widths, the current cell and the selection. It raises the
// events a toolkit grid raises and tells the ui what changed; it draws nothing.
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Signal.h"
#include "core/grid/GridTypes.h"
#include "core/grid/RowCells.h"
#include "core/grid/TableText.h"
#include "core/platform/Keys.h"

namespace tabulyst {

class StringGrid {
public:
    static constexpr int kDefaultColWidth = 18;
    static constexpr int kDefaultRowHeight = 18;
    static constexpr int kHiddenWidth = -1;

    StringGrid();

    void setEvents(GridEvents* events) { events_ = events; }
    void setEditorHost(CellEditorHost* host) { editorHost_ = host; }
    CellEditorHost* editorHost() const { return editorHost_; }

    // --- size ---
    int colCount() const { return colCount_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // A count below 1 counts as 1; lowering it to the fixed number or below
    // lowers the fixed number to count - 1.
    void setColCount(int count);
    void setRowCount(int count);
    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }
    // Throws GridError when count is negative or not below the column / row count.
    void setFixedCols(int count);
    void setFixedRows(int count);

    // --- cells ---
    // The view stays valid until the row is written or the grid reshaped.
    std::string_view cell(int col, int row) const;
    std::string cellText(int col, int row) const { return std::string(cell(col, row)); }
    void setCell(int col, int row, std::string_view text);
    // Replaces a whole row at once; cells past the column count are dropped.
    // Cells built without a read count keep the one of the row they replace:
    // rewriting a row's texts does not make it a new row.
    void setRowCells(int row, RowCells cells);
    // Replaces all rows at once (loading): the row count becomes rows.size().
    // The grid keeps text for the rows that show its lines.
    void setRows(std::vector<RowCells> rows, std::unique_ptr<TableText> text = nullptr);
    // The text the rows read from a file show, or nullptr.
    const TableText* text() const { return text_.get(); }
    const RowCells& rowCells(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // Empties every cell, fixed ones included.
    void clearCells();
    // Takes the cells, column count and widths of a table read on the side
    // (which must have rows and a width per column); from gets the old ones.
    // The rest is as after emptying the grid to 2 x 2: at most one fixed row
    // and column, the current cell on the first cells.
    void takeTable(StringGrid& from) noexcept;

    // --- widths and heights ---
    int colWidth(int col) const { return widths_[static_cast<std::size_t>(col)]; }
    void setColWidth(int col, int width);
    bool isHidden(int col) const { return colWidth(col) == kHiddenWidth; }
    int defaultColWidth() const { return defaultColWidth_; }
    // The grid widget's visible width in pixels, kept set by the ui; fitting
    // column widths uses two thirds of it.
    int clientWidth() const { return clientWidth_; }
    void setClientWidth(int width) { clientWidth_ = width; }
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return defaultRowHeight_; }
    int rowHeight(int row) const;
    void setRowHeight(int row, int height);
    const std::map<int, int>& customRowHeights() const { return rowHeights_; }

    // --- current cell and selection ---
    int col() const { return curCol_; }
    int row() const { return curRow_; }
    // Each raises select-cell and, when accepted, click. Throws GridError for a
    // cell outside the scrollable area. Returns whether the move was accepted.
    bool setCol(int col);
    bool setRow(int row);
    bool setCurrent(int col, int row);
    // Moves the current cell and keeps the anchor (Shift+arrow, Shift+click).
    bool extendTo(int col, int row);
    GridRect selection() const;
    // Sets the rectangle directly: anchor at top-left, current cell at
    // bottom-right; raises no event.
    void setSelection(const GridRect& rect);
    bool isScrollable(int col, int row) const;

    // The grid's own answer to a key (arrows, page keys, Tab, Home, End, with
    // Ctrl and Shift); pageRows is the number of rows the view shows. Returns
    // whether the key is one the grid moves on.
    bool handleKey(const KeyStroke& stroke, int pageRows = 10);

    // --- structure ---
    void insertRows(int at, int count);
    void deleteRows(int at, int count);
    void insertColumn(int at);
    void deleteColumn(int at);
    // Every row loses its count cells from col on; the cells right of them move
    // count columns left, in one pass per row. The column count and the widths stay.
    void shiftCellsLeft(int col, int count = 1);
    // Moves a row or column (cells and width) from one index to another.
    void moveRow(int from, int to);
    void moveColumn(int from, int to);
    // Row first + i takes the cells of the old row first + from[i] (sorting);
    // from must be a permutation of 0 .. its size - 1.
    void reorderRows(int first, std::span<const std::uint32_t> from);
    // The user dragged a header cell: move, then raise the moved event.
    void dragRow(int from, int to);
    void dragColumn(int from, int to);

    // --- in-place editor ---
    bool editorOpen() const { return editorOpen_; }
    // Opens the editor on the current cell (raises getEditText).
    bool openEditor();
    // The editor's text changed: stores it, raises setEditText.
    void editorTextChanged(const std::string& text);
    void closeEditor();

    // --- redrawing ---
    void beginUpdate();
    void endUpdate();
    bool updating() const { return updateDepth_ > 0; }
    void repaint();

    // What changed, for the ui.
    Signal<int, int> cellChanged;
    Signal<> layoutChanged;     // counts, fixed counts, widths, heights, whole-table writes
    Signal<> currentChanged;    // current cell or selection
    Signal<> editorChanged;     // opened or closed

private:
    bool moveCurrent(int col, int row, bool keepAnchor);
    void checkScrollable(int col, int row) const;
    void clampCurrent();
    void notifyLayout();
    void notifyCurrent();
    void notifyCell(int col, int row);
    // Every row loses its count cells from col on (no notification).
    void eraseCells(int col, int count);
    // Lets the text go when every row has a block of its own.
    void dropUnusedText() {
        if (text_ && text_->rowsShown() == 0) text_.reset();
    }

    GridEvents* events_ = nullptr;
    CellEditorHost* editorHost_ = nullptr;
    int colCount_ = 2;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    // The text of the rows that show a line read from a file: their column
    // edits are made once here, for all of them. It goes once no row shows a
    // line any more (declared before the rows, so they go first).
    std::unique_ptr<TableText> text_;
    std::vector<RowCells> rows_;
    std::vector<int> widths_;
    std::map<int, int> rowHeights_;  // only rows the user resized
    int defaultColWidth_ = kDefaultColWidth;
    int defaultRowHeight_ = kDefaultRowHeight;
    int curCol_ = 1, curRow_ = 1;
    int anchorCol_ = 1, anchorRow_ = 1;
    int clientWidth_ = 0;
    bool editorOpen_ = false;
    int updateDepth_ = 0;
    bool pendingLayout_ = false;
};

}  // namespace tabulyst
