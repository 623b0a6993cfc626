#pragma once
// The in-place editor over the grid's current cell. It opens and closes as the
// core's grid says, shows the cell's text, and hands each change of its text to
// the grid; keys the main window or the grid take go to them. A cell with line
// breaks shows as lines of their own, the editor growing down over the rows below.
#include <QPlainTextEdit>
#include <string_view>

#include "core/grid/GridTypes.h"

namespace tabulyst {
class StringGrid;
}

namespace tabulyst::ui {

class GridView;

class CellEditor : public QPlainTextEdit, public CellEditorHost {
    Q_OBJECT
public:
    explicit CellEditor(GridView& view);
    void cut() override { QPlainTextEdit::cut(); }
    void copy() override { QPlainTextEdit::copy(); }
    void paste() override { QPlainTextEdit::paste(); }
    void key(int virtualKey, bool shift, bool ctrl, bool alt) override;

    // The text as the editor shows it: each line break of the cell one "\n".
    QString text() const;
    // Opens the grid's editor on the current cell; with replace, typed text
    // takes the cell's place (typing over a cell).
    void open(const QString& text, bool replace);
    // Shows or hides itself as the grid's editor opened or closed.
    void followGrid();
    // Lies over the current cell, or out of sight while the cell is not visible;
    // as tall as its lines, as far as the view reaches below the cell.
    void place();
    // Shows the current cell's text again after a write from elsewhere.
    void syncText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    StringGrid& grid() const;
    // Cell text as the editor shows it, in the open table's encoding.
    QString shown(std::string_view cells) const;
    // Shows text without handing it to the grid, the caret at caret.
    void setShown(const QString& text, int caret);
    // The user changed the text: the grid takes it, or it goes back.
    void edited();

    GridView& view_;
    bool setting_ = false;  // the text is being set, not edited
};

}  // namespace tabulyst::ui
