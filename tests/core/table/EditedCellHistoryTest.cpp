#include <gtest/gtest.h>

#include <utility>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Cell = std::pair<int, int>;

class EditedCellHistoryTest : public FormFixture {
protected:
    EditedCellHistoryTest() { fill(8, 10); }
    void edit(int col, int row, const std::string& text) {
        grid().setCurrent(col, row);
        type(text);
    }
    Cell back() { return runAndLocate("mnuMainJumpBackLastChangedCell"); }
    Cell forward() { return runAndLocate("mnuMainJumpVorwardLastChangedCell"); }
    // The menu item and its toolbar button, which must agree.
    bool backOn() {
        EXPECT_EQ(commands().enabled("ToolButton15"), commands().enabled("mnuMainJumpBackLastChangedCell"));
        return commands().enabled("mnuMainJumpBackLastChangedCell");
    }
    bool forwardOn() {
        EXPECT_EQ(commands().enabled("ToolButton16"), commands().enabled("mnuMainJumpVorwardLastChangedCell"));
        return commands().enabled("mnuMainJumpVorwardLastChangedCell");
    }
};

TEST_F(EditedCellHistoryTest, BackWalksNewestFirstAndForwardReturns) {
    EXPECT_FALSE(backOn());
    EXPECT_FALSE(forwardOn());
    edit(2, 2, "A");
    edit(5, 7, "B");
    grid().setCurrent(1, 9);
    EXPECT_TRUE(backOn());
    EXPECT_FALSE(forwardOn());
    EXPECT_EQ(back(), Cell(5, 7));
    EXPECT_TRUE(backOn());
    EXPECT_FALSE(forwardOn());
    EXPECT_EQ(back(), Cell(2, 2));
    EXPECT_FALSE(backOn());  // nothing older
    EXPECT_TRUE(forwardOn());
    EXPECT_EQ(forward(), Cell(5, 7));
    EXPECT_TRUE(backOn());
    EXPECT_FALSE(forwardOn());
    EXPECT_EQ(forward(), Cell(5, 7));  // nothing newer: stays
    EXPECT_FALSE(forwardOn());
    EXPECT_EQ(back(), Cell(2, 2));
    // Nothing was journaled or changed by walking.
    EXPECT_EQ(journal().JournalPos, 1);
    EXPECT_EQ(grid().cell(2, 2), "A");
    EXPECT_EQ(grid().cell(5, 7), "B");
}

TEST_F(EditedCellHistoryTest, BackSkipsTheEntryOfTheCurrentCell) {
    edit(2, 2, "A");
    edit(5, 7, "B");
    grid().setCurrent(1, 9);
    grid().setCurrent(5, 7);
    EXPECT_EQ(back(), Cell(2, 2));
    EXPECT_FALSE(backOn());
}

TEST_F(EditedCellHistoryTest, APendingEditIsJournaledWhenBackLeavesItsCell) {
    edit(2, 2, "A");
    edit(5, 7, "B");  // still pending
    EXPECT_EQ(back(), Cell(2, 2));
    EXPECT_EQ(journal().JournalPos, 1);
    commands().trigger("mnuMainUndo");
    EXPECT_EQ(grid().cell(5, 7), "5,7");
    EXPECT_EQ(grid().cell(2, 2), "A");
}

TEST_F(EditedCellHistoryTest, AnEntryInColumnZeroStopsBackWithoutDisablingIt) {
    edit(2, 2, "A");
    grid().setCurrent(3, 3);
    journal().ChangeCell(0, 4, "row label");
    ASSERT_TRUE(backOn());
    EXPECT_EQ(back(), Cell(3, 3));
    EXPECT_TRUE(backOn());
    EXPECT_EQ(journal().JumpPos, journal().JournalPos);
}

TEST_F(EditedCellHistoryTest, UndoingEverythingDisablesBackAndClearingDisablesBoth) {
    edit(2, 2, "A");
    edit(3, 3, "B");
    grid().setCurrent(4, 4);
    commands().trigger("mnuMainUndo");
    EXPECT_TRUE(backOn());
    commands().trigger("mnuMainUndo");
    EXPECT_FALSE(backOn());

    edit(2, 2, "C");
    edit(3, 3, "D");
    grid().setCurrent(4, 4);
    back();
    back();
    ASSERT_TRUE(forwardOn());
    journal().ClearJournal();
    EXPECT_FALSE(backOn());
    EXPECT_FALSE(forwardOn());
    EXPECT_EQ(journal().JumpPos, -1);
}

TEST_F(EditedCellHistoryTest, ACellThatBecameFrozenIsReachedAsFarAsTheGridAllows) {
    edit(2, 2, "A");
    edit(6, 8, "B");
    grid().setCurrent(5, 5);
    commands().trigger("mnuMainSetHeaderAndCols");  // (2, 2) is frozen now
    EXPECT_EQ(back(), Cell(6, 8));
    EXPECT_EQ(back(), Cell(6, 8));  // (2, 2) cannot be reached: neither its column nor its row
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

}  // namespace
}  // namespace tabulyst::testing
