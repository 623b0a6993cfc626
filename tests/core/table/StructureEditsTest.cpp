#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class StructureEditsTest : public FormFixture {
protected:
    // A loaded-looking table: numbered headers, "c,r" data, width 30 + c per column.
    void table(int dataCols, int dataRows) {
        fill(dataCols + 1, dataRows + 1);
        for (int c = 1; c <= dataCols; ++c) grid().setCell(c, 0, std::to_string(c));
        for (int r = 1; r <= dataRows; ++r) grid().setCell(0, r, std::to_string(r));
        for (int c = 0; c <= dataCols; ++c) grid().setColWidth(c, 30 + c);
        journal().ClearJournal();
        journal().SetModified(false);
    }
    std::vector<std::string> headerRow() {
        std::vector<std::string> out;
        for (int c = 1; c < grid().colCount(); ++c) out.push_back(grid().cellText(c, 0));
        return out;
    }
    std::vector<std::string> headerCol() {
        std::vector<std::string> out;
        for (int r = 1; r < grid().rowCount(); ++r) out.push_back(grid().cellText(0, r));
        return out;
    }
    void journalSomething() {
        journal().ChangeCell(1, 1, "changed");
        ASSERT_GE(journal().JournalPos, 0);
    }
    void expectAccepted() {
        EXPECT_EQ(journal().JournalPos, -1);
        EXPECT_TRUE(journal().Modified);
        EXPECT_FALSE(commands().enabled("mnuMainUndo"));
        EXPECT_FALSE(fake.desktop.isBusy);
        EXPECT_FALSE(grid().updating());
        EXPECT_EQ(journal().CurrentCellText(), grid().cellText(grid().col(), grid().row()));
    }
};

using Strings = std::vector<std::string>;

TEST_F(StructureEditsTest, InsertsAskOnlyWhenSomethingWasJournaled) {
    table(3, 3);
    commands().trigger("mnuMainInsertColBevore");
    EXPECT_TRUE(fake.dialogs.questions.empty());
    EXPECT_EQ(grid().colCount(), 5);

    // A change that was undone again still counts.
    journal().ChangeCell(1, 1, "x");
    journal().mnuMainUndoClick();
    commands().trigger("mnuMainInsertColAfter");  // answered No
    ASSERT_EQ(fake.dialogs.questions, Strings{"Liste der Änderungen verwerfen und Spalte einfügen?"});
    EXPECT_EQ(grid().colCount(), 5);
    EXPECT_GE(journal().JournalPos, 0);

    journal().SetModified(false);
    commands().trigger("mnuMainInsertRowBevore");
    EXPECT_EQ(fake.dialogs.questions.back(), "Liste der Änderungen verwerfen und Zeile einfügen?");
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_FALSE(journal().Modified);

    fake.dialogs.answers = {true};
    commands().trigger("mnuMainInsertRowAfter");
    EXPECT_EQ(grid().rowCount(), 5);
    expectAccepted();
}

