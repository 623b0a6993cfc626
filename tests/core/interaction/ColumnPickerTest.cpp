#include <gtest/gtest.h>

#include "core/interaction/ColumnPicker.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

TEST(ColumnPickerHeightTest, ThirteenAndAHalfPerItemHalvesToEvenAndEightAboveTheBottom) {
    EXPECT_EQ(ColumnPickerHeight(10, 0, 1000), 135);
    EXPECT_EQ(ColumnPickerHeight(3, 0, 1000), 40);  // 40.5
    EXPECT_EQ(ColumnPickerHeight(1, 0, 1000), 14);  // 13.5
    EXPECT_EQ(ColumnPickerHeight(5, 0, 1000), 68);  // 67.5
    EXPECT_EQ(ColumnPickerHeight(0, 0, 1000), 0);
    EXPECT_EQ(ColumnPickerHeight(10, 300, 443), 135);  // exactly 8 pixels to spare
    EXPECT_EQ(ColumnPickerHeight(10, 300, 442), 134);
    EXPECT_EQ(ColumnPickerHeight(10, 500, 452), 0);
}

class ColumnPickerTest : public FormFixture {
protected:
    // Row 0 numbers the columns, as after loading.
    ColumnPickerTest() {
        fill(6, 5);
        for (int c = 0; c < 6; ++c) grid().setCell(c, 0, std::to_string(c));
    }
    ColumnPicker& picker() { return form->columnPicker; }
    const std::vector<std::string>& items() { return picker().list().items; }
    void open() { ASSERT_TRUE(commands().trigger("mnuMainCellSelection")); }
    char press(char key) {
        picker().keyTyped(key);
        return key;
    }
    // Highlights the item with text and presses Enter.
    void pick(const std::string& text) {
        auto it = std::find(items().begin(), items().end(), text);
        ASSERT_NE(it, items().end()) << text;
        picker().setItemIndex(static_cast<int>(it - items().begin()));
        EXPECT_EQ(press('\r'), 0);  // Enter is consumed
    }
};

TEST_F(ColumnPickerTest, OneFixedRowListsTheColumnNumbersInColumnOrder) {
    grid().setCell(3, 0, "10");  // would sort before "2"
    grid().setCurrent(2, 3);
    open();
    ASSERT_TRUE(picker().isOpen());
    EXPECT_EQ(items(), (std::vector<std::string>{"1", "2", "10", "4", "5"}));
    EXPECT_EQ(picker().list().itemIndex, 1);  // the current column's label
    EXPECT_FALSE(picker().mainMenuEnabled());
    EXPECT_FALSE(picker().gridEnabled());

    pick("10");
    EXPECT_EQ(grid().col(), 3);
    EXPECT_EQ(grid().row(), 3);
    EXPECT_FALSE(picker().isOpen());
    EXPECT_TRUE(picker().mainMenuEnabled());
    EXPECT_TRUE(picker().gridEnabled());
}

TEST_F(ColumnPickerTest, ThreeFixedRowsJoinRowsOneAndTwoAndSortTheLabels) {
    grid().setCell(1, 1, "zeta");
    grid().setCell(1, 2, "last");
    grid().setCell(2, 1, "Name");
    grid().setCell(2, 2, "First");
    grid().setCell(3, 1, "alpha");
    grid().setCell(3, 2, "");
    grid().setCell(4, 1, "  ");
    grid().setCell(4, 2, "");
    grid().setCell(5, 1, "\xC4nderung");
    grid().setCell(5, 2, "x");
    grid().setFixedRows(3);
    grid().setCurrent(2, 3);
    open();
    EXPECT_EQ(ColumnLabel(grid(), 2), "Name / First");
    EXPECT_EQ(ColumnLabel(grid(), 4), "   / ");  // not blank: the joint counts
    EXPECT_EQ(items(),
              (std::vector<std::string>{"   / ", "alpha / ", "\xC3\x84nderung / x", "Name / First", "zeta / last"}));
    EXPECT_EQ(picker().list().itemIndex, 3);

    pick("zeta / last");
    EXPECT_EQ(grid().col(), 1);
    EXPECT_EQ(grid().row(), 3);
}

// As in a German dictionary: umlauts and accents beside their plain letters,
// case ignored, equal labels in column order. The list holds UTF-8 in either
// encoding; the current column's label is highlighted, picking one finds its column.
TEST_F(ColumnPickerTest, LabelsSortAsGermanReadersLookThemUpInEitherEncoding) {
    struct Case {
        bool utf8;
        std::vector<std::string> labels;  // columns 1 to 5; column 2 is current, column 5 picked
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {false, {"Zeit", "\xC4nderung", "apfel", "\xE9tage", "Abend"},
         {"Abend", "\xC3\x84nderung", "apfel", "\xC3\xA9tage", "Zeit"}},
        {true, {"Zeit", "\xC3\x84nderung", "Oskar", "\xC3\xA9tage", "\xC5\x81ukasz"},
         {"\xC3\x84nderung", "\xC3\xA9tage", "\xC5\x81ukasz", "Oskar", "Zeit"}},
    };
    for (const Case& c : cases) {
        form->document.setEncoding({.byteOrderMark = false, .utf8 = c.utf8});
        for (int col = 1; col <= 5; ++col) grid().setCell(col, 1, c.labels[static_cast<std::size_t>(col - 1)]);
        grid().setFixedRows(2);
        grid().setCurrent(2, 3);
        open();
        EXPECT_EQ(items(), c.items);
        EXPECT_EQ(picker().list().itemIndex, c.utf8 ? 0 : 1);
        pick(c.utf8 ? c.items[2] : c.items[0]);
        EXPECT_EQ(grid().col(), 5);
    }

    form->document.setEncoding({});
    const char* equalButCase[] = {"ABEND", "\xC4nderung", "apfel", "\xC4NDERUNG", "Abend"};
    for (int col = 1; col <= 5; ++col) grid().setCell(col, 1, equalButCase[col - 1]);
    open();
    EXPECT_EQ(items(),
              (std::vector<std::string>{"ABEND", "Abend", "\xC3\x84nderung", "\xC3\x84NDERUNG", "apfel"}));
}

