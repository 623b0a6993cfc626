#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/interaction/GridKeys.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class GridKeysTest : public FormFixture {
protected:
    GridKeysTest() { form->locale = Locale::german(); }
    // An empty table of the given data size with a clean journal.
    void blank(int dataCols, int dataRows) {
        grid().setColCount(dataCols + 1);
        grid().setRowCount(dataRows + 1);
        grid().clearCells();
        journal().ClearJournal();
        journal().SetModified(false);
    }
    void set(int c, int r, const std::string& text) {
        grid().setCell(c, r, text);
        journal().noteDirectWrite();
    }
    KeyStroke press(std::uint16_t key, Modifiers m) {
        KeyStroke s{key, m};
        form->StrGridKeyDown(s);
        return s;
    }
    void select(int l, int t, int r, int b) {
        grid().setCurrent(l, t);
        grid().extendTo(r, b);
    }
    std::string at(int c, int r) { return grid().cellText(c, r); }
};

TEST_F(GridKeysTest, ModifiersMustMatchExactly) {
    blank(2, 2);
    set(1, 1, "a");
    fake.desktop.clipboardText = "before";
    press(vk::Insert, mods::CtrlShift);
    press(vk::Insert, Modifiers{true, true, true});
    press(vk::letter('A'), mods::CtrlShift);
    EXPECT_EQ(fake.desktop.clipboardText, "before");
    EXPECT_EQ(grid().selection(), (GridRect{1, 1, 1, 1}));
    press(vk::Delete, mods::Ctrl);
    EXPECT_EQ(at(1, 1), "a");
    EXPECT_FALSE(journal().Modified);
    KeyStroke s = press(vk::Insert, mods::Ctrl);
    EXPECT_EQ(fake.desktop.clipboardText, "a");
    EXPECT_EQ(s.key, vk::Insert);  // not consumed
}

TEST_F(GridKeysTest, EscapeRestoresTheTextTheCellHadWhenEntered) {
    fill(3, 3);
    grid().setCurrent(2, 2);
    type("typed");
    KeyStroke s = press(vk::Escape, mods::None);
    EXPECT_EQ(at(2, 2), "2,2");
    EXPECT_NE(s.key, 0);
    EXPECT_FALSE(journal().hasPendingEdit());
    grid().setCurrent(1, 1);
    EXPECT_EQ(journal().JournalPos, -1);  // leaving journals nothing
    grid().setCurrent(2, 2);
    journal().mnuMainUndoClick();
    EXPECT_EQ(at(2, 2), "2,2");
}

TEST_F(GridKeysTest, CtrlASelectsEveryScrollableCell) {
    fill(4, 5);
    grid().setFixedRows(2);
    grid().setCurrent(2, 3);
    type("x");
    press(vk::letter('A'), mods::Ctrl);
    EXPECT_EQ(grid().selection(), (GridRect{1, 2, 3, 4}));
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 4);
    EXPECT_GE(journal().JournalPos, 0);  // the edit of the cell left was journaled
}

TEST_F(GridKeysTest, RangeSumOfOneColumnRetriesTheOtherSeparator) {
    blank(2, 5);
    set(1, 1, "1,5");
    set(1, 2, "2");
    set(1, 3, "0.25");
    select(1, 1, 1, 3);
    commands().trigger("mnuMainAddCellValuesInRange");
    EXPECT_EQ(at(1, 4), "3,75");
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(grid().selection(), (GridRect{1, 1, 1, 3}));
    journal().mnuMainUndoClick();
    EXPECT_EQ(at(1, 4), "");
}

TEST_F(GridKeysTest, RangeSumOfABlockWritesColumnRowAndTopRowPrecisionTotal) {
    blank(4, 4);
    set(1, 1, "1");
    set(2, 1, "2");
    set(1, 2, "0,5");
    set(2, 2, "0,25");
    select(1, 1, 2, 2);
    press(vk::letter('E'), mods::CtrlShift);
    EXPECT_EQ(at(1, 3), "1,5");
    EXPECT_EQ(at(2, 3), "2,25");
    EXPECT_EQ(at(3, 1), "3");
    EXPECT_EQ(at(3, 2), "0,75");
    EXPECT_EQ(at(3, 3), "4");
    EXPECT_EQ(grid().selection(), (GridRect{1, 1, 2, 2}));
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(grid().row(), 2);
}

