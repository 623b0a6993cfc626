#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/grid/StringGrid.h"
#include "core/output/GridPrinter.h"
#include "core/output/PrintLayout.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"

namespace tabulyst::testing {
namespace {

// One printed cell: its text with the rectangles and colours it was drawn with.
struct PrintedCell {
    int page;
    std::string text;
    PrintRect frame;
    PrintRect textRect;
    PrintColor background;
    PrintColor textPen;
    PrintColor framePen;
    std::vector<PrintPoint> framePoints;
};

class GridPrinterTest : public ::testing::Test {
protected:
    static constexpr int kMargin = 236;  // one centimetre at 600 dots per inch

    // cols x rows cells of the given width, each holding "col,row".
    void shape(int cols, int rows, int width) {
        grid.setColCount(cols);
        grid.setRowCount(rows);
        for (int c = 0; c < cols; ++c) {
            grid.setColWidth(c, width);
            for (int r = 0; r < rows; ++r) grid.setCell(c, r, name(c, r));
        }
    }
    static std::string name(int c, int r) { return std::to_string(c) + "," + std::to_string(r); }

    int print() {
        GridPrinter printer(canvas, &progress, &desktop, &desktop);
        return printer.PrintGrid(grid, options);
    }

    // The cells in the order printed: the canvas draws a cell's text, then its frame.
    std::vector<PrintedCell> printed() const {
        std::vector<PrintedCell> out;
        std::size_t line = 0;
        for (const auto& t : canvas.texts) {
            if (t.rect.top == 10) continue;  // a page header
            const auto& l = canvas.lines.at(line++);
            const PrintRect frame{l.points.at(0).x, l.points.at(0).y, l.points.at(2).x, l.points.at(2).y};
            out.push_back({t.page, t.text, frame, t.rect, t.background, t.pen, l.pen, l.points});
        }
        EXPECT_EQ(line, canvas.lines.size());
        return out;
    }
    std::map<std::string, PrintedCell> printedByText() const {
        std::map<std::string, PrintedCell> out;
        for (auto& cell : printed()) {
            EXPECT_TRUE(out.emplace(cell.text, cell).second) << cell.text << " printed twice";
        }
        return out;
    }
    std::vector<std::string> pageNumbers() const {
        std::vector<std::string> out;
        for (const auto& h : canvas.pageHeaders())
            if (h.coding == TextCoding::Ansi) out.push_back(h.text + "@" + std::to_string(h.page));
        return out;
    }
    static std::vector<std::string> numbered(int first, int count) {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i) out.push_back("Page " + std::to_string(first + i) + "@" + std::to_string(i));
        return out;
    }
    int rightEdge() const { return canvas.width - kMargin; }
    int bottomEdge() const { return canvas.height - kMargin; }

