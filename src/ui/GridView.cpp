#include "ui/GridView.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "core/app/MainForm.h"
#include "core/grid/StringGrid.h"
#include "core/output/CellLineBreaks.h"
#include "ui/CellEditor.h"
#include "ui/KeyMap.h"
#include "ui/Text.h"

namespace tabulyst::ui {

namespace {
constexpr int kLine = 1;          // grid line width
constexpr int kBorderGrip = 3;    // pixels around a border that start sizing

template <typename F>
void guarded(F&& f) {
    try {
        f();
    } catch (const GridError&) {
        // a move the grid refuses simply does not happen
    }
}
}  // namespace

GridView::GridView(MainForm& form, QWidget* parent) : QAbstractScrollArea(parent), form_(form) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    editor_ = new CellEditor(*this);
    editor_->hide();
    grid().setEditorHost(editor_);
    connections_.connect(grid().layoutChanged, [this] { layoutChanged(); });
    connections_.connect(grid().currentChanged, [this] {
        ensureCurrentVisible();
        viewport()->update();
    });
    connections_.connect(grid().cellChanged, [this](int c, int r) {
        QRect rect = cellRect(c, r);
        if (!rect.isEmpty()) viewport()->update(rect);
        if (c == grid().col() && r == grid().row()) editor_->syncText();
    });
    connections_.connect(grid().editorChanged, [this] { editor_->followGrid(); });
    // The same bytes read as other characters in the other encoding.
    connections_.connect(form_.document.formatChanged, [this] {
        viewport()->update();
        editor_->syncText();
    });
    // Selected cells look different while the grid has the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) {
        if (from == this || to == this || from == editor_ || to == editor_) viewport()->update();
    });
    layoutChanged();
}

GridView::~GridView() { grid().setEditorHost(nullptr); }

StringGrid& GridView::grid() const { return form_.document.StrGrid; }

// --- geometry ---

void GridView::refreshOffsets() const {
    const StringGrid& g = grid();
    colOffsets_.assign(static_cast<std::size_t>(g.colCount()) + 1, 0);
    for (int c = 0; c < g.colCount(); ++c) {
        int w = g.colWidth(c);
        colOffsets_[static_cast<std::size_t>(c) + 1] = colOffsets_[static_cast<std::size_t>(c)] + (w < 0 ? 0 : w + kLine);
    }
}

void GridView::layoutChanged() {
    const StringGrid& g = grid();
    refreshOffsets();
    topRow_ = std::clamp(topRow_, g.fixedRows(), std::max(g.fixedRows(), g.rowCount() - 1));
    leftCol_ = std::clamp(leftCol_, g.fixedCols(), std::max(g.fixedCols(), g.colCount() - 1));
    updateScrollBars();
    editor_->place();
    editor_->syncText();  // a bulk write may have changed the cell being edited
    viewport()->update();
}

int GridView::colLeft(int col) const {
    // While redrawing is off the grid may have grown without telling us yet;
    // a paint in that time (a message box, pending events) must not read past the offsets.
    if (colOffsets_.size() != static_cast<std::size_t>(grid().colCount()) + 1) refreshOffsets();
    return colOffsets_[std::min(static_cast<std::size_t>(std::max(col, 0)), colOffsets_.size() - 1)];
}

int GridView::rowTop(int row) const {
    const StringGrid& g = grid();
    long long y = static_cast<long long>(row) * (g.defaultRowHeight() + kLine);
    for (const auto& [r, h] : g.customRowHeights()) {
        if (r >= row) break;
        y += h - g.defaultRowHeight();
    }
    return static_cast<int>(std::min<long long>(y, INT32_MAX / 2));
}

int GridView::fixedWidth() const { return colLeft(grid().fixedCols()); }
int GridView::fixedHeight() const { return rowTop(grid().fixedRows()); }

int GridView::colX(int col) const {
    if (col < grid().fixedCols()) return colLeft(col);
    return fixedWidth() + colLeft(col) - colLeft(leftCol_);
}

int GridView::rowY(int row) const {
    if (row < grid().fixedRows()) return rowTop(row);
    return fixedHeight() + rowTop(row) - rowTop(topRow_);
}

int GridView::visibleRowCount() const {
    int h = viewport()->height() - fixedHeight();
    return std::max(1, h / (grid().defaultRowHeight() + kLine));
}

int GridView::lastVisibleRow() const {
    const StringGrid& g = grid();
    int y = fixedHeight();
    int r = topRow_;
    while (r < g.rowCount() - 1 && y + g.rowHeight(r) + kLine < viewport()->height()) {
        y += g.rowHeight(r) + kLine;
        ++r;
    }
    return r;
}

