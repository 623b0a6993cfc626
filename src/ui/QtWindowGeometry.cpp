#include "ui/QtWindowGeometry.h"

#include "ui/GridView.h"

namespace tabulyst::ui {

PixelPoint QtWindowGeometry::cellTopLeft(int col, int row) const {
    if (!window_) return {};
    GridView* grid = window_->gridView();
    const QRect cell = grid->cellRect(col, row);
    // A cell scrolled out of sight has no rectangle: the grid's corner stands in.
    const QPoint corner = grid->viewport()->mapTo(window_.data(), cell.isEmpty() ? QPoint() : cell.topLeft());
    return {corner.x(), corner.y()};
}

int QtWindowGeometry::windowHeight() const { return window_ ? window_->height() : 0; }

}  // namespace tabulyst::ui
