#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/grid/RowCells.h"

namespace tabulyst {
namespace {

RowCells rowOf(std::vector<std::string_view> cells) { return RowCells::fromCells(cells); }

// Shortening a cell rewrites the row inside its own block; the text may come
// from anywhere in that row.
TEST(RowCellsTest, ShorterTextsFromTheRowItselfKeepEveryOtherCell) {
    RowCells row = rowOf({"0", "  left", "right  ", "middle", "last"});
    row.setCell(1, row.cell(1).substr(2));  // the cell's own end
    row.setCell(2, row.cell(2).substr(0, 5));  // the cell's own start
    row.setCell(3, row.cell(1).substr(0, 2));  // an earlier cell
    row.setCell(0, row.cell(4));  // a later, longer cell: the row grows
    row.setCell(4, "");
    EXPECT_EQ(row.size(), 5u);
    EXPECT_EQ(row.cell(0), "last");
    EXPECT_EQ(row.cell(1), "left");
    EXPECT_EQ(row.cell(2), "right");
    EXPECT_EQ(row.cell(3), "le");
    EXPECT_EQ(row.cell(4), "");
    EXPECT_EQ(row.byteSize(), 4u + 4u + 5u + 2u);

    RowCells copy = row;  // what a shrunken block copies
    row.setCell(3, "grown beyond the old block");
    EXPECT_EQ(copy.cell(3), "le");
    EXPECT_EQ(row.cell(3), "grown beyond the old block");
    EXPECT_EQ(row.cell(2), "right");
    EXPECT_EQ(row.cell(4), "");
}

}  // namespace
// The header row's numbers, written straight into the block after the cells kept.
TEST(RowCellsTest, NumberedRowsKeepTheirFirstCellsAndNumberTheRest) {
    struct Case {
        std::vector<std::string_view> kept;
        std::uint32_t count;
    };
    const Case cases[] = {{{}, 3}, {{""}, 12}, {{"x"}, 1001}, {{"a", "bb", "ccc"}, 2}, {{"Name", ""}, 100000}};
    for (const Case& c : cases) {
        const RowCells row = RowCells::numbered(c.kept, c.count);
        ASSERT_EQ(row.size(), c.count);
        for (std::uint32_t i = 0; i < c.count; ++i) {
            const std::string want = i < c.kept.size() ? std::string(c.kept[i]) : std::to_string(i);
            ASSERT_EQ(row.cell(i), want) << "cell " << i << " of " << c.count;
        }
    }
}

}  // namespace tabulyst
