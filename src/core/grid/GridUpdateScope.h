#pragma once
// Switches the grid's redrawing off for a scope and on again on every way out.
#include "core/grid/StringGrid.h"

namespace tabulyst {

class GridUpdateScope {
public:
    explicit GridUpdateScope(StringGrid& grid) : grid_(grid) { grid_.beginUpdate(); }
    ~GridUpdateScope() { grid_.endUpdate(); }
    GridUpdateScope(const GridUpdateScope&) = delete;
    GridUpdateScope& operator=(const GridUpdateScope&) = delete;

private:
    StringGrid& grid_;
};

}  // namespace tabulyst
