#include "core/files/FitColumnWidths.h"

#include <gtest/gtest.h>

#include "core/grid/StringGrid.h"
#include "support/FakePlatform.h"

namespace tabulyst {
namespace {

TEST(FitColumnWidths, WantedWidthRoundsHalfToEven) {
    EXPECT_EQ(wantedColumnWidth(0), 0);    // 0.5 -> 0
    EXPECT_EQ(wantedColumnWidth(1), 2);    // 1.75
    EXPECT_EQ(wantedColumnWidth(2), 3);    // 3.0
    EXPECT_EQ(wantedColumnWidth(3), 4);    // 4.25
    EXPECT_EQ(wantedColumnWidth(4), 6);    // 5.5 -> 6
    EXPECT_EQ(wantedColumnWidth(8), 10);   // 10.5 -> 10
    EXPECT_EQ(wantedColumnWidth(60), 76);  // 75.5 -> 76
}

class FitColumnWidthsGrid : public ::testing::Test {
protected:
    FitColumnWidthsGrid() {
        grid.setColCount(5);
        grid.setRowCount(3);
        grid.setDefaultColWidth(20);
    }
    StringGrid grid;
    testing::FakeDesktop measure;  // 6 pixels per character
};

TEST_F(FitColumnWidthsGrid, WidensToTheWidestTextIncludingFixedCells) {
    grid.setCell(0, 2, "12345");        // 30 px -> 38
    grid.setCell(1, 1, "abcdefgh");     // 48 px -> 60
    grid.setCell(1, 2, "abcdefghijk");  // 66 px -> 83
    grid.setCell(2, 0, "x");            // 6 px -> 8, narrower than 20
    FitColumnWidths(grid, 1000, measure);
    EXPECT_EQ(grid.colWidth(0), 38);
    EXPECT_EQ(grid.colWidth(1), 83);
    EXPECT_EQ(grid.colWidth(2), 20);  // never narrower
    EXPECT_EQ(grid.colWidth(3), 20);  // empty column
}

TEST_F(FitColumnWidthsGrid, SkipsHiddenColumnsAndCapsAtTheMaximum) {
    grid.setColWidth(2, StringGrid::kHiddenWidth);
    grid.setColWidth(3, 150);
    for (int c = 1; c < 5; ++c) grid.setCell(c, 1, std::string(40, 'w'));  // 240 px -> 300
    FitColumnWidths(grid, 100, measure);
    EXPECT_EQ(grid.colWidth(1), 100);
    EXPECT_EQ(grid.colWidth(2), StringGrid::kHiddenWidth);
    EXPECT_EQ(grid.colWidth(3), 150);  // already wider than the maximum
    EXPECT_EQ(grid.colWidth(4), 100);
}

}  // namespace
}  // namespace tabulyst
