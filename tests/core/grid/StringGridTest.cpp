#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/grid/StringGrid.h"

namespace tabulyst {
namespace {

// Records the events a grid raises and can refuse moves.
struct RecordingEvents : GridEvents {
    std::vector<std::string> log;
    bool accept = true;
    bool selectCell(int c, int r) override {
        log.push_back("select " + std::to_string(c) + "," + std::to_string(r));
        return accept;
    }
    void click() override { log.push_back("click"); }
    void getEditText(int c, int r) override { log.push_back("get " + std::to_string(c) + "," + std::to_string(r)); }
    void setEditText(int, int, const std::string& v) override { log.push_back("set " + v); }
    void rowMoved(int f, int t) override { log.push_back("row " + std::to_string(f) + ">" + std::to_string(t)); }
    void columnMoved(int f, int t) override { log.push_back("col " + std::to_string(f) + ">" + std::to_string(t)); }
};

StringGrid makeGrid(int cols, int rows) {
    StringGrid g;
    g.setColCount(cols);
    g.setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g.setCell(c, r, std::to_string(c) + "/" + std::to_string(r));
    return g;
}

TEST(StringGrid, StartsAsTwoByTwoWithOneFixedRowAndColumn) {
    StringGrid g;
    EXPECT_EQ(g.colCount(), 2);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.colWidth(0), 18);
    EXPECT_EQ(g.colWidth(1), 18);
    EXPECT_EQ(g.rowHeight(1), 18);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.cell(1, 1), "");
}

TEST(StringGrid, CountsBelowOneAndBelowTheFixedNumberAreCorrected) {
    StringGrid g;
    g.setRowCount(0);
    EXPECT_EQ(g.rowCount(), 1);
    EXPECT_EQ(g.fixedRows(), 0);  // an empty file leaves one row, no longer fixed
    g.setColCount(-3);
    EXPECT_EQ(g.colCount(), 1);
    EXPECT_EQ(g.fixedCols(), 0);
    g.setColCount(4);
    g.setRowCount(4);
    EXPECT_THROW(g.setFixedRows(4), GridError);
    EXPECT_THROW(g.setFixedCols(-1), GridError);
    g.setFixedRows(3);
    EXPECT_EQ(g.fixedRows(), 3);
    EXPECT_EQ(g.row(), 3);  // the current cell left the fixed area
}

TEST(StringGrid, ShrinkingDropsCellsSoGrowingAgainShowsThemEmpty) {
    StringGrid g = makeGrid(4, 4);
    g.setColCount(2);
    g.setRowCount(2);
    g.setColCount(4);
    g.setRowCount(4);
    EXPECT_EQ(g.cell(1, 1), "1/1");
    EXPECT_EQ(g.cell(3, 1), "");
    EXPECT_EQ(g.cell(1, 3), "");
    EXPECT_EQ(g.colWidth(3), 18);
}

TEST(StringGrid, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
    StringGrid g = makeGrid(3, 3);
    g.setCell(5, 1, "x");
    g.setCell(1, 9, "x");
    g.setCell(-1, 0, "x");
    EXPECT_EQ(g.cell(5, 1), "");
    EXPECT_EQ(g.cell(-1, 0), "");
    EXPECT_EQ(g.colCount(), 3);
}

TEST(StringGrid, RowCellsKeepEveryCellThroughRewritesOfOtherLengths) {
    RowCells row;
    row.setCell(3, "dddd");
    row.setCell(0, "a");
    row.setCell(3, "D");      // shorter
    row.setCell(1, "bbbbb");  // grows the row
    row.setCell(0, "A");      // same length, written in place
    EXPECT_EQ(row.size(), 4u);
    EXPECT_EQ(row.cell(0), "A");
    EXPECT_EQ(row.cell(1), "bbbbb");
    EXPECT_EQ(row.cell(2), "");
    EXPECT_EQ(row.cell(3), "D");
    EXPECT_EQ(row.cell(7), "");
    row.setCell(1, row.cell(3));  // a text taken from the row itself
    EXPECT_EQ(row.cell(1), "D");
    RowCells copy = row;
    row.moveCell(0, 3);
    EXPECT_EQ(row.cell(0), "D");
    EXPECT_EQ(row.cell(3), "A");
    EXPECT_EQ(copy.cell(0), "A");
}