QRect GridView::cellRect(int col, int row) const {
    const StringGrid& g = grid();
    if (col < 0 || row < 0 || col >= g.colCount() || row >= g.rowCount() || g.colWidth(col) < 0) return {};
    if (col >= g.fixedCols() && col < leftCol_) return {};
    if (row >= g.fixedRows() && row < topRow_) return {};
    QRect r(colX(col), rowY(row), g.colWidth(col), g.rowHeight(row));
    if (r.top() > viewport()->height() || r.left() > viewport()->width()) return {};
    return r;
}

QPoint GridView::cellAt(const QPoint& pos) const {
    const StringGrid& g = grid();
    int col = -1, row = -1;
    for (int c = 0; c < g.colCount(); ++c) {
        if (c >= g.fixedCols() && c < leftCol_) c = leftCol_;
        if (g.colWidth(c) < 0) continue;
        int x = colX(c);
        if (x > pos.x()) break;
        if (pos.x() < x + g.colWidth(c) + kLine) {
            col = c;
            break;
        }
    }
    for (int r = 0; r < g.rowCount(); ++r) {
        if (r >= g.fixedRows() && r < topRow_) r = topRow_;
        int y = rowY(r);
        if (y > pos.y()) break;
        if (pos.y() < y + g.rowHeight(r) + kLine) {
            row = r;
            break;
        }
    }
    if (col < 0 || row < 0) return {-1, -1};
    return {col, row};
}

void GridView::updateScrollBars() {
    const StringGrid& g = grid();
    verticalScrollBar()->setRange(g.fixedRows(), std::max(g.fixedRows(), g.rowCount() - visibleRowCount()));
    verticalScrollBar()->setPageStep(visibleRowCount());
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setValue(topRow_);
    // The last left column that still fills the view: no scrolling when everything fits.
    int room = viewport()->width() - fixedWidth();
    int maxLeft = g.colCount() - 1;
    while (maxLeft > g.fixedCols()) {
        int w = g.colWidth(maxLeft - 1);
        int step = w < 0 ? 0 : w + kLine;
        int used = colLeft(g.colCount()) - colLeft(maxLeft);
        if (used + step > room) break;
        --maxLeft;
    }
    if (colLeft(g.colCount()) - colLeft(g.fixedCols()) <= room) maxLeft = g.fixedCols();
    horizontalScrollBar()->setRange(g.fixedCols(), std::max(g.fixedCols(), maxLeft));
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(leftCol_);
}

void GridView::scrollContentsBy(int, int) {
    topRow_ = verticalScrollBar()->value();
    leftCol_ = horizontalScrollBar()->value();
    editor_->place();
    viewport()->update();
}

void GridView::scrollToRow(int row) {
    verticalScrollBar()->setValue(row);
    topRow_ = verticalScrollBar()->value();
    viewport()->update();
}

void GridView::ensureCurrentVisible() {
    const StringGrid& g = grid();
    int r = g.row(), c = g.col();
    if (r >= g.fixedRows()) {
        if (r < topRow_) verticalScrollBar()->setValue(r);
        else if (r > lastVisibleRow() || rowY(r) + g.rowHeight(r) > viewport()->height())
            verticalScrollBar()->setValue(std::max(g.fixedRows(), r - visibleRowCount() + 1));
    }
    if (c >= g.fixedCols()) {
        if (c < leftCol_) horizontalScrollBar()->setValue(c);
        else {
            int right = colX(c) + std::max(0, g.colWidth(c));
            int left = leftCol_;
            while (right > viewport()->width() && left < c) {
                right -= std::max(0, g.colWidth(left)) + (g.colWidth(left) < 0 ? 0 : kLine);
                ++left;
            }
            if (left != leftCol_) horizontalScrollBar()->setValue(left);
        }
    }
    topRow_ = verticalScrollBar()->value();
    leftCol_ = horizontalScrollBar()->value();
    editor_->place();
}

// --- painting ---

QColor GridView::colourOf(const Colour& c) const {
    switch (c.system) {
    case SystemColour::Highlight: return palette().color(QPalette::Highlight);
    case SystemColour::ButtonFace: return palette().color(QPalette::Button);
    case SystemColour::Window: return palette().color(QPalette::Base);
    case SystemColour::None: break;
    }
    return QColor(c.r, c.g, c.b);
}

