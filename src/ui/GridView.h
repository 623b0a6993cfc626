#pragma once
// Draws the core's string grid and turns mouse and keys into grid operations.
// Only the visible cells are painted; nothing per frame depends on the row count.
#include <QAbstractScrollArea>
#include <QPointer>
#include <functional>
#include <vector>

#include "core/base/Signal.h"
#include "core/grid/GridTypes.h"
#include "core/text/TextEncoding.h"

namespace tabulyst {
class MainForm;
class StringGrid;
struct Colour;
}  // namespace tabulyst

namespace tabulyst::ui {

class CellEditor;

class GridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Cell text is painted this far right of and below the cell's corner.
    static constexpr int kTextInset = 2;

    explicit GridView(MainForm& form, QWidget* parent = nullptr);
    ~GridView() override;

    // The cell under a viewport point, or (-1, -1).
    QPoint cellAt(const QPoint& pos) const;
    // A cell's rectangle in viewport coordinates (empty when not visible).
    QRect cellRect(int col, int row) const;
    int visibleRowCount() const;
    int topRow() const { return topRow_; }
    int leftCol() const { return leftCol_; }
    // Scrolls so that row is the first scrollable row shown.
    void scrollToRow(int row);
    CellEditor* editor() const { return editor_; }
    // Tells whether a key is the shortcut of an enabled menu command: such keys
    // go to the command even while a cell is being edited.
    void setMenuShortcutTest(std::function<bool(const QKeyEvent&)> test) { isMenuShortcut_ = std::move(test); }
    bool isMenuShortcut(const QKeyEvent& event) const { return isMenuShortcut_ && isMenuShortcut_(event); }
    // Paints one cell as the core's draw-cell decision says.
    virtual void drawCell(QPainter& p, int col, int row, const QRect& rect, bool selected, bool fixed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;

private:
    friend class CellEditor;
    enum class Drag { None, Select, ResizeCol, ResizeRow, MoveCol, MoveRow };

    StringGrid& grid() const;
    void layoutChanged();
    void refreshOffsets() const;
    void updateScrollBars();
    void ensureCurrentVisible();
    int colX(int col) const;   // viewport x of a column's left edge, scrolling applied
    int rowY(int row) const;   // viewport y of a row's top edge, scrolling applied
    int rowTop(int row) const;  // unscrolled y of a row
    int colLeft(int col) const; // unscrolled x of a column
    int fixedWidth() const;
    int fixedHeight() const;
    int lastVisibleRow() const;
    int borderColAt(const QPoint& pos) const;
    int borderRowAt(const QPoint& pos) const;
    void forwardKey(QKeyEvent* event);
    QColor colourOf(const Colour& colour) const;

    MainForm& form_;
    Connections connections_;  // the grid may outlive the widget
    CellEditor* editor_ = nullptr;
    std::function<bool(const QKeyEvent&)> isMenuShortcut_;
    mutable std::vector<int> colOffsets_;  // unscrolled left edge of each column, hidden ones zero-wide
    int topRow_ = 1;
    int leftCol_ = 1;
    Drag drag_ = Drag::None;
    int dragIndex_ = -1;
    int dragStart_ = 0;
    int dragOriginalSize_ = 0;
    bool paintFocused_ = false;  // set for each paint
    bool paintBold_ = false;     // the painter's font is the bold one
    text::TextEncoding cellEncoding_ = text::TextEncoding::Windows1252;  // of the cells painted
};

}  // namespace tabulyst::ui