    StringGrid grid;
    RecordingCanvas canvas;
    ScriptedProgress progress;
    FakeDesktop desktop;
    PrintOptions options;
};

TEST_F(GridPrinterTest, NarrowGridPrintsOnOnePageWithTitleAndPageNumber) {
    shape(3, 10, 64);
    options.title = "/home/anna/B\xC3\xBC" "cher.csv";  // UTF-8, as the window caption holds it
    EXPECT_EQ(print(), 1);

    EXPECT_EQ(canvas.begun, 1);
    EXPECT_EQ(canvas.ended, 1);
    EXPECT_EQ(canvas.pages, 1);
    EXPECT_EQ(canvas.jobTitle, "Printing a grid...");
    EXPECT_GE(canvas.fontSize, 6);
    auto cells = printed();
    ASSERT_EQ(cells.size(), 30u);
    int right = 0;
    for (const auto& c : cells) {
        EXPECT_EQ(c.page, 0);
        EXPECT_GE(c.frame.left, kMargin);
        EXPECT_GE(c.frame.top, kMargin);
        right = std::max(right, c.frame.right);
    }
    EXPECT_EQ(printedByText().at("0,0").frame.left, kMargin);
    EXPECT_EQ(printedByText().at("0,0").frame.top, kMargin);
    EXPECT_LT(right, rightEdge() / 2) << "a narrow grid is printed small, not stretched to the page";

    auto headers = canvas.pageHeaders();
    ASSERT_EQ(headers.size(), 2u);
    const int inset = canvas.width / 100;
    EXPECT_EQ(headers[0].text, options.title);
    EXPECT_EQ(headers[0].coding, TextCoding::Utf8);
    const int titleWidth = static_cast<int>(options.title.size()) * canvas.charWidth;
    EXPECT_EQ(headers[0].rect, (PrintRect{inset, 10, inset + titleWidth, canvas.lineHeight + 20}));
    EXPECT_EQ(headers[1].text, "Page 1");
    EXPECT_EQ(headers[1].rect,
              (PrintRect{canvas.width - inset - 6 * canvas.charWidth, 10, canvas.width, canvas.lineHeight + 20}));

    EXPECT_FALSE(desktop.isBusy);
    EXPECT_EQ(desktop.busyChanges, 2) << "hourglass shown and taken away again";
    EXPECT_GE(desktop.eventsProcessed, 1);
    EXPECT_EQ(progress.closed, 1);
}

TEST_F(GridPrinterTest, WideGridContinuesAcrossWithTheFirstColumnThatDidNotFit) {
    shape(40, 5, 64);
    const int pages = print();
    ASSERT_GE(pages, 2);
    EXPECT_EQ(pages, canvas.pages);
    auto cells = printedByText();
    ASSERT_EQ(cells.size(), 200u);

    // The columns of each page follow on from the last page's.
    int col = 0;
    for (int page = 0; page < pages; ++page) {
        const int first = col;
        while (col < 40 && cells.at(name(col, 0)).page == page) {
            for (int r = 0; r < 5; ++r) EXPECT_EQ(cells.at(name(col, r)).page, page) << name(col, r);
            EXPECT_LE(cells.at(name(col, 0)).frame.right, rightEdge()) << "column " << col << " fits its page";
            ++col;
        }
        ASSERT_GT(col, first) << "page " << page << " has no column";
        EXPECT_EQ(cells.at(name(first, 0)).frame.left, kMargin) << "page " << page << " starts at the margin";
        if (col < 40) {
            const PrintRect next = cells.at(name(col, 0)).frame;
            EXPECT_GT(cells.at(name(col - 1, 0)).frame.right + (next.right - next.left), rightEdge())
                << "column " << col << " would have fitted on page " << page;
        }
    }
    EXPECT_EQ(col, 40);
    EXPECT_EQ(pageNumbers(), numbered(1, pages));
}

TEST_F(GridPrinterTest, TallGridContinuesDownWithTheFirstRowThatDidNotFit) {
    shape(3, 400, 64);
    const int pages = print();
    ASSERT_GE(pages, 2);
    auto cells = printedByText();
    ASSERT_EQ(cells.size(), 1200u);

    int row = 0;
    for (int page = 0; page < pages; ++page) {
        const int first = row;
        while (row < 400 && cells.at(name(0, row)).page == page) {
            for (int c = 0; c < 3; ++c) EXPECT_EQ(cells.at(name(c, row)).page, page) << name(c, row);
            EXPECT_LE(cells.at(name(0, row)).frame.bottom, bottomEdge()) << "row " << row << " fits its page";
            ++row;
        }
        ASSERT_GT(row, first) << "page " << page << " has no row";
        EXPECT_EQ(cells.at(name(0, first)).frame.top, kMargin) << "page " << page << " starts at the margin";
        if (row < 400) {
            const PrintRect next = cells.at(name(0, row)).frame;
            EXPECT_GT(cells.at(name(0, row - 1)).frame.bottom + (next.bottom - next.top), bottomEdge())
                << "row " << row << " would have fitted on page " << page;
        }
    }
    EXPECT_EQ(row, 400);
    // The header row is printed once, on the first page.
    for (int c = 0; c < 3; ++c) EXPECT_EQ(cells.at(name(c, 0)).page, 0);
}

TEST_F(GridPrinterTest, PagesRunAcrossThenDownAndAreNumberedInThatOrder) {
    shape(40, 200, 64);
    options.firstPageNumber = 5;
    const int pages = print();
    auto cells = printedByText();
    const int across = cells.at(name(39, 0)).page + 1;
    ASSERT_GE(across, 2);
    ASSERT_GE(pages, 2 * across);
    EXPECT_EQ(pages % across, 0);
    EXPECT_EQ(pages, canvas.pages);
    // Each band repeats the pages across with the same columns, and the bands
    // run down the table.
    for (int c = 0; c < 40; ++c) {
        const int acrossPage = cells.at(name(c, 0)).page;
        for (int r = 0; r < 200; ++r) EXPECT_EQ(cells.at(name(c, r)).page % across, acrossPage) << name(c, r);
    }
    for (int r = 1; r < 200; ++r) EXPECT_GE(cells.at(name(0, r)).page, cells.at(name(0, r - 1)).page);
    EXPECT_EQ(cells.at(name(0, 199)).page, pages - across);
    EXPECT_EQ(pageNumbers(), numbered(5, pages));
}

TEST_F(GridPrinterTest, HeaderCellsGreyFrozenCellsYellowEveryCellFramedInBlack) {
    shape(6, 6, 64);
    grid.setFixedRows(2);
    grid.setFixedCols(2);
    print();
    const PrintColor grey{192, 192, 192}, yellow{255, 255, 0}, white{255, 255, 255}, black{0, 0, 0};
    std::map<std::pair<int, int>, PrintColor> fills;  // by frame's top-left
    for (const auto& f : canvas.fills) fills[{f.rect.left, f.rect.top}] = f.color;

    auto cells = printedByText();
    ASSERT_EQ(cells.size(), 36u);
    for (int c = 0; c < 6; ++c) {
        for (int r = 0; r < 6; ++r) {
            const PrintedCell& cell = cells.at(name(c, r));
            const bool header = (r == 0 || c == 0);
            const bool frozen = !header && (r < 2 || c < 2);
            const PrintColor expected = header ? grey : frozen ? yellow : white;
            EXPECT_EQ(cell.background, expected) << name(c, r);
            auto fill = fills.find({cell.frame.left, cell.frame.top});
            if (header || frozen) {
                ASSERT_NE(fill, fills.end()) << name(c, r) << " is filled";
                EXPECT_EQ(fill->second, expected) << name(c, r);
            } else {
                EXPECT_EQ(fill, fills.end()) << name(c, r) << " is left unfilled";
            }
            EXPECT_EQ(cell.textPen, black);
            EXPECT_EQ(cell.framePen, black);
            const PrintRect f = cell.frame;
            EXPECT_EQ(cell.framePoints, (std::vector<PrintPoint>{{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom},
                                                                 {f.left, f.bottom}, {f.left, f.top}}))
                << name(c, r);
        }
    }
    EXPECT_EQ(canvas.fills.size(), (6u + 5u) + (5u + 4u)) << "header row and column, frozen row and column";
    EXPECT_EQ(fills.size(), canvas.fills.size()) << "each fill covers its own cell";
}

TEST_F(GridPrinterTest, HiddenColumnsPrintWithZeroWidthAndCountMinusOneInTheScale) {
    shape(5, 3, 64);
    grid.setColWidth(2, StringGrid::kHiddenWidth);
    print();
    auto cells = printedByText();
    for (int r = 0; r < 3; ++r) {
        const PrintRect hidden = cells.at(name(2, r)).frame;
        EXPECT_EQ(hidden.left, hidden.right) << name(2, r);
        EXPECT_EQ(hidden.left, cells.at(name(1, r)).frame.right);
        EXPECT_EQ(cells.at(name(3, r)).frame.left, hidden.left) << "the next column follows without a gap";
    }
    // W = 4 x 64 - 1; a grid that counted the hidden column as 0 would scale differently.
    const int usable = canvas.width - 2 * kMargin;
    auto printedWidth = [&](std::int64_t w) {
        const double s = HorizontalPrintScale(usable, w, 6);
        return std::lround(128 * s + kMargin) - std::lround(64 * s + kMargin);
    };
    ASSERT_NE(printedWidth(4 * 64 - 1), printedWidth(4 * 64));
    const PrintRect col1 = cells.at(name(1, 1)).frame;
    EXPECT_EQ(col1.right - col1.left, printedWidth(4 * 64 - 1));
}

TEST_F(GridPrinterTest, CellTextIsCutFivePercentInsideTheRightOfItsFrame) {
    shape(3, 3, 64);
    const std::string longText = "a cell text far longer than its cell is wide";
    grid.setCell(1, 1, longText);
    print();
    auto cells = printedByText();
    const PrintedCell& cell = cells.at(longText);
    const int width = cell.frame.right - cell.frame.left;
    EXPECT_EQ(cell.textRect.left, cell.frame.left + 4);
    EXPECT_EQ(cell.textRect.right, cell.frame.right - std::lround(width * 0.05));
    EXPECT_LT(cell.textRect.right, cell.frame.right);
    EXPECT_EQ(cell.textRect.top, cell.frame.top);
    EXPECT_EQ(cell.textRect.bottom, cell.frame.bottom);
}

TEST_F(GridPrinterTest, GridWithoutWidthOrPageWithoutRoomIsRefusedBeforeTheDocumentBegins) {
    shape(3, 3, 64);
    for (int c = 0; c < 3; ++c) grid.setColWidth(c, StringGrid::kHiddenWidth);
    EXPECT_THROW(print(), PrintError);
    grid.setColWidth(0, 2);  // one narrow column against three hidden ones: W = 0
    EXPECT_THROW(print(), PrintError);
    EXPECT_EQ(canvas.begun, 0);

    shape(3, 3, 64);
    canvas.width = 2 * kMargin;  // nothing left inside the margins
    EXPECT_THROW(print(), PrintError);
    EXPECT_EQ(canvas.begun, 0);
    EXPECT_FALSE(desktop.isBusy);
}

TEST_F(GridPrinterTest, ColumnOrRowLargerThanThePagePrintsWithoutBlankOrEndlessPages) {
    shape(3, 3, 64);
    grid.setColWidth(0, 3000);
    const int pages = print();
    auto cells = printedByText();
    EXPECT_EQ(cells.at("0,0").page, 0) << "no blank page before the wide column";
    EXPECT_EQ(cells.at("1,0").page, 1);
    EXPECT_EQ(pages, 2);

    canvas = RecordingCanvas{};
    shape(3, 5, 64);
    grid.setRowHeight(2, 3000);
    const int down = print();
    cells = printedByText();
    EXPECT_EQ(cells.size(), 15u);
    EXPECT_EQ(cells.at("0,2").page, 1) << "the tall row opens its own page";
    EXPECT_EQ(cells.at("0,3").page, 2);
    EXPECT_EQ(down, 3);
}

TEST_F(GridPrinterTest, PrinterErrorEndsTheDocumentWithTheCurrentPageHeaded) {
    shape(40, 200, 64);
    canvas.failingNewPage = 2;
    EXPECT_THROW(print(), std::runtime_error);
    EXPECT_EQ(canvas.ended, 1);
    EXPECT_EQ(pageNumbers(), numbered(1, 2));
    EXPECT_FALSE(desktop.isBusy);
    EXPECT_EQ(progress.closed, 1);

    canvas = RecordingCanvas{};
    canvas.failingText = "5,5";  // in the middle of the first page
    EXPECT_THROW(print(), std::runtime_error);
    EXPECT_EQ(canvas.ended, 1);
    EXPECT_EQ(pageNumbers(), numbered(1, 1));
    EXPECT_FALSE(desktop.isBusy);
}

TEST_F(GridPrinterTest, CancellingEndsTheJobWithThePagesPrintedSoFar) {
    shape(40, 200, 64);
    progress.cancelAtShowing = 3;  // while page 3 is about to begin
    EXPECT_EQ(print(), 2);
    EXPECT_EQ(canvas.pages, 2);
    EXPECT_EQ(canvas.ended, 1);
    EXPECT_EQ(pageNumbers(), numbered(1, 2));
    EXPECT_EQ(progress.caption, "Printing a grid...");
    EXPECT_EQ(progress.shown, (std::vector<std::string>{"Page 1", "Page 2", "Page 3"}));
    EXPECT_EQ(progress.closed, 1);
    EXPECT_FALSE(desktop.isBusy);
}

TEST_F(GridPrinterTest, GridReshapedWhileTheProgressWindowRanEndsTheJob) {
    shape(40, 200, 64);
    progress.duringShowing = [&] {
        if (progress.shown.size() == 2) grid.setRowCount(3);
    };
    EXPECT_THROW(print(), PrintError);
    EXPECT_EQ(canvas.ended, 1);
    EXPECT_EQ(pageNumbers(), numbered(1, 1));
}

}  // namespace
}  // namespace tabulyst::testing
