#include "core/files/FitColumnWidths.h"

#include <gtest/gtest.h>

#include <random>

#include "core/grid/StringGrid.h"
#include "core/platform/AdvanceTable.h"
#include "support/FakePlatform.h"

namespace tabulyst {
namespace {

TEST(FitColumnWidths, WantedWidthRoundsHalfToEven) {
    EXPECT_EQ(wantedColumnWidth(0), 0);    // 0.5 -> 0
    EXPECT_EQ(wantedColumnWidth(1), 2);    // 1.75
    EXPECT_EQ(wantedColumnWidth(2), 3);    // 3.0
    EXPECT_EQ(wantedColumnWidth(3), 4);    // 4.25
    EXPECT_EQ(wantedColumnWidth(4), 6);    // 5.5 -> 6
    EXPECT_EQ(wantedColumnWidth(8), 10);   // 10.5 -> 10
    EXPECT_EQ(wantedColumnWidth(60), 76);  // 75.5 -> 76
}

class FitColumnWidthsGrid : public ::testing::Test {
protected:
    FitColumnWidthsGrid() {
        grid.setColCount(5);
        grid.setRowCount(3);
        grid.setDefaultColWidth(20);
    }
    StringGrid grid;
    testing::FakeDesktop measure;  // 6 pixels per character
};

TEST_F(FitColumnWidthsGrid, WidensToTheWidestTextIncludingFixedCells) {
    grid.setCell(0, 2, "12345");        // 30 px -> 38
    grid.setCell(1, 1, "abcdefgh");     // 48 px -> 60
    grid.setCell(1, 2, "abcdefghijk");  // 66 px -> 83
    grid.setCell(2, 0, "x");            // 6 px -> 8, narrower than 20
    FitColumnWidths(grid, 1000, measure);
    EXPECT_EQ(grid.colWidth(0), 38);
    EXPECT_EQ(grid.colWidth(1), 83);
    EXPECT_EQ(grid.colWidth(2), 20);  // never narrower
    EXPECT_EQ(grid.colWidth(3), 20);  // empty column
}

TEST_F(FitColumnWidthsGrid, SkipsHiddenColumnsAndCapsAtTheMaximum) {
    grid.setColWidth(2, StringGrid::kHiddenWidth);
    grid.setColWidth(3, 150);
    for (int c = 1; c < 5; ++c) grid.setCell(c, 1, std::string(40, 'w'));  // 240 px -> 300
    FitColumnWidths(grid, 100, measure);
    EXPECT_EQ(grid.colWidth(1), 100);
    EXPECT_EQ(grid.colWidth(2), StringGrid::kHiddenWidth);
    EXPECT_EQ(grid.colWidth(3), 150);  // already wider than the maximum
    EXPECT_EQ(grid.colWidth(4), 100);
}

// Short texts are skipped by their length alone; the widths must still be those
// of measuring every non-empty cell, whatever the characters' advances.
TEST(FitColumnWidths, GivesWhatMeasuringEveryCellGives) {
    std::mt19937 rng(31);
    AdvanceTable measure;
    for (int ch = 0; ch < 256; ++ch) measure.setAdvance(static_cast<unsigned char>(ch), 1 + static_cast<int>(rng() % 8));
    measure.setAdvance('i', 0);
    measure.setAdvance('W', 9);  // the widest, and common: texts reach length times it
    const std::string alphabet = "WWWWWWWWil.\xE4 ";
    {
        // One pixel short of a text of the widest characters: that text widens it.
        StringGrid grid;
        grid.setColCount(2);
        grid.setRowCount(2);
        grid.setColWidth(1, wantedColumnWidth(27) - 1);
        grid.setCell(1, 1, "WWW");
        FitColumnWidths(grid, 1000, measure);
        EXPECT_EQ(grid.colWidth(1), wantedColumnWidth(27));
    }
    for (int round = 0; round < 300; ++round) {
        StringGrid grid;
        const int cols = 1 + static_cast<int>(rng() % 6), rows = 1 + static_cast<int>(rng() % 60);
        grid.setColCount(cols);
        grid.setRowCount(rows);
        for (int c = 0; c < cols; ++c) {
            // Also just short of what a run of the widest character asks for.
            int width = rng() % 2 ? static_cast<int>(rng() % 120) : wantedColumnWidth(9 * static_cast<int>(1 + rng() % 12)) - 1;
            grid.setColWidth(c, rng() % 7 == 0 ? StringGrid::kHiddenWidth : width);
        }
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                std::string text(rng() % 3 == 0 ? 0 : rng() % (r % 10 == 0 ? 40 : 12), ' ');
                for (char& ch : text) ch = alphabet[rng() % alphabet.size()];
                grid.setCell(c, r, text);
            }
        const int maxWidth = 20 + static_cast<int>(rng() % 200);
        std::vector<int> expected;
        for (int c = 0; c < cols; ++c) {
            int width = grid.colWidth(c);
            for (int r = 0; r < rows && width != StringGrid::kHiddenWidth; ++r) {
                if (grid.cell(c, r).empty()) continue;
                int wanted = wantedColumnWidth(measure.textWidth(grid.cell(c, r)));
                if (width < wanted) width = std::max(width, std::min(wanted, maxWidth));
            }
            expected.push_back(width);
        }
        FitColumnWidths(grid, maxWidth, measure);
        for (int c = 0; c < cols; ++c) ASSERT_EQ(grid.colWidth(c), expected[static_cast<std::size_t>(c)]) << round << "/" << c;
    }
}

// Row numbers: where widths are sums of advances only the widest number is
// measured; it must be as wide as the widest of measuring them all.
TEST(FitColumnWidths, TheWidestRowNumberIsFoundWithoutMeasuringEachNumber) {
    class EachText : public TextMeasure {  // the same widths, measured text by text
    public:
        explicit EachText(const AdvanceTable& table) : table_(table) {}
        int textWidth(std::string_view text) const override { return table_.textWidth(text); }

    private:
        const AdvanceTable& table_;
    };
    std::mt19937 rng(65536);
    for (int round = 0; round < 200; ++round) {
        AdvanceTable advances;
        for (char d = '0'; d <= '9'; ++d) advances.setAdvance(static_cast<unsigned char>(d), static_cast<int>(rng() % 9));
        const std::uint64_t last = round < 40 ? static_cast<std::uint64_t>(round) + 1 : 1 + rng() % (round < 190 ? 5000 : 300000);
        EachText each(advances);
        ColumnWidthFit widest(advances, 100000, {0}, 0), measured(each, 100000, {0}, 0);
        widest.offerNumbers(last);
        measured.offerNumbers(last);
        StringGrid a, b;
        for (StringGrid* grid : {&a, &b}) grid->setColWidth(0, 0);
        widest.apply(a);
        measured.apply(b);
        ASSERT_EQ(a.colWidth(0), b.colWidth(0)) << "1 to " << last << ", round " << round;
    }
}

}  // namespace
}  // namespace tabulyst