TEST_F(StructureEditsTest, InsertColumnBeforeRenumbersAndShiftsWidths) {
    table(5, 2);
    grid().setCurrent(3, 1);
    commands().trigger("mnuMainInsertColBevore");
    EXPECT_EQ(headerRow(), (Strings{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(grid().cellText(3, 1), "");
    EXPECT_EQ(grid().cellText(3, 2), "");
    EXPECT_EQ(grid().cellText(4, 1), "3,1");
    EXPECT_EQ(grid().cellText(6, 2), "5,2");
    EXPECT_EQ(grid().cellText(2, 2), "2,2");
    EXPECT_EQ(grid().colWidth(2), 32);
    EXPECT_EQ(grid().colWidth(3), 33);  // the new column has the width of the one it pushed on
    EXPECT_EQ(grid().colWidth(4), 33);
    EXPECT_EQ(grid().colWidth(6), 35);
    EXPECT_EQ(grid().col(), 3);
    expectAccepted();
}

TEST_F(StructureEditsTest, InsertColumnAfterLastAppendsDefaultWidthColumnAndMovesOnIt) {
    table(3, 2);
    grid().setCurrent(3, 2);
    commands().trigger("mnuMainInsertColAfter");
    ASSERT_EQ(grid().colCount(), 5);
    EXPECT_EQ(grid().cellText(4, 0), "4");
    EXPECT_EQ(grid().colWidth(4), grid().defaultColWidth());
    EXPECT_EQ(grid().colWidth(3), 33);
    EXPECT_EQ(grid().cellText(4, 2), "");
    EXPECT_EQ(grid().col(), 4);
    EXPECT_EQ(grid().row(), 2);
    expectAccepted();
}

TEST_F(StructureEditsTest, InsertColumnAfterNextToHiddenColumnInheritsHiddenWidth) {
    table(4, 2);
    grid().setColWidth(3, StringGrid::kHiddenWidth);
    grid().setCurrent(2, 1);
    commands().trigger("mnuMainInsertColAfter");
    // The new column 3 took the hidden width; the old hidden one is now 4.
    EXPECT_TRUE(grid().isHidden(3));
    EXPECT_TRUE(grid().isHidden(4));
    EXPECT_EQ(grid().cellText(4, 1), "3,1");
    EXPECT_EQ(grid().col(), 5);  // the next visible column
    EXPECT_EQ(grid().cellText(5, 1), "4,1");
    expectAccepted();
}

TEST_F(StructureEditsTest, DeletionsAlwaysAskAndNoChangesNothing) {
    table(3, 3);
    commands().trigger("mnuMainDeleteCol");
    commands().trigger("mnuMainDeleteRow");
    EXPECT_EQ(fake.dialogs.questions, (Strings{"Liste der Änderungen verwerfen und Spalte(n) löschen?",
                                               "Liste der Änderungen verwerfen und Zeile(n) löschen?"}));
    EXPECT_EQ(grid().colCount(), 4);
    EXPECT_EQ(grid().rowCount(), 4);
    EXPECT_FALSE(journal().Modified);
}

TEST_F(StructureEditsTest, DeleteMarkedColumnsMovesCellsWidthsAndHiddenState) {
    table(6, 2);
    grid().setColWidth(5, StringGrid::kHiddenWidth);
    grid().setCurrent(2, 1);
    grid().extendTo(4, 2);
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainDeleteCol");
    ASSERT_EQ(grid().colCount(), 4);
    EXPECT_EQ(headerRow(), (Strings{"1", "2", "3"}));
    EXPECT_EQ(grid().cellText(1, 1), "1,1");
    EXPECT_EQ(grid().cellText(2, 1), "5,1");
    EXPECT_EQ(grid().cellText(3, 2), "6,2");
    EXPECT_TRUE(grid().isHidden(2));
    EXPECT_EQ(grid().colWidth(3), 36);
    // Column 2 is hidden now; coming from the right, the current cell takes
    // the nearest visible column to its left.
    EXPECT_EQ(grid().col(), 1);
    expectAccepted();
}

TEST_F(StructureEditsTest, DeletingEveryDataColumnLeavesOneEmptyColumn) {
    table(3, 2);
    grid().setCurrent(1, 1);
    grid().extendTo(3, 1);
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainDeleteCol");
    ASSERT_EQ(grid().colCount(), 2);
    EXPECT_EQ(grid().cellText(1, 0), "1");
    EXPECT_EQ(grid().cellText(1, 1), "");
    EXPECT_EQ(grid().cellText(1, 2), "");
    EXPECT_EQ(grid().cellText(0, 2), "2");  // row numbers stay
    EXPECT_EQ(grid().colWidth(1), grid().defaultColWidth());
    EXPECT_EQ(grid().col(), 1);
    expectAccepted();
}

TEST_F(StructureEditsTest, DeletingColumnsDownToTheFixedOnesKeepsOneScrollable) {
    table(4, 2);
    grid().setFixedCols(3);
    grid().setCurrent(3, 1);
    grid().extendTo(4, 1);
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainDeleteCol");
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(grid().fixedCols(), 2);
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(grid().cellText(2, 1), "2,1");
}

TEST_F(StructureEditsTest, DeleteRowsRenumbersFromTheTopOfTheSelection) {
    table(2, 6);
    grid().setCurrent(1, 2);
    grid().extendTo(2, 4);
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainDeleteRow");
    ASSERT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(headerCol(), (Strings{"1", "2", "3"}));
    EXPECT_EQ(grid().cellText(1, 1), "1,1");
    EXPECT_EQ(grid().cellText(1, 2), "1,5");
    EXPECT_EQ(grid().cellText(2, 3), "2,6");
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().selection(), (GridRect{grid().col(), 2, grid().col(), 2}));
    expectAccepted();
}

TEST_F(StructureEditsTest, DeleteLastRowsMovesCurrentOntoNewLastRow) {
    table(2, 4);
    grid().setCurrent(1, 3);
    grid().extendTo(1, 4);
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainDeleteRow");
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().row(), 2);
    expectAccepted();
}

TEST_F(StructureEditsTest, DeletingEveryDataRowLeavesOneEmptyNumberedRow) {
    table(2, 3);
    grid().setFixedRows(2);
    grid().setCurrent(1, 2);
    grid().extendTo(2, 3);
    fake.dialogs.answers = {true};
    commands().trigger("mnuMainDeleteRow");
    ASSERT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().cellText(1, 1), "1,1");  // the fixed row stays
    EXPECT_EQ(grid().cellText(0, 2), "2");
    EXPECT_EQ(grid().cellText(1, 2), "");
    EXPECT_EQ(grid().cellText(2, 2), "");
    EXPECT_EQ(grid().row(), 2);
    expectAccepted();
}