TEST(StringGrid, RowsKeepTheCellsTheyWereReadWithThroughEditsAndNewRowsHaveFullWidth) {
    StringGrid g;
    g.setColCount(5);
    std::vector<RowCells> rows(1);
    const std::string_view line[] = {"1", "a", "b"};  // the line "a;b", its row number in front
    rows.push_back(RowCells::fromCells(line, 3));
    g.setRows(std::move(rows));
    EXPECT_EQ(g.rowCells(1).writtenCells(), 3u);
    g.setCell(4, 1, "far");  // typed past its end: written up to it
    EXPECT_EQ(g.rowCells(1).writtenCells(), 5u);
    g.setCell(4, 1, "");  // taken back: short again
    EXPECT_EQ(g.rowCells(1).writtenCells(), 3u);
    const std::string_view rewritten[] = {"1", "A", "B"};
    g.setRowCells(1, RowCells::fromCells(rewritten));  // a conversion rewriting the row's texts
    EXPECT_EQ(g.rowCells(1).readCells(), 3u);

    g.insertColumn(1);  // inside the read cells: the count moves along
    EXPECT_EQ(g.rowCells(1).readCells(), 4u);
    g.insertColumn(5);  // beyond them: it does not
    EXPECT_EQ(g.rowCells(1).readCells(), 4u);
    g.deleteColumn(1);
    EXPECT_EQ(g.rowCells(1).readCells(), 3u);
    EXPECT_EQ(RowCells::readCellsAfterErasing(5, 2, 2), 3u);
    EXPECT_EQ(RowCells::readCellsAfterErasing(5, 3, 9), 3u);

    g.insertRows(1, 1);
    g.setRowCount(4);
    EXPECT_EQ(g.rowCells(1).writtenCells(), SIZE_MAX);
    EXPECT_EQ(g.rowCells(3).writtenCells(), SIZE_MAX);
    g.clearCells();
    EXPECT_TRUE(g.rowCells(2).madeByEditor());
}

TEST(StringGrid, MovesRaiseSelectThenClickAndARefusalKeepsTheCell) {
    StringGrid g = makeGrid(4, 4);
    RecordingEvents ev;
    g.setEvents(&ev);
    EXPECT_TRUE(g.setCurrent(2, 3));
    EXPECT_EQ(ev.log, (std::vector<std::string>{"select 2,3", "click"}));
    ev.log.clear();
    ev.accept = false;
    EXPECT_FALSE(g.setCol(3));
    EXPECT_EQ(g.col(), 2);
    EXPECT_EQ(ev.log, (std::vector<std::string>{"select 3,3"}));
    ev.log.clear();
    g.setSelection({1, 1, 3, 2});  // no events for a direct selection
    EXPECT_TRUE(ev.log.empty());
    EXPECT_EQ(g.col(), 3);
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.selection(), (GridRect{1, 1, 3, 2}));
    EXPECT_THROW(g.setCurrent(0, 1), GridError);  // fixed cells never become current
}

