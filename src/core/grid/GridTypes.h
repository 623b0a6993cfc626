#pragma once
#include <stdexcept>
#include <string>

namespace tabulyst {

// A cell rectangle, inclusive on all sides.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool contains(int col, int row) const { return col >= left && col <= right && row >= top && row <= bottom; }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// Raised for an operation the grid cannot do: a fixed count out of range,
// a current cell outside the scrollable area. Callers catch it.
class GridError : public std::runtime_error {
public:
    explicit GridError(const std::string& what) : std::runtime_error(what) {}
};

// What the grid asks of its owner, in the order a toolkit grid raises it.
class GridEvents {
public:
    virtual ~GridEvents() = default;
    // Before the current cell moves; false refuses the move.
    virtual bool selectCell(int col, int row) = 0;
    // After an accepted move of the current cell, and after a mouse click.
    virtual void click() = 0;
    // The in-place editor opens on a cell.
    virtual void getEditText(int col, int row) = 0;
    // The in-place editor's text changed; the cell holds it already.
    virtual void setEditText(int col, int row, const std::string& value) = 0;
    // The user dragged a row or column; the grid has moved it already.
    virtual void rowMoved(int from, int to) = 0;
    virtual void columnMoved(int from, int to) = 0;
};

// The open in-place editor, as the ui provides it.
class CellEditorHost {
public:
    virtual ~CellEditorHost() = default;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    // A key delivered to the editor as if typed (Home, End, Delete ...).
    virtual void key(int virtualKey, bool shift, bool ctrl, bool alt) = 0;
};

}  // namespace tabulyst