void GridView::drawCell(QPainter& p, int col, int row, const QRect& rect, bool selected, bool fixed) {
    const CellLook look = form_.StrGridDrawCell(col, row, {selected, fixed, paintFocused_});
    p.fillRect(rect, colourOf(look.background));
    std::string_view text = grid().cell(col, row);
    if (text.empty()) return;
    p.setPen(colourOf(look.text));
    if (look.bold != paintBold_) {
        paintBold_ = look.bold;
        QFont f = font();
        if (look.bold) f.setBold(true);
        p.setFont(f);
    }
    p.setClipRect(rect);
    QRect inner = rect.adjusted(kTextInset, kTextInset, 0, 0);
    QString shown;
    forEachShownPart(
        text, [&](std::string_view part) { shown += fromCell(part, cellEncoding_); },
        [&] { shown += QString::fromUtf8(kLineBreakMark.data(), static_cast<qsizetype>(kLineBreakMark.size())); });
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
    p.setClipping(false);
}

void GridView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const StringGrid& g = grid();
    const QRect area = event->rect();
    p.fillRect(area, palette().color(QPalette::Window));
    const GridRect sel = g.selection();
    const int width = viewport()->width(), height = viewport()->height();

    // The grid counts as focused while its cell editor has the focus.
    paintFocused_ = hasFocus() || (editor_ && editor_->hasFocus());
    paintBold_ = false;
    cellEncoding_ = form_.document.format().encoding.cells();
    p.setFont(font());

    // Hidden columns, and columns dragged to no width, are not painted at all.
    std::vector<int> cols;
    for (int c = 0; c < g.fixedCols(); ++c)
        if (g.colWidth(c) > 0) cols.push_back(c);
    for (int c = leftCol_; c < g.colCount() && colX(c) < width; ++c)
        if (g.colWidth(c) > 0) cols.push_back(c);
    std::vector<int> rows;
    for (int r = 0; r < g.fixedRows(); ++r) rows.push_back(r);
    for (int r = topRow_, y = fixedHeight(); r < g.rowCount() && y < height; y += g.rowHeight(r) + kLine, ++r)
        rows.push_back(r);

    const QColor lineColor = palette().color(QPalette::Mid);
    for (int r : rows) {
        int y = rowY(r), h = g.rowHeight(r);
        for (int c : cols) {
            QRect rect(colX(c), y, g.colWidth(c), h);
            if (!rect.adjusted(0, 0, kLine, kLine).intersects(area)) continue;
            bool fixed = r < g.fixedRows() || c < g.fixedCols();
            bool selected = !fixed && sel.contains(c, r);
            drawCell(p, c, r, rect, selected, fixed);
            p.fillRect(QRect(rect.right() + 1, y, kLine, h + kLine), lineColor);
            p.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width(), kLine), lineColor);
        }
    }
    if (hasFocus() && !g.editorOpen()) {
        QRect cur = cellRect(g.col(), g.row());
        if (!cur.isEmpty()) {
            p.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
            p.drawRect(cur.adjusted(0, 0, -1, -1));
        }
    }
}

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    editor_->place();
    // Column fitting in the core is limited by the visible width.
    grid().setClientWidth(viewport()->width());
}

// --- keys ---

bool GridView::focusNextPrevChild(bool) { return false; }

bool GridView::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void GridView::forwardKey(QKeyEvent* event) {
    KeyStroke s = strokeOf(*event);
    if (s.key == 0) return;
    guarded([&] { grid().handleKey(s, visibleRowCount()); });
}

void GridView::keyPressEvent(QKeyEvent* event) {
    KeyStroke s = strokeOf(*event);
    if (s.key != 0) {
        form_.StrGridKeyDown(s);
        if (s.key == 0) return;
    }
    const auto m = event->modifiers();
    const QString text = event->text();
    bool printable = !text.isEmpty() && text.at(0).isPrint() && !(m & Qt::ControlModifier) && !(m & Qt::AltModifier);
    if (printable) {
        editor_->open(text, true);
        return;
    }
    if (event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        editor_->open(QString(), false);
        return;
    }
    if (event->key() == Qt::Key_Backspace && !(m & (Qt::ControlModifier | Qt::AltModifier))) {
        editor_->open(QString(), true);  // like typing over the cell: it starts empty
        return;
    }
    forwardKey(event);
}

// Characters composed by the input method (dead keys such as ^ or ´ + e)
// arrive here instead of as key presses; they start editing like typed ones.
void GridView::inputMethodEvent(QInputMethodEvent* event) {
    const QString text = event->commitString();
    if (!text.isEmpty()) editor_->open(text, true);
    event->accept();
}

// --- mouse ---

