#include "core/textops/FindReplace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class FindReplaceTest : public FormFixture {
protected:
    FindReplace& fr() { return form->findReplace; }
    // Rows of data cells (column 1 on), row numbers in column 0; current cell (1, 1).
    void table(const std::vector<std::vector<std::string>>& rows) {
        grid().setColCount(static_cast<int>(rows.at(0).size()) + 1);
        grid().setRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            grid().setCell(0, static_cast<int>(r + 1), std::to_string(r + 1));
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                grid().setCell(static_cast<int>(c + 1), static_cast<int>(r + 1), rows[r][c]);
        }
        grid().setCurrent(1, 1);
        journal().ClearJournal();
        journal().SetModified(false);
    }
    void at(int col, int row) { grid().setCurrent(col, row); }
    std::pair<int, int> current() { return {grid().col(), grid().row()}; }
    // The find dialog's "Weitersuchen" after the given command opened it.
    void findNext(const std::string& text, const char* command = "mnuFind") {
        commands().trigger(command);
        fr().FindDialog.FindText = text;
        fr().FindDialog.findNextClick();
    }
    void openReplace(const std::string& search, const std::string& replacement, const char* command = "mnuReplace") {
        commands().trigger(command);
        fr().ReplaceDialog.FindText = search;
        fr().ReplaceDialog.ReplaceText = replacement;
    }
    std::vector<std::string>& messages() { return fake.dialogs.messages; }
};

TEST_F(FindReplaceTest, EachCommandSetsItsModeShowsItsTextAndOpensItsDialog) {
    struct Row {
        const char* command;
        bool firstPlace, currentColumn;
        const char* status;
        bool replace;
    };
    const Row rows[] = {
        {"mnuFind", false, false, " Suchen", false},
        {"btnFind", false, false, " Suchen", false},
        {"mnuFindInCurrentCol", false, true, " Suchen in aktueller Spalte", false},
        {"mnuFindFirst", true, false, " Suche an erster Stelle in erster Spalte", false},
        {"mnuReplace", false, false, " Ersetzen", true},
        {"btnReplace", false, false, " Ersetzen", true},
        {"mnuReplaceAktCol", false, true, " Ersetzen in aktueller Spalte", true},
    };
    for (const Row& row : rows) {
        form->findReplace.ReplaceCounter = 0;
        const int finds = fake.dialogs.findShown, replaces = fake.dialogs.replaceShown;
        fr().FirstPlaceMode = !row.firstPlace;
        fr().CurrentColumnMode = !row.currentColumn;
        ASSERT_TRUE(commands().trigger(row.command)) << row.command;
        EXPECT_EQ(fr().FirstPlaceMode, row.firstPlace) << row.command;
        EXPECT_EQ(fr().CurrentColumnMode, row.currentColumn) << row.command;
        EXPECT_TRUE(form->StatusBar.visible());
        EXPECT_EQ(form->StatusBar.text(), row.status);
        EXPECT_EQ(form->findReplace.ReplaceCounter, -1);
        EXPECT_EQ(fake.dialogs.findShown - finds, row.replace ? 0 : 1) << row.command;
        EXPECT_EQ(fake.dialogs.replaceShown - replaces, row.replace ? 1 : 0) << row.command;
        EXPECT_TRUE(row.replace ? fr().ReplaceDialog.visible() : fr().FindDialog.visible());
    }
}

TEST_F(FindReplaceTest, FindWalksRowByRowFromTheCellRightOfTheCurrentAndWraps) {
    table({{"x", "a", "x"}, {"a", "x", "a"}});
    findNext("x");
    EXPECT_EQ(current(), std::make_pair(3, 1));
    fr().FindDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(2, 2));
    // From the last cell of the last row on to the first scrollable cell.
    at(3, 2);
    fr().FindDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_TRUE(fr().LastSearchFound);
    EXPECT_TRUE(messages().empty());
    // Leaving a cell after typing journals the typing, as any move does.
    type("typed");
    fr().FindDialog.findNextClick();
    EXPECT_EQ(journal().JournalPos, 0);
}

TEST_F(FindReplaceTest, TheCurrentCellIsTestedOnlyWhenItIsTheOnlyCell) {
    table({{"x", "a"}, {"a", "a"}});
    findNext("x");
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_FALSE(fr().LastSearchFound);
    EXPECT_EQ(messages(), std::vector<std::string>{"Nicht gefunden."});
    // The fixed cells are never searched either.
    findNext("1");
    EXPECT_EQ(messages().size(), 2u);

    table({{"x"}});
    findNext("x");
    EXPECT_TRUE(fr().LastSearchFound);
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(FindReplaceTest, TheModesLimitTheCellsSearched) {
    table({{"ab", "ab", "ab"}, {"xab", "ab", "abc"}, {"ab", "c", "ab"}});
    // Current column: the other columns are skipped, the search wraps in the column.
    at(2, 2);
    findNext("ab", "mnuFindInCurrentCol");
    EXPECT_EQ(current(), std::make_pair(2, 1));
    fr().FindDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(2, 2));
    // First place: only the first scrollable column, and only at the cells' start.
    at(1, 1);
    findNext("ab", "mnuFindFirst");
    EXPECT_EQ(current(), std::make_pair(1, 3));
    fr().FindDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_TRUE(messages().empty());
}

