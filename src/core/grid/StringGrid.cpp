#include "core/grid/StringGrid.h"

#include <algorithm>

#include "core/grid/HugePages.h"

namespace tabulyst {

StringGrid::StringGrid() : rows_(2), widths_(2, kDefaultColWidth) {}

// --- size ---

void StringGrid::setColCount(int count) {
    count = std::max(count, 1);
    if (count == colCount_) return;
    if (count < colCount_) {
        if (text_) text_->truncate(static_cast<std::size_t>(count));
        // A row whose last cells were emptied may be shorter than its read count: that goes down too.
        const auto n = static_cast<std::uint32_t>(count);
        for (auto& r : rows_)
            if (!r.text() && (r.size() > n || (!r.madeByEditor() && r.readCells() > n))) r.truncate(n);
    }
    colCount_ = count;
    reserveHuge(widths_, static_cast<std::size_t>(count));  // a million columns fault in few pages
    widths_.resize(static_cast<std::size_t>(count), defaultColWidth_);
    if (fixedCols_ >= count) fixedCols_ = count - 1;
    clampCurrent();
    notifyLayout();
}

void StringGrid::setRowCount(int count) {
    count = std::max(count, 1);
    if (count == rowCount()) return;
    rows_.resize(static_cast<std::size_t>(count));
    dropUnusedText();
    if (fixedRows_ >= count) fixedRows_ = count - 1;
    if (!rowHeights_.empty()) rowHeights_.erase(rowHeights_.lower_bound(count), rowHeights_.end());
    clampCurrent();
    notifyLayout();
}

void StringGrid::setFixedCols(int count) {
    if (count < 0 || count >= colCount_) throw GridError("Fixed column count must be less than column count");
    fixedCols_ = count;
    clampCurrent();
    notifyLayout();
}

void StringGrid::setFixedRows(int count) {
    if (count < 0 || count >= rowCount()) throw GridError("Fixed row count must be less than row count");
    fixedRows_ = count;
    clampCurrent();
    notifyLayout();
}

void StringGrid::clampCurrent() {
    auto clampTo = [](int v, int lo, int hi) { return std::min(std::max(v, lo), hi); };
    int oldCol = curCol_, oldRow = curRow_;
    curCol_ = clampTo(curCol_, fixedCols_, colCount_ - 1);
    curRow_ = clampTo(curRow_, fixedRows_, rowCount() - 1);
    anchorCol_ = clampTo(anchorCol_, fixedCols_, colCount_ - 1);
    anchorRow_ = clampTo(anchorRow_, fixedRows_, rowCount() - 1);
    if (oldCol != curCol_ || oldRow != curRow_) notifyCurrent();
}

// --- cells ---

std::string_view StringGrid::cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount()) return {};
    return rows_[static_cast<std::size_t>(row)].cell(static_cast<std::size_t>(col));
}

void StringGrid::setCell(int col, int row, std::string_view text) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount()) return;
    rows_[static_cast<std::size_t>(row)].setCell(static_cast<std::size_t>(col), text);
    dropUnusedText();
    notifyCell(col, row);
}

void StringGrid::setRowCells(int row, RowCells cells) {
    if (row < 0 || row >= rowCount()) return;
    RowCells& target = rows_[static_cast<std::size_t>(row)];
    if (cells.madeByEditor()) cells.setReadCells(target.readCells());
    if (cells.size() > static_cast<std::uint32_t>(colCount_)) cells.truncate(static_cast<std::size_t>(colCount_));
    target = std::move(cells);
    dropUnusedText();
    notifyLayout();
}

void StringGrid::setRows(std::vector<RowCells> rows, std::unique_ptr<TableText> text) {
    if (rows.empty()) rows.emplace_back();
    if (text) text->truncate(static_cast<std::size_t>(colCount_));
    for (auto& r : rows)
        if (!r.text() && r.size() > static_cast<std::uint32_t>(colCount_)) r.truncate(static_cast<std::size_t>(colCount_));
    rows_ = std::move(rows);  // the old rows go before the text they may show
    text_ = std::move(text);
    if (fixedRows_ >= rowCount()) fixedRows_ = rowCount() - 1;
    if (!rowHeights_.empty()) rowHeights_.erase(rowHeights_.lower_bound(rowCount()), rowHeights_.end());
    clampCurrent();
    notifyLayout();
}

void StringGrid::clearCells() {
    for (auto& r : rows_) r.clear();
    text_.reset();
    notifyLayout();
}