int GridView::borderColAt(const QPoint& pos) const {
    const StringGrid& g = grid();
    if (pos.y() >= fixedHeight()) return -1;
    for (int c = 0; c < g.colCount(); ++c) {
        if (c >= g.fixedCols() && c < leftCol_) c = leftCol_;
        if (g.colWidth(c) < 0) continue;
        int right = colX(c) + g.colWidth(c);
        if (std::abs(pos.x() - right) <= kBorderGrip) return c;
        if (right > pos.x() + kBorderGrip) break;
    }
    return -1;
}

int GridView::borderRowAt(const QPoint& pos) const {
    const StringGrid& g = grid();
    if (pos.x() >= fixedWidth()) return -1;
    for (int r = 0; r < g.rowCount(); ++r) {
        if (r >= g.fixedRows() && r < topRow_) r = topRow_;
        int bottom = rowY(r) + g.rowHeight(r);
        if (std::abs(pos.y() - bottom) <= kBorderGrip) return r;
        if (bottom > pos.y() + kBorderGrip) break;
    }
    return -1;
}

void GridView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    {
        // Any button may begin a header click that sorts; a press on a column's
        // border grip sizes the column instead.
        const QPoint at = event->position().toPoint();
        const bool grip = event->button() == Qt::LeftButton && borderColAt(at) >= 0;
        form_.StrGridMouseDown(grip ? -1 : cellAt(at).x());
    }
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const StringGrid& g = grid();
    if (int c = borderColAt(pos); c >= 0) {
        drag_ = Drag::ResizeCol;
        dragIndex_ = c;
        dragStart_ = pos.x();
        dragOriginalSize_ = g.colWidth(c);
        return;
    }
    if (int r = borderRowAt(pos); r >= 0) {
        drag_ = Drag::ResizeRow;
        dragIndex_ = r;
        dragStart_ = pos.y();
        dragOriginalSize_ = g.rowHeight(r);
        return;
    }
    QPoint cell = cellAt(pos);
    if (cell.x() < 0) return;
    if (cell.y() == 0 && g.fixedRows() > 0 && cell.x() >= g.fixedCols()) {
        drag_ = Drag::MoveCol;
        dragIndex_ = cell.x();
        return;
    }
    if (cell.x() == 0 && g.fixedCols() > 0 && cell.y() >= g.fixedRows()) {
        drag_ = Drag::MoveRow;
        dragIndex_ = cell.y();
        return;
    }
    if (!g.isScrollable(cell.x(), cell.y())) return;
    drag_ = Drag::Select;
    guarded([&] {
        if (event->modifiers() & Qt::ShiftModifier) grid().extendTo(cell.x(), cell.y());
        else grid().setCurrent(cell.x(), cell.y());
    });
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (drag_) {
    case Drag::ResizeCol:
        grid().setColWidth(dragIndex_, std::max(0, dragOriginalSize_ + pos.x() - dragStart_));
        return;
    case Drag::ResizeRow:
        grid().setRowHeight(dragIndex_, std::max(0, dragOriginalSize_ + pos.y() - dragStart_));
        return;
    case Drag::Select: {
        QPoint cell = cellAt(pos);
        if (cell.x() >= 0 && grid().isScrollable(cell.x(), cell.y()) &&
            (cell.x() != grid().col() || cell.y() != grid().row()))
            guarded([&] { grid().extendTo(cell.x(), cell.y()); });
        return;
    }
    case Drag::None:
        if (borderColAt(pos) >= 0) viewport()->setCursor(Qt::SplitHCursor);
        else if (borderRowAt(pos) >= 0) viewport()->setCursor(Qt::SplitVCursor);
        else viewport()->unsetCursor();
        return;
    default:
        return;
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint cell = cellAt(event->position().toPoint());
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (drag == Drag::MoveCol && cell.x() >= grid().fixedCols() && cell.x() != dragIndex_)
        guarded([&] { grid().dragColumn(dragIndex_, cell.x()); });
    else if (drag == Drag::MoveRow && cell.y() >= grid().fixedRows() && cell.y() != dragIndex_)
        guarded([&] { grid().dragRow(dragIndex_, cell.y()); });
    else if (drag == Drag::MoveCol || drag == Drag::MoveRow)
        form_.headerClick();  // a plain click on a header cell
    // A release in the header cell the press began in sorts by its column.
    const QRect rect = cellRect(cell.x(), cell.y());
    form_.StrGridMouseUp(cell.x(), cell.y(), rect.left(), rect.left() + rect.width(), event->position().toPoint().x(),
                         event->modifiers() & Qt::ShiftModifier);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    QPoint cell = cellAt(event->position().toPoint());
    if (cell.x() == grid().col() && cell.y() == grid().row() && grid().isScrollable(cell.x(), cell.y()))
        editor_->open(QString(), false);
}

}  // namespace tabulyst::ui
