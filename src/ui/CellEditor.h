#pragma once
// The in-place editor: a line edit over the grid's current cell. It opens and
// closes as the core's grid says, shows the cell's text, and hands each change
// of its text to the grid; keys the main window or the grid take go to them.
#include <QLineEdit>
#include <string_view>

#include "core/grid/GridTypes.h"

namespace tabulyst {
class StringGrid;
}

namespace tabulyst::ui {

class GridView;

class CellEditor : public QLineEdit, public CellEditorHost {
    Q_OBJECT
public:
    explicit CellEditor(GridView& view);
    void cut() override { QLineEdit::cut(); }
    void copy() override { QLineEdit::copy(); }
    void paste() override { QLineEdit::paste(); }
    void key(int virtualKey, bool shift, bool ctrl, bool alt) override;

    // Opens the grid's editor on the current cell; with replace, typed text
    // takes the cell's place (typing over a cell).
    void open(const QString& text, bool replace);
    // Shows or hides itself as the grid's editor opened or closed.
    void followGrid();
    // Lies over the current cell, or out of sight while the cell is not visible.
    void place();
    // Shows the current cell's text again after a write from elsewhere.
    void syncText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    StringGrid& grid() const;
    // Cell text as the screen shows it, in the open table's encoding.
    QString shown(std::string_view cells) const;

    GridView& view_;
};

}  // namespace tabulyst::ui