void StringGrid::takeTable(StringGrid& from) noexcept {
    // Swapped, not assigned: nothing here allocates, so the grid never shows
    // half a table; the old one goes with from.
    colCount_ = from.colCount_;
    widths_.swap(from.widths_);
    rows_.swap(from.rows_);
    text_.swap(from.text_);
    rowHeights_.clear();
    // As if the grid had been emptied to 2 x 2 before: at most one fixed row
    // and column, the current cell and the anchor on the first cells.
    fixedCols_ = std::min({fixedCols_, 1, colCount_ - 1});
    fixedRows_ = std::min({fixedRows_, 1, rowCount() - 1});
    const int oldCol = curCol_, oldRow = curRow_;
    curCol_ = anchorCol_ = std::min({std::max(curCol_, fixedCols_), 1, colCount_ - 1});
    curRow_ = anchorRow_ = std::min({std::max(curRow_, fixedRows_), 1, rowCount() - 1});
    if (oldCol != curCol_ || oldRow != curRow_) notifyCurrent();
    notifyLayout();
}

// --- widths ---

void StringGrid::setColWidth(int col, int width) {
    if (col < 0 || col >= colCount_) return;
    widths_[static_cast<std::size_t>(col)] = width;
    notifyLayout();
}

void StringGrid::setDefaultColWidth(int width) {
    defaultColWidth_ = width;
    std::fill(widths_.begin(), widths_.end(), width);
    notifyLayout();
}

int StringGrid::rowHeight(int row) const {
    auto it = rowHeights_.find(row);
    return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void StringGrid::setRowHeight(int row, int height) {
    if (row < 0 || row >= rowCount()) return;
    if (height == defaultRowHeight_) rowHeights_.erase(row);
    else rowHeights_[row] = height;
    notifyLayout();
}

// --- current cell and selection ---

bool StringGrid::isScrollable(int col, int row) const {
    return col >= fixedCols_ && col < colCount_ && row >= fixedRows_ && row < rowCount();
}

void StringGrid::checkScrollable(int col, int row) const {
    if (!isScrollable(col, row)) throw GridError("Grid index out of range");
}

bool StringGrid::moveCurrent(int col, int row, bool keepAnchor) {
    checkScrollable(col, row);
    if (events_ && !events_->selectCell(col, row)) return false;
    // The handler may itself have moved the cell or reshaped the grid.
    if (!isScrollable(col, row)) return false;
    if (editorOpen_ && (col != curCol_ || row != curRow_)) closeEditor();
    curCol_ = col;
    curRow_ = row;
    if (!keepAnchor) {
        anchorCol_ = col;
        anchorRow_ = row;
    }
    notifyCurrent();
    if (events_) events_->click();
    return true;
}

bool StringGrid::setCol(int col) { return moveCurrent(col, curRow_, false); }
bool StringGrid::setRow(int row) { return moveCurrent(curCol_, row, false); }
bool StringGrid::setCurrent(int col, int row) { return moveCurrent(col, row, false); }
bool StringGrid::extendTo(int col, int row) { return moveCurrent(col, row, true); }

GridRect StringGrid::selection() const {
    return {std::min(anchorCol_, curCol_), std::min(anchorRow_, curRow_), std::max(anchorCol_, curCol_),
            std::max(anchorRow_, curRow_)};
}

void StringGrid::setSelection(const GridRect& rect) {
    checkScrollable(rect.left, rect.top);
    checkScrollable(rect.right, rect.bottom);
    if (editorOpen_ && (rect.right != curCol_ || rect.bottom != curRow_)) closeEditor();
    anchorCol_ = rect.left;
    anchorRow_ = rect.top;
    curCol_ = rect.right;
    curRow_ = rect.bottom;
    notifyCurrent();
}

bool StringGrid::handleKey(const KeyStroke& stroke, int pageRows) {
    const Modifiers& m = stroke.modifiers;
    const int firstCol = fixedCols_, lastCol = colCount_ - 1;
    const int firstRow = fixedRows_, lastRow = rowCount() - 1;
    if (firstCol > lastCol || firstRow > lastRow) return false;
    int c = curCol_, r = curRow_;
    pageRows = std::max(pageRows, 1);
    switch (stroke.key) {
    case vk::Tab:
        if (m.ctrl || m.alt) return false;
        if (!m.shift) {
            if (c < lastCol) ++c;
            else {
                c = firstCol;
                r = r < lastRow ? r + 1 : firstRow;
            }
        } else {
            if (c > firstCol) --c;
            else {
                c = lastCol;
                r = r > firstRow ? r - 1 : lastRow;
            }
        }
        return moveCurrent(c, r, false), true;
    case vk::Home:
        if (m.alt) return false;
        c = firstCol;
        if (m.ctrl) r = firstRow;
        break;
    case vk::End:
        if (m.alt) return false;
        c = lastCol;
        if (m.ctrl) r = lastRow;
        break;
    case vk::Left: c = m.ctrl ? firstCol : std::max(c - 1, firstCol); break;
    case vk::Right: c = m.ctrl ? lastCol : std::min(c + 1, lastCol); break;
    case vk::Up: r = m.ctrl ? firstRow : std::max(r - 1, firstRow); break;
    case vk::Down: r = m.ctrl ? lastRow : std::min(r + 1, lastRow); break;
    case vk::Prior: r = m.ctrl ? firstRow : std::max(r - pageRows, firstRow); break;
    case vk::Next: r = m.ctrl ? lastRow : std::min(r + pageRows, lastRow); break;
    default: return false;
    }
    if (m.alt) return false;
    if (c == curCol_ && r == curRow_ && (m.shift || selection() == GridRect{c, r, c, r})) return true;
    moveCurrent(c, r, m.shift);
    return true;
}

// --- structure ---

void StringGrid::insertRows(int at, int count) {
    if (count <= 0) return;
    at = std::clamp(at, 0, rowCount());
    rows_.insert(rows_.begin() + at, static_cast<std::size_t>(count), RowCells());
    notifyLayout();
}

void StringGrid::deleteRows(int at, int count) {
    if (at < 0 || at >= rowCount() || count <= 0) return;
    count = std::min(count, rowCount() - at);
    if (count >= rowCount()) count = rowCount() - 1;  // a grid keeps one row
    if (count <= 0) return;
    rows_.erase(rows_.begin() + at, rows_.begin() + at + count);
    dropUnusedText();
    if (fixedRows_ >= rowCount()) fixedRows_ = rowCount() - 1;
    clampCurrent();
    notifyLayout();
}

void StringGrid::insertColumn(int at) {
    at = std::clamp(at, 0, colCount_);
    if (text_) text_->insertCell(static_cast<std::size_t>(at));
    for (auto& r : rows_)
        if (!r.text()) r.insertCell(static_cast<std::size_t>(at));
    widths_.insert(widths_.begin() + at, defaultColWidth_);
    ++colCount_;
    notifyLayout();
}

void StringGrid::deleteColumn(int at) {
    if (at < 0 || at >= colCount_ || colCount_ <= 1) return;
    eraseCells(at, 1);
    widths_.erase(widths_.begin() + at);
    --colCount_;
    if (fixedCols_ >= colCount_) fixedCols_ = colCount_ - 1;
    clampCurrent();
    notifyLayout();
}

void StringGrid::eraseCells(int col, int count) {
    const auto first = static_cast<std::size_t>(col), n = static_cast<std::size_t>(count);
    if (text_) text_->eraseCells(first, n);
    for (auto& r : rows_)
        if (!r.text()) r.eraseCells(first, n);
}

void StringGrid::shiftCellsLeft(int col, int count) {
    if (col < 0 || col >= colCount_ || count <= 0) return;
    eraseCells(col, count);
    notifyLayout();
}

void StringGrid::moveRow(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount()) return;
    auto first = rows_.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
    notifyLayout();
}