TEST_F(GridKeysTest, RangeSumAtTheEdgesWritesOnlyWhatFits) {
    blank(3, 3);
    set(2, 2, "1");
    set(3, 3, "2");
    select(2, 2, 3, 3);
    commands().trigger("mnuMainAddCellValuesInRange");
    EXPECT_EQ(grid().colCount(), 4);
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_TRUE(journal().Modified);

    // Ending in the last row but not the last column: row sums only.
    journal().SetModified(false);
    select(1, 2, 2, 3);
    commands().trigger("mnuMainAddCellValuesInRange");
    EXPECT_EQ(at(3, 2), "1");
    EXPECT_EQ(at(3, 3), "0");  // empty cells sum to 0
    EXPECT_TRUE(journal().Modified);
}

TEST_F(GridKeysTest, RangeSumOfOneCellChangesNothing) {
    blank(2, 2);
    set(1, 1, "5");
    press(vk::letter('E'), mods::CtrlShift);
    EXPECT_EQ(at(1, 2), "");
    EXPECT_FALSE(journal().Modified);
}

TEST_F(GridKeysTest, RangeSumOfARowWritesRightOfIt) {
    blank(4, 1);
    set(1, 1, "12 EUR");
    set(2, 1, "1 000");
    set(3, 1, "-0,5e1");
    select(1, 1, 3, 1);
    press(vk::letter('E'), mods::CtrlShift);
    EXPECT_EQ(at(4, 1), "995,000");  // '12 EUR' counts 0; "5e1" after the comma gives 3 decimals
}

TEST_F(GridKeysTest, ParseCellNumberRules) {
    Locale german = Locale::german();
    int decimals = 0;
    EXPECT_EQ(ParseCellNumber("  1 234,5 ", decimals, german), 1234.5L);
    EXPECT_EQ(decimals, 1);
    EXPECT_EQ(ParseCellNumber("0.125", decimals, german), 0.125L);
    EXPECT_EQ(decimals, 3);
    EXPECT_EQ(ParseCellNumber("7", decimals, german), 7.0L);
    EXPECT_EQ(decimals, 3);  // only ever grows
    int d = 0;
    EXPECT_EQ(ParseCellNumber("1,2.3", d, german), 0.0L);
    EXPECT_EQ(ParseCellNumber("", d, german), 0.0L);
    EXPECT_EQ(ParseCellNumber("-", d, german), 0.0L);
    EXPECT_EQ(d, 0);
    Locale other('/', "%d.%m.%Y", "%H:%M:%S");
    EXPECT_EQ(ParseCellNumber("1.5", d, other), 0.0L);  // no retry partner for "/"
    EXPECT_EQ(ParseCellNumber("1/5", d, other), 1.5L);
    EXPECT_EQ(FormatCellNumber(-0.001L, 2, german), "0,00");
    EXPECT_EQ(FormatCellNumber(2.5L, 0, german), "3");
    EXPECT_EQ(FormatCellNumber(-9.995L, 2, german), "-10,00");
    EXPECT_EQ(FormatCellNumber(0.1L + 0.2L, 1, german), "0,3");
    EXPECT_EQ(FormatCellNumber(1234567.125L, 3, german), "1234567,125");
}

TEST_F(GridKeysTest, IncrementWritesTheNextIntegerBelowAndMovesThere) {
    blank(2, 4);
    set(1, 1, "41");
    set(1, 2, " 7 ");
    grid().setCurrent(1, 1);
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(at(1, 2), "42");
    EXPECT_EQ(grid().row(), 2);
    EXPECT_TRUE(journal().Modified);
    set(1, 2, " 7 ");
    press(vk::letter('I'), mods::CtrlShift);
    EXPECT_EQ(at(1, 3), "8");
    EXPECT_EQ(grid().row(), 3);
    journal().mnuMainUndoClick();
    EXPECT_EQ(at(1, 3), "");
}