TEST_F(FindReplaceTest, AMatchInAHiddenColumnMakesTheNearestVisibleColumnCurrent) {
    table({{"a", "a", "x", "a"}});
    grid().setColWidth(3, StringGrid::kHiddenWidth);
    findNext("x");
    EXPECT_TRUE(fr().LastSearchFound);
    EXPECT_EQ(current(), std::make_pair(4, 1));
}

// Right of a hidden last column there is no visible one, so a match there
// leaves the current column as it is: the next step goes on after that match
// instead of finding it again for ever.
TEST_F(FindReplaceTest, AMatchInAHiddenLastColumnHoldsUpNeitherFindNextNorReplaceAll) {
    const std::vector<std::vector<std::string>> rows{{"a", "a", "Wien"}, {"a", "Wien", "a"}, {"Wien", "a", "a"}};
    table(rows);
    grid().setColWidth(3, StringGrid::kHiddenWidth);
    findNext("Wien");
    EXPECT_TRUE(fr().LastSearchFound);
    EXPECT_EQ(current(), std::make_pair(1, 1));
    fr().FindDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(2, 2));
    fr().FindDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(1, 3));
    fr().FindDialog.findNextClick();  // round again to the hidden one
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_TRUE(messages().empty());

    table(rows);
    openReplace("Wien", "Graz");
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(grid().cell(2, 2), "Graz");
    EXPECT_EQ(grid().cell(1, 3), "Graz");
    EXPECT_EQ(grid().cell(3, 1), "Wien");  // a hidden cell is never the current one, so never replaced
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_EQ(form->findReplace.ReplaceCounter, -3);
}

