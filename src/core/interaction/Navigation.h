#pragma once
// The select-cell handler every move of the current cell passes, the
// Navigation menu's movements, marking the current row or column, and the
// status line that counts marked rows and columns.
#include <functional>

#include "core/grid/GridTypes.h"
#include "core/platform/Keys.h"

namespace tabulyst {

class StringGrid;
class EditJournal;
class Commands;
class StatusLine;
class EventPump;

class Navigation {
public:
    // findOpen: whether a find or replace dialog is open, which keeps the
    // status line shown through clicks into the grid.
    Navigation(StringGrid& grid, EditJournal& cells, Commands& commands, StatusLine& status, EventPump& events,
               std::function<bool()> findOpen);

    bool StrGridSelectCell(int col, int row);
    void StrGridClick();

    // Sets the selection rectangle; journals a pending edit first when the
    // current cell changes.
    void setSelectionRect(const GridRect& rect);
    void mnuMarkColClick();
    void mnuMarkRowClick();
    void mnuMainNavigationClick();

    // Delivers a key to the open cell editor or the grid as if typed.
    void deliverKey(const KeyStroke& stroke, bool toEditorWhenOpen);

private:
    StringGrid& grid_;
    EditJournal& cells_;
    Commands& commands_;
    StatusLine& status_;
    EventPump& events_;
    std::function<bool()> findOpen_;
};

}  // namespace tabulyst