TEST_F(StructureEditsTest, InsertRowsRenumberTheRowsBelowAndKeepHeights) {
    table(2, 3);
    grid().setRowHeight(2, 40);
    grid().setCurrent(2, 2);
    commands().trigger("mnuMainInsertRowBevore");
    EXPECT_EQ(headerCol(), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(grid().cellText(1, 2), "");
    EXPECT_EQ(grid().cellText(1, 3), "1,2");
    EXPECT_EQ(grid().row(), 2);
    EXPECT_EQ(grid().rowHeight(2), 40);  // heights stay with their index

    commands().trigger("mnuMainInsertRowAfter");
    EXPECT_EQ(headerCol(), (Strings{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(grid().cellText(2, 3), "");
    EXPECT_EQ(grid().cellText(2, 4), "2,2");
    EXPECT_EQ(grid().row(), 3);
    expectAccepted();
}

TEST_F(StructureEditsTest, DuplicateLastRowAppendsCopyAndMovesOntoIt) {
    table(3, 2);
    grid().setCurrent(2, 2);
    commands().trigger("mnuMainDublicateRow");
    ASSERT_EQ(grid().rowCount(), 4);
    EXPECT_EQ(grid().cellText(0, 3), "3");
    EXPECT_EQ(grid().cellText(1, 3), "1,2");
    EXPECT_EQ(grid().cellText(3, 3), "3,2");
    EXPECT_EQ(grid().row(), 3);
    expectAccepted();
    // The copied cell is no pending edit: Escape and leaving keep it, and nothing is journaled.
    KeyStroke esc{vk::Escape, mods::None};
    form->StrGridKeyDown(esc);
    EXPECT_EQ(grid().cellText(2, 3), "2,2");
    grid().setCol(1);
    EXPECT_EQ(journal().JournalPos, -1);
}

TEST_F(StructureEditsTest, RefusedDuplicateLeavesEverythingAlone) {
    table(2, 2);
    journalSomething();
    grid().setCurrent(1, 2);
    int pos = journal().JournalPos;
    commands().trigger("mnuMainDublicateRow");
    EXPECT_EQ(fake.dialogs.questions, Strings{"Liste der Änderungen verwerfen und Zeile einfügen?"});
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(journal().JournalPos, pos);
    EXPECT_TRUE(commands().enabled("mnuMainUndo"));
}

TEST_F(StructureEditsTest, RowDragAsksOnlyWithJournalAndMovesBackOnNo) {
    table(2, 3);
    grid().dragRow(1, 3);
    EXPECT_TRUE(fake.dialogs.questions.empty());
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(grid().cellText(1, 3), "1,1");
    EXPECT_EQ(grid().cellText(0, 3), "1");  // numbers travel with their row

    journal().SetModified(false);
    journalSomething();
    grid().dragRow(3, 1);  // answered No
    EXPECT_EQ(fake.dialogs.questions, Strings{"Liste der Änderungen verwerfen und Zeile verschieben?"});
    EXPECT_EQ(grid().cellText(1, 3), "1,1");
    EXPECT_FALSE(journal().Modified);
    EXPECT_FALSE(journal().JournalSuspended);
    EXPECT_GE(journal().JournalPos, 0);

    fake.dialogs.answers = {true};
    grid().dragRow(3, 1);
    EXPECT_EQ(grid().cellText(1, 1), "1,1");
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_TRUE(journal().Modified);
}

TEST_F(StructureEditsTest, RowDragUnderTheCurrentCellJournalsNoPhantomEdit) {
    table(2, 3);
    grid().setCurrent(1, 1);
    grid().dragRow(1, 3);
    grid().setCurrent(2, 2);  // leaving the cell that now shows row 2's text
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_EQ(grid().cellText(1, 1), "1,2");
}

TEST_F(StructureEditsTest, ColumnDragFollowsSortMark) {
    table(3, 2);
    form->document.sort.SortKeyColumns = {2, -1, -1, -1, -1};
    form->document.sort.SortIndicatorColumn = 2;
    grid().dragColumn(2, 1);
    EXPECT_EQ(form->document.sort.SortKeyColumns[0], 1);
    EXPECT_EQ(form->document.sort.SortIndicatorColumn, 1);
    EXPECT_EQ(grid().cellText(1, 1), "2,1");
    EXPECT_EQ(grid().colWidth(1), 32);  // the width travels with the column
    EXPECT_TRUE(journal().Modified);
}

TEST_F(StructureEditsTest, ColumnDragRemapsEveryKeyOfAMultiKeySort) {
    table(5, 1);
    form->document.sort.SortKeyColumns = {1, 3, 5, -1, -1};
    form->document.sort.MultiKeySort = true;
    form->document.sort.SortIndicatorColumn = 3;
    grid().dragColumn(1, 4);  // columns 2..4 move one left
    EXPECT_EQ(form->document.sort.SortKeyColumns, (std::array<int, 5>{4, 2, 5, -1, -1}));
    EXPECT_EQ(form->document.sort.SortIndicatorColumn, 3);  // left alone in a multi-key sort
}

TEST_F(StructureEditsTest, RefusedColumnDragMovesBackAndKeepsSortMark) {
    table(3, 2);
    form->document.sort.SortKeyColumns = {2, -1, -1, -1, -1};
    form->document.sort.SortIndicatorColumn = 2;
    journalSomething();
    grid().dragColumn(2, 1);
    EXPECT_EQ(fake.dialogs.questions, Strings{"Liste der Änderungen verwerfen und Spalte verschieben?"});
    EXPECT_EQ(grid().cellText(2, 1), "2,1");
    EXPECT_EQ(grid().colWidth(2), 32);
    EXPECT_EQ(form->document.sort.SortKeyColumns[0], 2);
    EXPECT_EQ(form->document.sort.SortIndicatorColumn, 2);
    EXPECT_FALSE(journal().Modified);
    EXPECT_FALSE(journal().JournalSuspended);
}

TEST_F(StructureEditsTest, EditsClearBookmarksAndShowTheHourglass) {
    table(2, 2);
    form->bookmarks.BookmarkList[0] = {1, 1};
    int before = fake.desktop.busyChanges;
    commands().trigger("mnuMainInsertRowAfter");
    EXPECT_TRUE(form->bookmarks.empty());
    EXPECT_EQ(fake.desktop.busyChanges, before + 2);  // on and back off
    EXPECT_FALSE(fake.desktop.isBusy);
}

}  // namespace
}  // namespace tabulyst::testing
