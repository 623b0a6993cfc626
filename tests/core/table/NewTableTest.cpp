#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/ColsAndRowsDialog.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"

namespace tabulyst::testing {
namespace {

// Types the two fields and presses OK.
auto enter(std::string cols, std::string rows) {
    return [cols, rows](ColsAndRowsDialog& d) {
        d.edtNumberOfCols = cols;
        d.edtNumberOfRows = rows;
        return true;
    };
}
// Presses OK on what the fields show.
bool pressOk(ColsAndRowsDialog&) { return true; }
bool pressCancel(ColsAndRowsDialog&) { return false; }

TEST(ColsAndRowsDialog, EntriesOutsideOneTo4096KeepTheDialogOpenWithTheirMessage) {
    FakeDialogs dialogs;
    ColsAndRowsDialog d(dialogs);
    const std::string notNumber = "Numerische Eingabe zwischen 1 und 4096 erforderlich!";
    const std::string colRange = "Die Anzahl der Spalten liegt zwischen 1 und 4096";
    const std::string rowRange = "Die Anzahl der Zeilen liegt zwischen 1 und 4096";
    struct Case {
        const char* cols;
        const char* rows;
        std::vector<std::string> messages;
        ColsAndRowsDialog::Control focus;
    } cases[] = {
        {"0", "2", {colRange}, ColsAndRowsDialog::Control::NumberOfCols},
        {"4097", "2", {colRange}, ColsAndRowsDialog::Control::NumberOfCols},
        {"-3", "2", {colRange}, ColsAndRowsDialog::Control::NumberOfCols},
        {"abc", "2", {notNumber}, ColsAndRowsDialog::Control::NumberOfCols},
        {"", "2", {notNumber}, ColsAndRowsDialog::Control::NumberOfCols},
        {"4", "0", {rowRange}, ColsAndRowsDialog::Control::NumberOfRows},
        {"4", "4097", {rowRange}, ColsAndRowsDialog::Control::NumberOfRows},
        {"4", "-3", {rowRange}, ColsAndRowsDialog::Control::NumberOfRows},
        {"4", "abc", {notNumber}, ColsAndRowsDialog::Control::NumberOfRows},
        {"4", "2.5", {notNumber}, ColsAndRowsDialog::Control::NumberOfRows},
        // Both wrong: two messages, columns first, the focus ends in the rows.
        {"abc", "0", {notNumber, rowRange}, ColsAndRowsDialog::Control::NumberOfRows},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        d.edtNumberOfCols = c.cols;
        d.edtNumberOfRows = c.rows;
        EXPECT_FALSE(d.ok()) << c.cols << " / " << c.rows;
        EXPECT_EQ(dialogs.messages, c.messages) << c.cols << " / " << c.rows;
        EXPECT_EQ(d.focus, c.focus) << c.cols << " / " << c.rows;
        EXPECT_EQ(d.edtNumberOfCols, c.cols);  // the entries stay as typed
    }
    dialogs.messages.clear();
    d.edtNumberOfCols = "4096";
    d.edtNumberOfRows = " 1 ";
    EXPECT_TRUE(d.ok());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(d.columnCount(), 4097);
    EXPECT_EQ(d.rowCount(), 2);
}

class NewTableTest : public FormFixture {
protected:
    std::string row(int r) {
        std::string out;
        for (int c = 0; c < grid().colCount(); ++c) out += (c > 0 ? "|" : "") + grid().cellText(c, r);
        return out;
    }
    void newTable(std::string cols, std::string rows) {
        fake.dialogs.colsAndRowsScripts.push_back(enter(std::move(cols), std::move(rows)));
        commands().trigger("mnuNew");
    }
    TempFolder folder;
};

TEST_F(NewTableTest, FourByTwoGivesNumberedHeadersAndEmptyCells) {
    fill(7, 9);
    grid().setCell(0, 0, "corner");
    grid().setCurrent(2, 2);
    type("edited");
    form->document.setPath("/some/file.csv");
    commands().setEnabled("mnuMainReLoad", true);
    commands().setEnabled("mnuMainCyclicalReLoad", true);
    grid().setCurrent(6, 8);
    commands().trigger("mnuMainToggleBookMark");
    fake.dialogs.answers.push_back(true);
    newTable("4", "2");  // the dialog's own values
    EXPECT_EQ(fake.dialogs.questions, std::vector<std::string>{"Liste der Änderungen verwerfen und neu erstellen?"});
    EXPECT_EQ(grid().colCount(), 5);
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(row(0), "corner|1|2|3|4");
    EXPECT_EQ(row(1), "1||||");
    EXPECT_EQ(row(2), "2||||");
    for (int c = 1; c < 5; ++c) EXPECT_EQ(grid().colWidth(c), 4 * grid().defaultColWidth());
    EXPECT_FALSE(journal().Modified);
    EXPECT_FALSE(commands().enabled("ToolButtonSave"));
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(commands().enabled("mnuMainUndo"));
    EXPECT_TRUE(form->bookmarks.empty());
    EXPECT_EQ(form->document.path(), "");
    EXPECT_FALSE(commands().enabled("mnuMainReLoad"));
    EXPECT_FALSE(commands().enabled("ToolBtnReload"));
    EXPECT_FALSE(commands().enabled("mnuMainCyclicalReLoad"));
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_TRUE(grid().isScrollable(grid().col(), grid().row()));
    EXPECT_EQ(journal().CurrentCellText(), "");
}

TEST_F(NewTableTest, CancelAndNoLeaveTheTableAndTheDialogKeepsItsValues) {
    fill(3, 3);
    fake.dialogs.colsAndRowsScripts.push_back(pressCancel);
    commands().trigger("ToolButton5");
    EXPECT_EQ(fake.dialogs.colsAndRowsShown, 1);
    EXPECT_EQ(grid().colCount(), 3);

    grid().setCurrent(1, 1);
    type("x");
    newTable("7", "5");  // modified: asked after the dialog, answered No
    EXPECT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(grid().cell(1, 1), "x");
    EXPECT_TRUE(journal().Modified);

    fake.dialogs.answers.push_back(true);
    fake.dialogs.colsAndRowsScripts.push_back(pressOk);  // shows 7 and 5 again
    commands().trigger("mnuNew");
    EXPECT_EQ(grid().colCount(), 8);
    EXPECT_EQ(grid().rowCount(), 6);
}

TEST_F(NewTableTest, AWrongEntryIsCorrectedInTheOpenDialog) {
    fill(3, 3);
    fake.dialogs.colsAndRowsScripts.push_back(enter("abc", "4096"));
    fake.dialogs.colsAndRowsScripts.push_back(enter("2", "4096"));
    commands().trigger("mnuNew");
    EXPECT_EQ(fake.dialogs.colsAndRowsShown, 1);
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{"Numerische Eingabe zwischen 1 und 4096 erforderlich!"});
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(grid().rowCount(), 4097);
    EXPECT_EQ(grid().cell(0, 4096), "4096");
}

TEST_F(NewTableTest, NewRightAfterSavingAsksNothing) {
    fill(3, 3);
    grid().setCurrent(1, 1);
    type("x");
    grid().setCurrent(2, 2);
    form->document.setPath(folder.file("saved.csv"));
    commands().trigger("mnuMainSave");
    ASSERT_FALSE(journal().Modified);
    ASSERT_GE(journal().JournalPos, 0);
    newTable("2", "2");
    EXPECT_TRUE(fake.dialogs.questions.empty());
    EXPECT_EQ(grid().colCount(), 3);
    EXPECT_EQ(grid().cell(1, 1), "");
}

TEST_F(NewTableTest, HiddenColumnsFrozenRowsAndSortMarksDoNotOutliveTheOldTable) {
    fill(6, 8);
    grid().setColWidth(2, StringGrid::kHiddenWidth);
    commands().setEnabled("mnuMainShowAllCols", true);
    grid().setCurrent(3, 4);
    commands().trigger("mnuMainSetHeaderAndCols");
    ASSERT_EQ(grid().fixedRows(), 4);
    form->document.sort.SortIndicatorColumn = 2;
    form->document.sort.SortKeyColumns[0] = 2;
    newTable("6", "6");
    for (int c = 1; c < 7; ++c) EXPECT_FALSE(grid().isHidden(c)) << c;
    EXPECT_FALSE(commands().enabled("mnuMainShowAllCols"));
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().fixedCols(), 1);
    EXPECT_EQ(form->document.sort.SortIndicatorColumn, -1);
    EXPECT_EQ(form->document.sort.SortKeyColumns[0], -1);
}

TEST_F(NewTableTest, SavingANewTableAsksForAFileAndWritesPlainCrLfText) {
    // The table before was a UTF-8 file with line feeds only.
    folder.write("old.csv", "\xEF\xBB\xBF" "a;b\nc;d\n");
    ASSERT_TRUE(form->files.OpenTableFile(folder.file("old.csv")));
    ASSERT_TRUE(form->document.format().encoding.byteOrderMark);
    newTable("2", "1");
    grid().setCurrent(1, 1);
    type("\xE4");
    grid().setCurrent(2, 1);
    fake.dialogs.files.push_back(folder.file("new.csv"));
    commands().trigger("mnuMainSave");
    EXPECT_EQ(folder.read("new.csv"), "\xE4;\r\n");
    EXPECT_EQ(form->document.path(), folder.file("new.csv"));
    EXPECT_FALSE(journal().Modified);
    EXPECT_TRUE(commands().enabled("mnuMainReLoad"));
}

}  // namespace
}  // namespace tabulyst::testing
