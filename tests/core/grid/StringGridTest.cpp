#include <gtest/gtest.h>

#include "core/grid/StringGrid.h"

namespace tabulyst {
namespace {

TEST(StringGrid, StartsAsTwoByTwoWithOneFixedRowAndColumn) {
    StringGrid g;
    EXPECT_EQ(g.colCount(), 2);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.colWidth(0), 18);
    EXPECT_EQ(g.rowHeight(1), 18);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 1);
}

}  // namespace
}  // namespace tabulyst
