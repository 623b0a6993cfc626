#include <gtest/gtest.h>

#include <cmath>

#include "core/grid/StringGrid.h"
#include "core/output/PrintLayout.h"

namespace tabulyst {
namespace {

// An A4 page at 600 dots per inch inside its 1 cm margins.
constexpr int kPageWidth = 4960;
constexpr int kPageHeight = 7016;
constexpr int kUsableWidth = kPageWidth - 2 * 236;
constexpr int kUsableHeight = kPageHeight - 2 * 236;

TEST(PrintLayoutTest, MarginsAreOneCentimetreAtEachAxisResolution) {
    const PrintMargins at254 = PrintMarginsFor(254, 254);  // 100 dots per centimetre
    EXPECT_EQ(at254.left, 100);
    EXPECT_EQ(at254.top, 100);
    EXPECT_EQ(at254.right, 100);
    EXPECT_EQ(at254.bottom, 100);
    const PrintMargins mixed = PrintMarginsFor(300, 1200);
    EXPECT_EQ(mixed.left, 118);  // 118.11
    EXPECT_EQ(mixed.right, 118);
    EXPECT_EQ(mixed.top, 472);  // 472.44
    EXPECT_EQ(mixed.bottom, 472);
    EXPECT_EQ(PrintMarginsFor(600, 600).left, 236);
}

TEST(PrintLayoutTest, HorizontalScaleIsTheSmallestTenthOfThePageWidthReachingTheFont) {
    for (std::int64_t w : {1, 7, 64, 192, 255, 2560, 100000}) {
        const double step = kUsableWidth * 0.1 / static_cast<double>(w) * 0.9;
        const double s = HorizontalPrintScale(kUsableWidth, w, 6);
        EXPECT_GE(PrintFontSize(s), 6) << "W " << w;
        EXPECT_LT(PrintFontSize(s - step), 6) << "W " << w << ": a tenth less would have done";
        EXPECT_NEAR(s / step, std::round(s / step), 1e-6) << "W " << w << ": whole tenths";
    }
    // A larger minimum needs a larger scale.
    EXPECT_GE(PrintFontSize(HorizontalPrintScale(kUsableWidth, 192, 10)), 10);
}

TEST(PrintLayoutTest, TallGridIsSqueezedIntoFewerPagesWhileTheFontStaysAboveTheMinimum) {
    // A narrow grid scales up far beyond the minimum across; a thousand rows
    // then need fewer pages down at a smaller font that is still readable.
    const double across = HorizontalPrintScale(kUsableWidth, 50, 6);
    const std::int64_t tall = 1000 * 18;
    const double squeezed = SqueezedPrintScale(across, tall, kPageHeight, kUsableHeight, 6);
    EXPECT_LT(squeezed, across);
    EXPECT_GT(PrintFontSize(squeezed), 6);
    auto pagesDown = [&](double s) { return std::ceil(static_cast<double>(tall) * s / kUsableHeight); };
    EXPECT_LT(pagesDown(squeezed), pagesDown(across));
    // The scale comes from whole pages: the next smaller one would reach the minimum.
    const double pages = squeezed * static_cast<double>(tall) / kUsableHeight / 0.9;
    ASSERT_NEAR(pages, std::round(pages), 1e-6);
    EXPECT_LE(PrintFontSize(kUsableHeight * (std::round(pages) - 1) / static_cast<double>(tall) * 0.9), 6);
}

TEST(PrintLayoutTest, ScaleStaysWhenTheFirstSqueezeReachesTheMinimumOrTheGridIsShort) {
    const double wide = HorizontalPrintScale(kUsableWidth, 2560, 6);
    EXPECT_EQ(SqueezedPrintScale(wide, 1000 * 18, kPageHeight, kUsableHeight, 6), wide);
    const double narrow = HorizontalPrintScale(kUsableWidth, 192, 6);
    EXPECT_EQ(SqueezedPrintScale(narrow, 10 * 18, kPageHeight, kUsableHeight, 6), narrow);
    EXPECT_EQ(SqueezedPrintScale(narrow, 0, kPageHeight, kUsableHeight, 6), narrow);
}

TEST(PrintLayoutTest, ScreenCellRectLaysColumnsAndRowsEndToEndWithHiddenColumnsEmpty) {
    StringGrid grid;
    grid.setColCount(4);
    grid.setRowCount(4);
    for (int c = 0; c < 4; ++c) grid.setColWidth(c, 10 * (c + 1));
    grid.setColWidth(1, StringGrid::kHiddenWidth);
    grid.setRowHeight(1, 40);
    const ScreenGeometry geometry(grid);
    EXPECT_EQ(geometry.gridWidth(), 10 - 1 + 30 + 40);
    EXPECT_EQ(geometry.gridHeight(), 4 * 18) << "the default height, not the row's own";
    const ScreenRect hidden = geometry.ScreenCellRect(1, 2);
    EXPECT_EQ(hidden.left, 10);
    EXPECT_EQ(hidden.right, 10);
    const ScreenRect after = geometry.ScreenCellRect(2, 2);
    EXPECT_EQ(after.left, 10);
    EXPECT_EQ(after.right, 40);
    EXPECT_EQ(after.top, 18 + 40);
    EXPECT_EQ(after.bottom, 18 + 40 + 18);
}

}  // namespace
}  // namespace tabulyst