TEST_F(ColumnPickerTest, HiddenZeroWidthFixedAndBlankColumnsAreLeftOut) {
    for (int c = 0; c < 6; ++c) grid().setCell(c, 0, "c" + std::to_string(c));
    grid().setColWidth(2, StringGrid::kHiddenWidth);
    grid().setColWidth(4, 0);
    grid().setFixedCols(2);
    grid().setCurrent(3, 1);
    open();
    EXPECT_EQ(items(), (std::vector<std::string>{"c3", "c5"}));
    EXPECT_EQ(picker().list().itemIndex, 0);
    press(27);

    grid().setCell(3, 0, " \t");  // the current column's label is blank: nothing highlighted
    open();
    EXPECT_EQ(items(), (std::vector<std::string>{"c5"}));
    EXPECT_EQ(picker().list().itemIndex, -1);
}

TEST_F(ColumnPickerTest, TheListSitsOnTheCurrentCellAndKeepsClearOfTheBottom) {
    grid().setCurrent(4, 2);
    fake.geometry.corner = {200, 300};
    fake.geometry.height = 400;
    grid().setCell(3, 0, std::string(40, 'w'));  // 240 pixels of text
    open();
    EXPECT_EQ(fake.geometry.asked, (std::vector<std::pair<int, int>>{{4, 2}}));
    EXPECT_EQ(picker().list().left, 200);
    EXPECT_EQ(picker().list().top, 300);
    EXPECT_EQ(picker().list().height, 68);  // five items, 67.5
    EXPECT_EQ(picker().list().width, 240);
    press(27);

    fake.geometry.height = 360;
    open();
    EXPECT_EQ(picker().list().height, 52);
    EXPECT_EQ(picker().list().width, 240);
}

TEST_F(ColumnPickerTest, OnlyTheLeftButtonPicksAndEscapeLeavesWithoutMoving) {
    grid().setCurrent(1, 2);
    open();
    picker().setItemIndex(3);
    picker().ListBoxMouseUp(MouseButton::Right);
    picker().ListBoxMouseUp(MouseButton::Middle);
    EXPECT_TRUE(picker().isOpen());
    EXPECT_EQ(grid().col(), 1);
    EXPECT_EQ(press('a'), 'a');  // the list's own key
    EXPECT_EQ(press(27), 0);
    EXPECT_FALSE(picker().isOpen());
    EXPECT_EQ(grid().col(), 1);

    open();
    picker().setItemIndex(3);
    picker().ListBoxMouseUp(MouseButton::Left);
    EXPECT_FALSE(picker().isOpen());
    EXPECT_EQ(grid().col(), 4);
    EXPECT_EQ(grid().row(), 2);
}

TEST_F(ColumnPickerTest, EnterWithoutHighlightAndTheGridsFocusCloseTheList) {
    grid().setFixedRows(0);  // no labels at all: the list opens empty
    grid().setCurrent(2, 1);
    open();
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(picker().list().itemIndex, -1);
    press('\r');
    EXPECT_FALSE(picker().isOpen());
    EXPECT_EQ(grid().col(), 2);

    open();
    picker().StrGridEnter();
    EXPECT_FALSE(picker().isOpen());
    EXPECT_TRUE(picker().mainMenuEnabled());
}

TEST_F(ColumnPickerTest, OfSeveralColumnsWithOneLabelTheLastEndsCurrent) {
    grid().setCell(2, 0, "dup");
    grid().setCell(4, 0, "dup");
    grid().setCurrent(1, 1);
    open();
    EXPECT_EQ(std::count(items().begin(), items().end(), "dup"), 2);
    pick("dup");
    EXPECT_EQ(grid().col(), 4);
}

TEST_F(ColumnPickerTest, PickingLeavesThroughTheSelectCellHandler) {
    grid().setCurrent(1, 1);
    type("edited");
    open();
    pick("3");
    EXPECT_EQ(grid().col(), 3);
    ASSERT_TRUE(commands().trigger("mnuMainUndo"));  // the edit of the left cell was journaled
    EXPECT_EQ(grid().cell(1, 1), "1,1");
}

TEST_F(ColumnPickerTest, OneScrollableColumnIsRefusedWithAMessage) {
    grid().setColCount(2);
    open();
    grid().setColCount(4);
    grid().setFixedCols(3);
    open();
    EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>(2, "Nur eine Spalte vorhanden."));
    EXPECT_FALSE(picker().isOpen());
}

TEST_F(ColumnPickerTest, ASecondOpeningWhileOpenKeepsTheFirstList) {
    int changes = 0;
    picker().changed.connect([&] { ++changes; });
    open();
    picker().setItemIndex(2);
    open();
    EXPECT_EQ(picker().list().itemIndex, 2);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(commands().shortcut("mnuMainCellSelection"), "Ctrl+Shift+S");
}

}  // namespace
}  // namespace tabulyst::testing
