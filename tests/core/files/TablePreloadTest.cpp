// The command line's table read ahead while the window is built: the first
// load takes what was read (once), and anything that differs from what was
// read ahead sends the load back to the file.
#include <gtest/gtest.h>

#include "core/files/FitColumnWidths.h"
#include "core/files/TablePreload.h"
#include "core/grid/StringGrid.h"
#include "core/platform/AdvanceTable.h"
#include "support/FormFixture.h"

namespace tabulyst::testing {
namespace {

class TablePreloadTest : public FormFixture {
protected:
    TableReadLayout semicolons() {
        TableReadLayout layout;
        layout.delimiter = ";";
        return layout;
    }
    TempFolder folder;
};

TEST_F(TablePreloadTest, TheFirstLoadTakesWhatWasReadAheadAndAReloadReadsTheFileAgain) {
    folder.write("t.csv", "a;b\r\nc;d\r\n");
    const std::string path = folder.file("t.csv");
    TablePreload preload;
    preload.start(path);
    form->files.readAhead(preload);
    preload.wait();
    folder.write("t.csv", "changed;since\r\n");
    form->commandLine = {path};
    form->FormPaint();
    // What was read at the start, as an ordinary load shows it.
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().cell(2, 2), "d");
    EXPECT_EQ(grid().cell(0, 2), "2");
    EXPECT_EQ(form->title(), path);
    commands().trigger("mnuMainReLoad");
    EXPECT_EQ(grid().cell(1, 1), "changed");
}

TEST_F(TablePreloadTest, ALoadUnderAnotherLayoutOrOfAnotherFileReadsTheFileItself) {
    folder.write("t.csv", "a;b,c\r\n");
    const std::string path = folder.file("t.csv");
    {
        TablePreload preload;
        preload.start(path);
        preload.splitUnder(semicolons(), nullptr);
        TableReadLayout commas;
        commas.delimiter = ",";
        EXPECT_FALSE(preload.take(path, commas, nullptr));
        EXPECT_FALSE(preload.take(path, semicolons(), nullptr));  // given once only
    }
    {
        TablePreload preload;
        preload.start(path);
        EXPECT_FALSE(preload.take(folder.file("other.csv"), semicolons(), nullptr));
    }
    {
        TablePreload preload;
        preload.start(folder.file("missing.csv"));  // the load tells the user itself
        EXPECT_FALSE(preload.take(folder.file("missing.csv"), semicolons(), nullptr));
    }
    TablePreload preload;
    preload.start(path);  // never told the layout: the lines are cut when taken
    auto reading = preload.take(path, semicolons(), nullptr);
    ASSERT_TRUE(reading);
    StringGrid grid;
    EXPECT_TRUE(reading->fill(grid, nullptr).ok);
    EXPECT_EQ(grid.cell(2, 1), "b,c");
}

TEST_F(TablePreloadTest, WidthsMeasuredAheadAreThoseOfMeasuringAtTheLoad) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += std::to_string(i * 7919) + ";W" + std::string(static_cast<std::size_t>(i % 13), 'm') + "\n";
    folder.write("t.csv", bytes);
    const std::string path = folder.file("t.csv");
    AdvanceTable advances, same;
    for (int ch = 0; ch < 256; ++ch) {
        advances.setAdvance(static_cast<unsigned char>(ch), 3 + ch % 9);
        same.setAdvance(static_cast<unsigned char>(ch), 3 + ch % 9);
    }
    TablePreload preload;
    preload.start(path);
    preload.splitUnder(semicolons(), &advances);
    auto reading = preload.take(path, semicolons(), &same);  // the same advances in another table
    ASSERT_TRUE(reading);
    StringGrid ahead, now;
    ColumnWidthFit fitAhead(same, 500, {18, 18}, 18), fitNow(same, 500, {18, 18}, 18);
    ASSERT_TRUE(reading->fill(ahead, &fitAhead).ok);
    fitAhead.apply(ahead);
    ASSERT_TRUE(readTableFile(path, semicolons(), now, &fitNow).ok);
    fitNow.apply(now);
    for (int c = 0; c < now.colCount(); ++c) EXPECT_EQ(ahead.colWidth(c), now.colWidth(c)) << c;
    EXPECT_GT(now.colWidth(2), 18);
}

}  // namespace
}  // namespace tabulyst::testing
