#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/table/StringsChooser.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

using Strings = std::vector<std::string>;

class HiddenColumnsTest : public FormFixture {
protected:
    HiddenColumnsTest() { form->document.StrGrid.setClientWidth(600); }

    // Numbered headers, "c,r" data, every column 5 pixels wide: fitting
    // widens a data column to 23 (three characters of 6 pixels).
    void table(int dataCols, int dataRows) {
        fill(dataCols + 1, dataRows + 1);
        for (int c = 1; c <= dataCols; ++c) grid().setCell(c, 0, std::to_string(c));
        for (int r = 1; r <= dataRows; ++r) grid().setCell(0, r, std::to_string(r));
        for (int c = 0; c <= dataCols; ++c) grid().setColWidth(c, 5);
        journal().ClearJournal();
    }
    std::vector<int> widths() {
        std::vector<int> out;
        for (int c = 1; c < grid().colCount(); ++c) out.push_back(grid().colWidth(c));
        return out;
    }
    void select(int anchorCol, int currentCol, int row = 1) {
        grid().setCurrent(anchorCol, row);
        grid().extendTo(currentCol, row);
    }
    void key(std::uint16_t k) { form->gridKeyDown({k, mods::None}, 10); }
    bool showAllEnabled() { return commands().enabled("mnuMainShowAllCols"); }

    static constexpr int kFitted = 23;
    static constexpr int kHidden = -1;
};