TEST(StringGrid, TabWrapsToTheNextRowAndFromTheLastCellToTheFirst) {
    StringGrid g = makeGrid(4, 3);
    g.setCurrent(3, 1);
    g.handleKey({vk::Tab, mods::None});
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 2);
    g.setCurrent(3, 2);
    g.handleKey({vk::Tab, mods::None});
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 1);
    g.handleKey({vk::Tab, mods::Shift});
    EXPECT_EQ(g.col(), 3);
    EXPECT_EQ(g.row(), 2);
    g.handleKey({vk::Home, mods::None});
    EXPECT_EQ(g.col(), 1);
    g.handleKey({vk::End, mods::Ctrl});
    EXPECT_EQ(g.col(), 3);
    EXPECT_EQ(g.row(), 2);
    g.handleKey({vk::Home, mods::Ctrl});
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 1);
    g.handleKey({vk::Right, mods::Shift});
    g.handleKey({vk::Down, mods::Shift});
    EXPECT_EQ(g.selection(), (GridRect{1, 1, 2, 2}));
    g.handleKey({vk::Next, mods::None}, 10);
    EXPECT_EQ(g.row(), 2);  // page keys stop at the last row
    EXPECT_EQ(g.selection(), (GridRect{2, 2, 2, 2}));
}

TEST(StringGrid, RowAndColumnPrimitivesMoveTextsAndWidths) {
    StringGrid g = makeGrid(4, 5);
    g.setColWidth(2, -1);
    g.insertRows(1, 2);
    EXPECT_EQ(g.rowCount(), 7);
    EXPECT_EQ(g.cell(1, 1), "");
    EXPECT_EQ(g.cell(1, 3), "1/1");
    g.deleteRows(1, 2);
    EXPECT_EQ(g.cell(1, 1), "1/1");
    g.insertColumn(1);
    EXPECT_EQ(g.colCount(), 5);
    EXPECT_EQ(g.cell(1, 2), "");
    EXPECT_EQ(g.cell(2, 2), "1/2");
    EXPECT_EQ(g.colWidth(3), -1);  // the hidden column moved with its cells
    g.deleteColumn(1);
    EXPECT_EQ(g.cell(1, 2), "1/2");
    EXPECT_EQ(g.colWidth(2), -1);
    g.moveColumn(3, 1);
    EXPECT_EQ(g.cell(1, 4), "3/4");
    EXPECT_EQ(g.cell(2, 4), "1/4");
    EXPECT_EQ(g.colWidth(3), -1);
    g.moveRow(4, 1);
    EXPECT_EQ(g.cell(0, 1), "0/4");
    EXPECT_EQ(g.cell(0, 2), "0/1");
}

TEST(StringGrid, DraggingMovesFirstAndThenReportsOldAndNewIndex) {
    StringGrid g = makeGrid(4, 4);
    RecordingEvents ev;
    g.setEvents(&ev);
    g.dragColumn(1, 3);
    ASSERT_EQ(ev.log, (std::vector<std::string>{"col 1>3"}));
    EXPECT_EQ(g.cell(3, 0), "1/0");
    g.dragRow(3, 1);
    EXPECT_EQ(ev.log.back(), "row 3>1");
    EXPECT_EQ(g.cell(0, 1), "0/3");
}

TEST(StringGrid, TheEditorStoresEveryChangeBeforeReportingIt) {
    StringGrid g = makeGrid(3, 3);
    RecordingEvents ev;
    g.setEvents(&ev);
    ASSERT_TRUE(g.openEditor());
    g.editorTextChanged("new");
    EXPECT_EQ(ev.log, (std::vector<std::string>{"get 1,1", "set new"}));
    EXPECT_EQ(g.cell(1, 1), "new");
    g.setCurrent(2, 2);
    EXPECT_FALSE(g.editorOpen());  // leaving the cell ends editing and keeps the text
    EXPECT_EQ(g.cell(1, 1), "new");
}

TEST(StringGrid, SignalsWaitWhileRedrawingIsOff) {
    StringGrid g = makeGrid(3, 3);
    int layouts = 0, cells = 0;
    g.layoutChanged.connect([&] { ++layouts; });
    g.cellChanged.connect([&](int, int) { ++cells; });
    g.beginUpdate();
    for (int i = 0; i < 10; ++i) g.setCell(1, 1, std::to_string(i));
    g.setRowCount(10);
    EXPECT_EQ(layouts + cells, 0);
    g.endUpdate();
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(cells, 0);
}

}  // namespace
}  // namespace tabulyst
