#include "core/interaction/Navigation.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/window/Commands.h"
#include "core/window/StatusLine.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Desktop.h"
#include "core/document/EditJournal.h"

namespace tabulyst {

Navigation::Navigation(StringGrid& grid, EditJournal& cells, Commands& commands, StatusLine& status,
                       EventPump& events, std::function<bool()> findOpen)
    : grid_(grid), cells_(cells), commands_(commands), status_(status), events_(events),
      findOpen_(std::move(findOpen)) {
    struct Move {
        const char* command;
        KeyStroke stroke;
        bool toEditor;
    };
    static const Move moves[] = {
        {"mnuMainJumpToNextCellRight", {vk::Tab, mods::None}, false},
        {"mnuMainJumpToNextCellLeft", {vk::Tab, mods::Shift}, false},
        {"mnuMainJumpToStartOfLineCol", {vk::Home, mods::Ctrl}, false},
        {"mnuMainJumpToEndOfLineCol", {vk::End, mods::Ctrl}, false},
        {"mnuMainJumpToStartOfLine", {vk::Home, mods::None}, true},
        {"mnuMainJumpToEndOfLine", {vk::End, mods::None}, true},
    };
    for (const auto& m : moves) commands_.on(m.command, [this, m] { deliverKey(m.stroke, m.toEditor); });
    commands_.on("mnuMarkCol", [this] { mnuMarkColClick(); });
    commands_.on("mnuMarkRow", [this] { mnuMarkRowClick(); });
}

bool Navigation::StrGridSelectCell(int col, int row) {
    if (grid_.isHidden(col)) {
        int current = grid_.col();
        int found = -1;
        if (col < current) {
            // Column 0 and the fixed columns can never become current.
            for (int c = col; c >= std::max(1, grid_.fixedCols()); --c)
                if (!grid_.isHidden(c)) {
                    found = c;
                    break;
                }
        } else if (col > current) {
            for (int c = col; c < grid_.colCount(); ++c)
                if (!grid_.isHidden(c)) {
                    found = c;
                    break;
                }
        }
        if (found >= 0) grid_.setCol(found);
        return false;
    }
    cells_.RecordPendingEdit(col, row);
    return true;
}

void Navigation::StrGridClick() {
    GridRect sel = grid_.selection();
    if (sel.height() > 1 || sel.width() > 1) {
        status_.ShowStatusText(std::to_string(sel.height()) + " marked Rows, " + std::to_string(sel.width()) +
                               " marked Columns");
    } else if (status_.visible() && !(findOpen_ && findOpen_())) {
        status_.hide();
        grid_.repaint();
    }
}

void Navigation::setSelectionRect(const GridRect& rect) {
    if (rect.right != grid_.col() || rect.bottom != grid_.row()) cells_.RecordPendingEdit(rect.right, rect.bottom);
    grid_.setSelection(rect);
}

void Navigation::mnuMarkColClick() {
    setSelectionRect({grid_.col(), grid_.fixedRows(), grid_.col(), grid_.rowCount() - 1});
}

void Navigation::mnuMarkRowClick() {
    setSelectionRect({grid_.fixedCols(), grid_.row(), grid_.colCount() - 1, grid_.row()});
}

void Navigation::mnuMainNavigationClick() {
    bool editor = grid_.editorOpen();
    commands_.setEnabled("mnuMainJumpToStartOfLine", !editor);
    commands_.setEnabled("mnuMainJumpToEndOfLine", !editor);
    commands_.setShortcut("mnuMainJumpToStartOfLine", editor ? "" : "Home");
    commands_.setShortcut("mnuMainJumpToEndOfLine", editor ? "" : "End");
}

void Navigation::deliverKey(const KeyStroke& stroke, bool toEditorWhenOpen) {
    events_.processEvents();
    // The key goes straight to its receiver with its modifiers, so no
    // synthesized modifier press is needed and no menu shortcut can fire.
    if (toEditorWhenOpen && grid_.editorOpen() && grid_.editorHost()) {
        const auto& m = stroke.modifiers;
        grid_.editorHost()->key(stroke.key, m.shift, m.ctrl, m.alt);
        return;
    }
    grid_.handleKey(stroke);
}

}  // namespace tabulyst