// A match in a hidden column makes a visible cell of its row current. The
// walk goes on from the match, and the cell left current is tested in its turn
// by replace all (a match of its own) but passed over by find next (the user
// is already there). The hidden cell itself is never replaced.
TEST_F(FindReplaceTest, TheWalkGoesOnPastACellThatAHiddenMatchMadeCurrent) {
    const std::vector<std::vector<std::string>> rows{{"x", "a", "a"}, {"a", "b", "b"}};
    auto rowTexts = [&](int row) {
        std::vector<std::string> texts;
        for (int col = 1; col < grid().colCount(); ++col) texts.emplace_back(grid().cell(col, row));
        return texts;
    };
    auto hiddenTable = [&](const std::vector<std::vector<std::string>>& cells) {
        table(cells);
        grid().setColWidth(2, StringGrid::kHiddenWidth);
    };

    hiddenTable(rows);
    findNext("a");
    EXPECT_EQ(current(), std::make_pair(3, 1));  // beside the hidden match (2, 1)
    for (const auto& expected : {std::make_pair(1, 2), std::make_pair(3, 1), std::make_pair(1, 2)}) {
        fr().FindDialog.findNextClick();
        EXPECT_EQ(current(), expected);
    }
    EXPECT_TRUE(messages().empty());

    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> rows;
        bool findFirst;  // replace all from where find next left the current cell
        std::string search, replacement;
        bool wholeWord;
        std::vector<std::string> row1, row2;  // afterwards
        int replacements;
    };
    const Case cases[] = {
        {"every visible match once", rows, false, "a", "aa", false, {"x", "a", "aa"}, {"aa", "b", "b"}, 2},
        {"from the cell a hidden match made current", rows, true, "a", "aa", false, {"x", "a", "aa"}, {"aa", "b", "b"},
         2},
        {"the cell made current does not match", {{"q", "ab", "zab z"}, {"ab", "x", "y"}}, false, "ab", "cd", true,
         {"q", "ab", "zab z"}, {"cd", "x", "y"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hiddenTable(c.rows);
        if (c.findFirst) findNext(c.search);
        const auto home = current();
        openReplace(c.search, c.replacement);
        fr().ReplaceDialog.WholeWord = c.wholeWord;
        fr().ReplaceDialog.replaceAllClick();
        EXPECT_EQ(rowTexts(1), c.row1);
        EXPECT_EQ(rowTexts(2), c.row2);
        EXPECT_EQ(form->findReplace.ReplaceCounter, -1 - c.replacements);
        EXPECT_EQ(current(), home);
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(FindReplaceTest, FindNextOfTheReplaceDialogReportsNotFoundOnce) {
    table({{"a", "b"}});
    openReplace("zz", "y");
    fr().ReplaceDialog.findNextClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Nicht gefunden."});
    fr().ReplaceDialog.FindText = "b";
    fr().ReplaceDialog.findNextClick();
    EXPECT_EQ(current(), std::make_pair(2, 1));
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(FindReplaceTest, ASingleReplacementChangesTheCurrentCellOnlyAndCannotBeUndone) {
    table({{"banana", "a"}});
    openReplace("A", "o");
    fr().ReplaceDialog.replaceClick();  // no search restriction, every occurrence, no move
    EXPECT_EQ(grid().cell(1, 1), "bonono");
    EXPECT_EQ(grid().cell(2, 1), "a");
    EXPECT_EQ(current(), std::make_pair(1, 1));
    EXPECT_TRUE(journal().Modified);
    EXPECT_EQ(form->findReplace.ReplaceCounter, -2);
    // Leaving the cell does not journal the replacement either.
    at(2, 1);
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(commands().enabled("mnuMainUndo"));
    // A cell the replacement leaves as it was is not counted.
    fr().ReplaceDialog.FindText = "zz";
    fr().ReplaceDialog.replaceClick();
    EXPECT_EQ(form->findReplace.ReplaceCounter, -2);
}

TEST_F(FindReplaceTest, TypingBeforeAReplacementStaysUndoable) {
    table({{"old", "b"}});
    type("new text");
    openReplace("text", "words");
    fr().ReplaceDialog.replaceClick();
    EXPECT_EQ(grid().cell(1, 1), "new words");
    at(2, 1);
    journal().mnuMainUndoClick();
    EXPECT_EQ(grid().cell(1, 1), "old");
}

TEST_F(FindReplaceTest, ReplaceAllTreatsEveryMatchingCellOnceAndComesBackHome) {
    table({{"a", "b", "ba"}, {"c", "a", "aa"}, {"b", "b", "b"}});
    at(2, 2);
    openReplace("a", "aa");
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(grid().cell(1, 1), "aa");
    EXPECT_EQ(grid().cell(3, 1), "baa");
    EXPECT_EQ(grid().cell(2, 2), "aa");
    EXPECT_EQ(grid().cell(3, 2), "aaaa");
    EXPECT_EQ(grid().cell(2, 1), "b");
    EXPECT_EQ(current(), std::make_pair(2, 2));
    EXPECT_FALSE(fr().ReplaceDialog.ReplaceAllRequested);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(form->findReplace.ReplaceCounter, -5);
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(grid().updating());
    EXPECT_FALSE(fake.desktop.isBusy);

    // The current cell not matching: the first match found is the stop cell.
    at(1, 3);
    openReplace("aa", "x");
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(grid().cell(1, 1), "x");
    EXPECT_EQ(grid().cell(3, 2), "xx");
    EXPECT_EQ(grid().cell(3, 1), "bx");
    EXPECT_EQ(current(), std::make_pair(1, 3));
}

TEST_F(FindReplaceTest, ReplaceAllInTheCurrentColumnLeavesTheOthers) {
    table({{"a", "a"}, {"a", "a"}, {"b", "a"}});
    at(2, 3);
    openReplace("a", "z", "mnuReplaceAktCol");
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(grid().cell(2, 1), "z");
    EXPECT_EQ(grid().cell(2, 2), "z");
    EXPECT_EQ(grid().cell(2, 3), "z");
    EXPECT_EQ(grid().cell(1, 1), "a");
    EXPECT_EQ(grid().cell(1, 2), "a");
}

TEST_F(FindReplaceTest, ReplaceAllThatChangesNothingReportsNotFound) {
    table({{"a", "b"}});
    openReplace("a", "a");
    fr().ReplaceDialog.MatchCase = true;
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(grid().cell(1, 1), "a");
    EXPECT_FALSE(journal().Modified);
    EXPECT_EQ(messages(), std::vector<std::string>{"Nicht gefunden."});
    // Nothing matching at all: the message once.
    fr().ReplaceDialog.FindText = "zz";
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(FindReplaceTest, ReplaceAllInATableOfOneCellReplacesItOnce) {
    table({{"a"}});
    openReplace("a", "aa");
    fr().ReplaceDialog.replaceAllClick();
    EXPECT_EQ(grid().cell(1, 1), "aa");
    EXPECT_EQ(form->findReplace.ReplaceCounter, -2);
}

TEST_F(FindReplaceTest, ClosingTheDialogsEndsTheStatusText) {
    table({{"a", "a"}, {"a", "b"}});
    openReplace("a", "c");
    fr().ReplaceDialog.replaceAllClick();
    // While a dialog is open a click on a single cell keeps the status text.
    at(2, 2);
    EXPECT_TRUE(form->StatusBar.visible());
    fr().ReplaceDialog.closeClick();
    EXPECT_EQ(form->StatusBar.text(), " Ersetzen - 3 Ersetzungen getätigt");
    EXPECT_EQ(form->findReplace.ReplaceCounter, 0);
    EXPECT_TRUE(form->timHideStatusBar.enabled());
    form->timHideStatusBar.fire();
    EXPECT_FALSE(form->StatusBar.visible());

    commands().trigger("mnuReplaceAktCol");
    fr().ReplaceDialog.closeClick();
    EXPECT_EQ(form->StatusBar.text(), " Ersetzen in aktueller Spalte - 0 Ersetzungen getätigt");

    commands().trigger("mnuFind");
    fr().FindDialog.closeClick();
    EXPECT_FALSE(form->StatusBar.visible());
    EXPECT_EQ(form->findReplace.ReplaceCounter, 0);
}

}  // namespace
}  // namespace tabulyst::testing