TEST_F(HiddenColumnsTest, ChooserListsTheHeadersWithHiddenColumnsUnchecked) {
    table(5, 2);
    grid().setColWidth(3, kHidden);
    Strings shown;
    std::vector<bool> marks;
    fake.dialogs.chooserScripts.push_back([&](StringsChooser& c) {
        for (const auto& item : c.clbClientClient) {
            shown.push_back(item.text);
            marks.push_back(item.checked);
        }
        EXPECT_TRUE(c.pnlClientRightVisible);
        return false;  // cancel
    });
    commands().trigger("mnuMainViewHideCols");
    EXPECT_EQ(fake.dialogs.chooserCaptions, Strings{"Welche Spalten zeigen"});
    EXPECT_EQ(shown, (Strings{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(marks, (std::vector<bool>{true, true, false, true, true}));
    // Cancelled: the hidden column stays hidden, the others are still fitted.
    EXPECT_EQ(widths(), (std::vector<int>{kFitted, kFitted, kHidden, kFitted, kFitted}));
    EXPECT_TRUE(fake.dialogs.questions.empty());
}

TEST_F(HiddenColumnsTest, UncheckingEveryColumnHidesAllAndShowAllBringsThemBackFitted) {
    table(3, 2);
    grid().setCurrent(2, 1);
    fake.dialogs.chooserScripts.push_back([](StringsChooser& c) {
        c.pnlClientRightNoneClick();
        return true;
    });
    commands().trigger("mnuMainViewHideCols");
    EXPECT_EQ(widths(), (std::vector<int>{kHidden, kHidden, kHidden}));
    EXPECT_TRUE(showAllEnabled());
    EXPECT_EQ(grid().col(), 2);  // nowhere to go
    EXPECT_TRUE(fake.dialogs.questions.empty());  // nothing journaled, nothing asked

    ASSERT_TRUE(commands().trigger("mnuMainShowAllCols"));
    EXPECT_EQ(widths(), (std::vector<int>{kFitted, kFitted, kFitted}));
    EXPECT_FALSE(showAllEnabled());
}

TEST_F(HiddenColumnsTest, ChooserOkRefitsShownColumnsAndMovesTheCurrentCellOffAHiddenOne) {
    table(4, 2);
    grid().setColWidth(2, 90);
    grid().setCurrent(2, 1);
    fake.dialogs.chooserScripts.push_back([](StringsChooser& c) {
        c.clbClientClientClickCheck(1, false);  // column 2
        return true;
    });
    commands().trigger("mnuMainViewHideCols");
    EXPECT_EQ(widths(), (std::vector<int>{kFitted, kHidden, kFitted, kFitted}));
    EXPECT_EQ(grid().col(), 3);
    EXPECT_TRUE(showAllEnabled());

    // Choosing every column again disables show all.
    fake.dialogs.chooserScripts.push_back([](StringsChooser& c) {
        c.pnlClientRightAllClick();
        return true;
    });
    commands().trigger("mnuMainViewHideCols");
    EXPECT_EQ(widths(), (std::vector<int>(4, kFitted)));
    EXPECT_FALSE(showAllEnabled());
}

TEST_F(HiddenColumnsTest, ChooserAsksOnlyAfterAJournaledChangeAndNoKeepsEverything) {
    table(3, 2);
    journal().ChangeCell(1, 1, "changed");
    auto hideFirst = [](StringsChooser& c) {
        c.clbClientClientClickCheck(0, false);
        return true;
    };
    fake.dialogs.chooserScripts.push_back(hideFirst);
    commands().trigger("mnuMainViewHideCols");  // answered No
    EXPECT_EQ(fake.dialogs.questions, Strings{"Liste der Änderungen verwerfen und Spalten verbergen?"});
    EXPECT_EQ(widths(), (std::vector<int>{5, 5, 5}));  // not even fitted
    EXPECT_GE(journal().JournalPos, 0);
    EXPECT_TRUE(commands().enabled("mnuMainUndo"));

    fake.dialogs.answers.push_back(true);
    fake.dialogs.chooserScripts.push_back(hideFirst);
    commands().trigger("mnuMainViewHideCols");
    EXPECT_EQ(widths(), (std::vector<int>{kHidden, kFitted, kFitted}));
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_FALSE(commands().enabled("mnuMainUndo"));
}

TEST_F(HiddenColumnsTest, HidingMarkedColumnsMovesTheCurrentCellToTheRight) {
    table(5, 2);
    select(2, 3);
    ASSERT_TRUE(commands().trigger("mnuMainHideCols"));
    EXPECT_EQ(widths(), (std::vector<int>{5, kHidden, kHidden, 5, 5}));
    EXPECT_EQ(grid().col(), 4);
    EXPECT_TRUE(showAllEnabled());
    EXPECT_TRUE(fake.dialogs.questions.empty());
    EXPECT_EQ(journal().CurrentCellText(), "4,1");
}

TEST_F(HiddenColumnsTest, WithNothingVisibleOnTheRightTheCurrentCellGoesLeft) {
    table(5, 2);
    grid().setColWidth(5, kHidden);
    select(4, 3);  // current cell in column 3
    commands().trigger("mnuMainHideCols");
    EXPECT_EQ(grid().col(), 2);

    // The last column itself hidden: left as well, past hidden ones.
    table(5, 2);
    grid().setColWidth(3, kHidden);
    select(4, 5);
    commands().trigger("mnuMainHideCols");
    EXPECT_EQ(grid().col(), 2);
}

TEST_F(HiddenColumnsTest, HidingEveryColumnLeavesTheCurrentCell) {
    table(3, 2);
    select(1, 3);
    commands().trigger("mnuMainHideCols");
    EXPECT_EQ(widths(), (std::vector<int>{kHidden, kHidden, kHidden}));
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(form->hiddenColumns.LastVisibleColumn(), std::numeric_limits<int>::max());

    table(3, 2);
    select(3, 1);
    commands().trigger("mnuMainHideCols");
    EXPECT_EQ(grid().col(), 1);
}

TEST_F(HiddenColumnsTest, FrozenColumnsAreNeverMadeCurrent) {
    table(4, 3);
    grid().setFixedCols(2);  // column 1 is frozen and visible
    select(2, 4);
    journal().ClearJournal();
    EXPECT_NO_THROW(commands().trigger("mnuMainHideCols"));
    EXPECT_EQ(grid().col(), 4);
    EXPECT_EQ(form->hiddenColumns.LastVisibleColumn(), 1);
}

TEST_F(HiddenColumnsTest, HidingAsksOnlyAfterAJournaledChange) {
    table(3, 2);
    grid().setCurrent(2, 1);
    journal().ChangeCell(1, 1, "changed");
    commands().trigger("mnuMainHideCols");  // answered No
    EXPECT_EQ(fake.dialogs.questions, Strings{"Liste der Änderungen verwerfen und Spalte verbergen?"});
    EXPECT_EQ(widths(), (std::vector<int>{5, 5, 5}));
    EXPECT_GE(journal().JournalPos, 0);
    EXPECT_FALSE(showAllEnabled());

    fake.dialogs.answers.push_back(true);
    commands().trigger("mnuMainHideCols");
    EXPECT_EQ(widths(), (std::vector<int>{5, kHidden, 5}));
    EXPECT_EQ(journal().JournalPos, -1);
    EXPECT_EQ(grid().col(), 3);
}

TEST_F(HiddenColumnsTest, ShowAllKeepsTheJournalAndAsksNothing) {
    table(3, 2);
    grid().setCurrent(2, 1);
    commands().trigger("mnuMainHideCols");
    journal().ChangeCell(1, 1, "changed");
    ASSERT_TRUE(commands().trigger("mnuMainShowAllCols"));
    EXPECT_TRUE(fake.dialogs.questions.empty());
    EXPECT_GE(journal().JournalPos, 0);
    // "changed" is 7 characters: 42 pixels ask for 53; the others are fitted too.
    EXPECT_EQ(widths(), (std::vector<int>{53, kFitted, kFitted}));
}

TEST_F(HiddenColumnsTest, FittingIsLimitedToTwoThirdsOfTheGridWidth) {
    table(2, 2);
    grid().setCell(1, 1, std::string(200, 'x'));
    form->document.StrGrid.setClientWidth(301);  // 301 / 3 * 2 = 200
    grid().setCurrent(2, 1);
    journal().ClearJournal();
    commands().trigger("mnuMainHideCols");
    commands().trigger("mnuMainShowAllCols");
    EXPECT_EQ(widths(), (std::vector<int>{200, kFitted}));
}

TEST_F(HiddenColumnsTest, ArrowRightJumpsOverAHiddenColumn) {
    table(5, 2);
    select(3, 3);
    commands().trigger("mnuMainHideCols");
    grid().setCurrent(2, 1);
    key(vk::Right);
    EXPECT_EQ(grid().col(), 4);

    // At the right edge with only hidden columns beyond, the cell stays.
    select(5, 4);
    commands().trigger("mnuMainHideCols");
    EXPECT_EQ(grid().col(), 2);
    key(vk::Right);
    EXPECT_EQ(grid().col(), 2);
}

}  // namespace
}  // namespace tabulyst::testing
