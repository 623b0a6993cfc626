#include <gtest/gtest.h>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class NavigationTest : public FormFixture {
protected:
    void key(std::uint16_t k, Modifiers m = mods::None) { form->gridKeyDown({k, m}, 10); }
};

TEST_F(NavigationTest, TabAndShiftTabSkipHiddenColumns) {
    fill(7, 3);
    grid().setColWidth(3, -1);
    grid().setColWidth(4, -1);
    grid().setCurrent(2, 1);
    key(vk::Tab);
    EXPECT_EQ(grid().col(), 5);
    key(vk::Tab, mods::Shift);
    EXPECT_EQ(grid().col(), 2);
}

TEST_F(NavigationTest, NoVisibleColumnInTheDirectionRefusesTheMove) {
    fill(5, 3);
    grid().setColWidth(1, -1);
    grid().setCurrent(2, 1);
    key(vk::Tab, mods::Shift);  // column 1 hidden, column 0 never looked at
    EXPECT_EQ(grid().col(), 2);
    grid().setColWidth(4, -1);
    grid().setCurrent(3, 2);
    key(vk::Right);
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 2);
    // Frozen columns are no refuge either: Home with the first scrollable column hidden stays put.
    grid().setFixedCols(2);
    grid().setColWidth(1, 18);
    grid().setColWidth(2, -1);
    EXPECT_NO_THROW(key(vk::Home));
    EXPECT_EQ(grid().col(), 3);
}

TEST_F(NavigationTest, ARefusedMoveJournalsNothing) {
    fill(4, 3);
    grid().setColWidth(3, -1);
    grid().setCurrent(2, 1);
    type("pending");
    key(vk::End);  // the last column is hidden: refused
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_EQ(journal().CurrentCellText(), "2,1");
}

TEST_F(NavigationTest, MenuMovesActLikeTypedKeys) {
    fill(4, 4);
    grid().setCurrent(2, 2);
    commands().trigger("mnuMainJumpToEndOfLineCol");
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 3);
    commands().trigger("mnuMainJumpToStartOfLine");
    EXPECT_EQ(grid().col(), 1);
    commands().trigger("mnuMainJumpToNextCellLeft");
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_GT(fake.desktop.eventsProcessed, 0);
}

TEST_F(NavigationTest, OpeningTheMenuWithAnEditorFreesHomeAndEnd) {
    fill(3, 3);
    grid().openEditor();
    form->navigation.mnuMainNavigationClick();
    EXPECT_FALSE(commands().enabled("mnuMainJumpToStartOfLine"));
    EXPECT_EQ(commands().shortcut("mnuMainJumpToEndOfLine"), "");
    grid().closeEditor();
    form->navigation.mnuMainNavigationClick();
    EXPECT_TRUE(commands().enabled("mnuMainJumpToEndOfLine"));
    EXPECT_EQ(commands().shortcut("mnuMainJumpToStartOfLine"), "Home");
}

TEST_F(NavigationTest, MarkingSelectsFromTheFirstScrollableCellAndJournalsThePendingEdit) {
    fill(5, 6);
    grid().setFixedRows(2);
    journal().ClearJournal();
    grid().setCurrent(3, 3);
    type("t");
    commands().trigger("mnuMarkCol");
    EXPECT_EQ(grid().selection(), (GridRect{3, 2, 3, 5}));
    EXPECT_EQ(grid().row(), 5);
    EXPECT_EQ(journal().JournalPos, 0);
    EXPECT_EQ(journal().CurrentCellText(), "3,5");
    EXPECT_FALSE(form->StatusBar.visible());  // marking itself does not update the status line
    commands().trigger("mnuMarkRow");
    EXPECT_EQ(grid().selection(), (GridRect{1, 5, 4, 5}));
}

TEST_F(NavigationTest, TheStatusLineCountsMarkedRowsAndColumns) {
    fill(5, 5);
    grid().setCurrent(1, 1);
    grid().extendTo(2, 3);
    EXPECT_TRUE(form->StatusBar.visible());
    EXPECT_EQ(form->StatusBar.text(), "3 marked Rows, 2 marked Columns");
    grid().setCurrent(1, 1);
    EXPECT_FALSE(form->StatusBar.visible());
}

TEST_F(NavigationTest, AnOpenFindDialogKeepsItsStatusText) {
    fill(5, 5);
    form->StatusBar.ShowStatusText("Suche");
    form->findReplace.ReplaceCounter = -1;
    grid().setCurrent(2, 2);
    EXPECT_TRUE(form->StatusBar.visible());
    EXPECT_EQ(form->StatusBar.text(), "Suche");
}

}  // namespace
}  // namespace tabulyst::testing