void StringGrid::reorderRows(int first, std::span<const std::uint32_t> from) {
    if (first < 0 || static_cast<std::size_t>(first) + from.size() > rows_.size()) return;
    std::vector<RowCells> moved(from.size());
    const auto base = rows_.begin() + first;
    for (std::size_t i = 0; i < from.size(); ++i) moved[i] = std::move(base[from[i]]);
    std::move(moved.begin(), moved.end(), base);
    notifyLayout();
}

void StringGrid::moveColumn(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= colCount_ || to >= colCount_) return;
    if (text_) text_->moveCell(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    for (auto& r : rows_)
        if (!r.text()) r.moveCell(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    auto first = widths_.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
    notifyLayout();
}

void StringGrid::dragRow(int from, int to) {
    if (from == to) return;
    moveRow(from, to);
    if (events_) events_->rowMoved(from, to);
}

void StringGrid::dragColumn(int from, int to) {
    if (from == to) return;
    moveColumn(from, to);
    if (events_) events_->columnMoved(from, to);
}

// --- editor ---

bool StringGrid::openEditor() {
    if (editorOpen_) return true;
    if (!isScrollable(curCol_, curRow_)) return false;
    if (events_) events_->getEditText(curCol_, curRow_);
    editorOpen_ = true;
    editorChanged();
    return true;
}

void StringGrid::editorTextChanged(const std::string& text) {
    setCell(curCol_, curRow_, text);
    if (events_) events_->setEditText(curCol_, curRow_, text);
}

void StringGrid::closeEditor() {
    if (!editorOpen_) return;
    editorOpen_ = false;
    editorChanged();
}

// --- redrawing ---

void StringGrid::beginUpdate() { ++updateDepth_; }

void StringGrid::endUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && pendingLayout_) {
        pendingLayout_ = false;
        layoutChanged();
        currentChanged();
    }
}

void StringGrid::repaint() { notifyLayout(); }

void StringGrid::notifyLayout() {
    if (updateDepth_ > 0) pendingLayout_ = true;
    else layoutChanged();
}

void StringGrid::notifyCurrent() {
    if (updateDepth_ > 0) pendingLayout_ = true;
    else currentChanged();
}

void StringGrid::notifyCell(int col, int row) {
    if (updateDepth_ > 0) pendingLayout_ = true;
    else cellChanged(col, row);
}

}  // namespace tabulyst