TEST_F(GridKeysTest, IncrementOverflowFallsThroughAndDoesNothing) {
    blank(2, 3);
    set(1, 1, "2147483647");
    grid().setCurrent(1, 1);
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(at(1, 2), "");
    EXPECT_EQ(grid().row(), 1);
    EXPECT_TRUE(journal().Modified);  // set whether or not anything was written
    set(1, 1, "-2147483648");
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(at(1, 2), "-2147483647");
}

TEST_F(GridKeysTest, IncrementOfADateAddsADayAsAPendingEdit) {
    blank(2, 4);
    set(1, 1, "31.12.2023");
    set(1, 3, "28.02.2024 23:30:05  ");
    grid().setCurrent(1, 1);
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(at(1, 2), "01.01.2024");
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_TRUE(journal().hasPendingEdit());
    journal().mnuMainUndoClick();  // the pending edit is journaled and reverted
    EXPECT_EQ(at(1, 2), "");

    grid().setCurrent(1, 3);
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(at(1, 4), "29.02.2024 23:30:05");

    set(1, 1, "31.02.2024");
    grid().setCurrent(1, 1);
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(grid().row(), 1);  // no such date
    EXPECT_EQ(at(1, 2), "");

    // A US-style locale whose time format is "%r".
    form->locale = Locale('.', "%m/%d/%Y", "%r");
    set(1, 1, "12/31/2023 11:30:05 PM");
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    EXPECT_EQ(at(1, 2), "01/01/2024 11:30:05 PM");
}

TEST_F(GridKeysTest, IncrementOnTheLastRowDuplicatesItFirst) {
    blank(2, 2);
    set(1, 2, "9");
    set(2, 2, "keep");
    journal().ChangeCell(2, 1, "j");  // something journaled: the insert asks
    grid().setCurrent(1, 2);
    commands().trigger("mnuMainIncrementCellValueToLowerCell");  // answered No
    EXPECT_EQ(fake.dialogs.questions, std::vector<std::string>{"Liste der Änderungen verwerfen und Zeile einfügen?"});
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_TRUE(journal().Modified);
    EXPECT_GE(journal().JournalPos, 0);

    fake.dialogs.answers = {true};
    commands().trigger("mnuMainIncrementCellValueToLowerCell");
    ASSERT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(at(1, 3), "10");
    EXPECT_EQ(at(2, 3), "keep");
    EXPECT_EQ(at(1, 2), "9");
    EXPECT_EQ(grid().row(), 3);
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(journal().hasPendingEdit());
}

TEST_F(GridKeysTest, CopyIntoNextRowWritesThroughTheJournal) {
    blank(2, 3);
    set(2, 1, "abc");
    grid().setCurrent(2, 1);
    commands().trigger("mnuMainCopyCellValueToLowerCell");
    EXPECT_EQ(at(2, 2), "abc");
    EXPECT_EQ(grid().row(), 2);
    EXPECT_GE(journal().JournalPos, 0);

    grid().setCurrent(2, 3);
    set(2, 3, "last");
    fake.dialogs.answers = {true};
    press(vk::letter('C'), mods::CtrlShift);
    ASSERT_EQ(grid().rowCount(), 5);
    EXPECT_EQ(at(2, 4), "last");
    EXPECT_EQ(journal().JournalPos, -1);
}

TEST_F(GridKeysTest, AltHomeAndAltEndJumpInTheColumnAndConsumeTheKey) {
    fill(4, 8);
    grid().setFixedRows(2);
    grid().setCurrent(3, 4);
    KeyStroke home = press(vk::Home, mods::Alt);
    EXPECT_EQ(home.key, 0);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), 3);
    commands().trigger("mnuMainJumpToEndOfCol");
    EXPECT_EQ(grid().row(), 7);
    EXPECT_EQ(grid().col(), 3);
    commands().trigger("mnuMainJumpToStartOfCol");
    EXPECT_EQ(grid().row(), 2);
}

TEST_F(GridKeysTest, UnknownKeysGoOnToTheGrid) {
    fill(3, 3);
    grid().setCurrent(1, 1);
    form->gridKeyDown({vk::Right, mods::None}, 10);
    EXPECT_EQ(grid().col(), 2);
    form->gridKeyDown({vk::End, mods::Alt}, 10);
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().col(), 2);
}

}  // namespace
}  // namespace tabulyst::testing
