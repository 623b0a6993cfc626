#include <gtest/gtest.h>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class FixedHeadersTest : public FormFixture {};

TEST_F(FixedHeadersTest, RowsAboveTheCurrentCellFreezeAndReleaseAroundIt) {
    fill(8, 10);
    grid().setCurrent(3, 5);
    commands().trigger("mnuMainSetHeader");
    EXPECT_EQ(grid().fixedRows(), 5);
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_EQ(current(), std::make_pair(3, 5));
    EXPECT_FALSE(grid().isScrollable(3, 4));  // frozen cells take no current cell, hence no editor
    grid().setCurrent(3, 8);
    commands().trigger("mnuMainReleaseHeader");
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(current(), std::make_pair(3, 8));
}

TEST_F(FixedHeadersTest, ColumnsAndBothTogether) {
    fill(8, 10);
    grid().setCurrent(1, 4);
    commands().trigger("mnuMainSetColHeader");  // in column 1 nothing changes
    EXPECT_EQ(grid().fixedCols(), 1);
    grid().setCurrent(4, 6);
    commands().trigger("mnuMainSetHeaderAndCols");
    EXPECT_EQ(grid().fixedRows(), 6);
    EXPECT_EQ(grid().fixedCols(), 4);
    EXPECT_EQ(current(), std::make_pair(4, 6));
    grid().setCurrent(6, 7);
    commands().trigger("mnuMainReleaseColHeader");
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_EQ(grid().fixedRows(), 6);
    commands().trigger("mnuMainSetColHeader");
    commands().trigger("mnuMainUnSetHeaderAndCols");
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_EQ(current(), std::make_pair(6, 7));
}

TEST_F(FixedHeadersTest, FixingKeepsTheJournalTheModifiedStateAndAPendingEdit) {
    fill(8, 10);
    grid().setCurrent(2, 2);
    type("first");
    grid().setCurrent(3, 5);
    type("pending");
    const int journalPos = journal().JournalPos;
    commands().trigger("mnuMainSetHeaderAndCols");
    EXPECT_EQ(journal().JournalPos, journalPos);
    EXPECT_TRUE(journal().Modified);
    EXPECT_FALSE(journal().JournalSuspended);
    EXPECT_EQ(grid().cell(3, 5), "pending");
    // The edit still pending in the current cell is journaled when the cell is left.
    grid().setCurrent(4, 6);
    commands().trigger("mnuMainUndo");
    EXPECT_EQ(grid().cell(3, 5), "3,5");
    EXPECT_EQ(grid().cell(2, 2), "first");
}

TEST_F(FixedHeadersTest, AGridWithoutRoomForAFixedRowStaysAsItIs) {
    grid().setRowCount(1);  // a single row cannot have a fixed one
    ASSERT_EQ(grid().fixedRows(), 0);
    commands().trigger("mnuMainReleaseHeader");
    EXPECT_EQ(grid().fixedRows(), 0);
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

}  // namespace
}  // namespace tabulyst::testing
