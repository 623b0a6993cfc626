// The text rows of a read file show their cells from: the row numbers it
// keeps as numbers, and rows that outlive it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/grid/StringGrid.h"
#include "core/grid/TableText.h"
#include "support/RecordStartSpan.h"

namespace tabulyst {
namespace {

// A text of the given lines cut at ";" as the reader cuts them.
std::unique_ptr<TableText> textOf(const std::vector<std::string>& lines) {
    auto text = std::make_unique<TableText>(TableLayout::delimitedBy(";"));
    std::string all;
    for (const auto& line : lines) all += line + "\n";
    std::copy(all.begin(), all.end(), text->reserve(all.size()));
    text->setSize(all.size());
    std::size_t start = 0;
    for (const auto& line : lines) {
        text->beginLine(start);
        for (std::size_t at = 0; (at = line.find(';', at)) != std::string::npos; ++at) text->addEnd(at);
        text->addEnd(line.size());
        text->endLine();
        start += line.size() + 1;
    }
    text->finish();
    return text;
}

// A grid whose rows 1 and up show the lines, numbered from 1.
StringGrid gridOf(const std::vector<std::string>& lines) {
    auto text = textOf(lines);
    std::vector<RowCells> rows(1);
    std::uint32_t number = 0;
    text->forEachLine([&](TableText::Line line) { rows.push_back(RowCells::onLine(*text, line, ++number)); });
    StringGrid grid;
    grid.setColCount(static_cast<int>(text->maxCells()));
    grid.setRows(std::move(rows), std::move(text));
    return grid;
}

TEST(TableText, NumbersReadAsTheirDecimalTextAcrossEveryChunkOfDigits) {
    TableText text(TableLayout::delimitedBy(";"));
    for (std::uint32_t n : {0u, 1u, 9u, 10u, 99u, 65535u, 65536u, 99999u, 100000u, 131071u, 999999u, 1000000u,
                            4294901760u, 4294967294u, 4294967295u})
        EXPECT_EQ(text.numberText(n), std::to_string(n));
    std::uint32_t n = 0;
    EXPECT_TRUE(TableText::parseNumber("4294967295", n));
    EXPECT_EQ(n, 4294967295u);
    for (const char* other : {"", "01", "00", "4294967296", "12a", "-1", "+1", " 1", "99999999999"})
        EXPECT_FALSE(TableText::parseNumber(other, n)) << other;
}

TEST(TableText, NumberCellsStayOnTheirLineAndOtherWritesGiveTheRowItsOwnBlock) {
    StringGrid grid = gridOf({"a;b", "c;d;e", "f"});
    const TableText* text = grid.text();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(grid.cell(0, 2), "2");
    grid.setCell(0, 2, "41");  // renumbering: still the line
    EXPECT_EQ(grid.rowCells(2).text(), text);
    EXPECT_EQ(grid.cell(0, 2), "41");
    const std::string_view before = grid.cell(0, 1);
    grid.setCell(0, 3, "007");  // not a number's own text: kept as written
    EXPECT_EQ(grid.rowCells(3).text(), nullptr);
    EXPECT_EQ(grid.cell(0, 3), "007");
    EXPECT_EQ(grid.cell(1, 3), "f");
    EXPECT_EQ(grid.rowCells(3).readCells(), 2u);  // still the row of a two-cell line
    EXPECT_EQ(before, "1");  // a number's text stays where it is
    grid.setCell(3, 1, "new");
    EXPECT_EQ(grid.rowCells(1).text(), nullptr);
    EXPECT_EQ(grid.rowCells(1).writtenCells(), 4u);
    EXPECT_EQ(grid.cell(2, 1), "b");
    EXPECT_EQ(grid.rowCells(2).text(), text);
}

TEST(TableText, TheTextGoesOnceNoRowShowsALineAnyMore) {
    StringGrid grid = gridOf({"a;b", "c;d", "e;f"});
    grid.setCell(1, 1, "A");
    grid.deleteRows(2, 1);
    ASSERT_NE(grid.text(), nullptr);  // row 3 still shows its line
    const RowCells copy = grid.rowCells(2);
    grid.setCell(2, 2, "F");
    EXPECT_EQ(grid.text(), nullptr);
    EXPECT_EQ(grid.cell(1, 1), "A");
    EXPECT_EQ(grid.cell(2, 1), "b");
    EXPECT_EQ(grid.cell(1, 2), "e");
    EXPECT_EQ(grid.cell(2, 2), "F");
    EXPECT_EQ(copy.cell(2), "f");
}

TEST(TableText, ACopyOfALineRowOutlivesTheText) {
    RowCells copy;
    {
        StringGrid grid = gridOf({"x;y;z"});
        copy = grid.rowCells(1);
        grid.clearCells();  // the text goes with the last rows that show it
        EXPECT_EQ(grid.text(), nullptr);
    }
    EXPECT_EQ(copy.text(), nullptr);
    EXPECT_EQ(copy.cell(0), "1");
    EXPECT_EQ(copy.cell(3), "z");
    EXPECT_EQ(copy.readCells(), 4u);
}

// Records of every size, some wider than the stretch of memory taken at a
// time, and enough of them to fill a chunk, keep every field where it was;
// so do they where starts lie too far apart for one chunk, as past 4 GiB.
TEST(TableText, RecordsOfEverySizeKeepTheirFieldsAcrossChunks) {
    const std::size_t counts[] = {1, 7, 300, 32000, 32760};  // one-letter fields: ends stay in 16 bits
    auto letter = [](std::size_t line, std::size_t field) { return std::string(1, static_cast<char>('a' + (line + field) % 26)); };
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < 330; ++i) {
        std::string line;
        for (std::size_t f = 0; f < counts[i % 5]; ++f) line += (f ? ";" : "") + letter(i, f);
        lines.push_back(std::move(line));
    }
    for (std::size_t span : {TableText::recordStartSpan, std::size_t{100000}}) {
        SCOPED_TRACE(span);
        RecordStartSpan shrunk(span);
        const auto text = textOf(lines);
        ASSERT_EQ(text->lineCount(), lines.size());
        std::size_t i = 0;
        text->forEachLine([&](TableText::Line line) {
            const std::size_t count = counts[i % 5];
            ASSERT_EQ(text->cellCount(line), count + 1) << "line " << i;
            for (std::size_t f : {std::size_t{0}, count / 2, count - 1})
                EXPECT_EQ(text->cell(line, 1, f + 1), letter(i, f)) << "line " << i << " field " << f;
            ++i;
        });
        EXPECT_EQ(i, lines.size());
    }
}

// A line whose ends or field count need 32 bits moves to a chunk of 32-bit
// words, where the lines after it go too until it is full; a line of more
// fields than a chunk holds makes its chunk grow. Every line keeps its fields.
TEST(TableText, LinesBeyond16BitsAndTheLinesAfterThemKeepTheirFields) {
    struct Kind {
        std::size_t fields, width;  // fields of width letters
    };
    // Short lines, a long line (ends past 65535), enough short lines to fill
    // its chunk, a line of more fields than a chunk holds, and 65536 fields of one letter.
    const std::vector<std::pair<Kind, std::size_t>> runs = {{{5, 3}, 10},     {{2, 40000}, 1}, {{7, 1}, 300000},
                                                            {{3, 2}, 5},      {{2300000, 1}, 1}, {{4, 1}, 3},
                                                            {{65536, 0}, 1}, {{3, 5}, 2}};
    auto field = [](std::size_t line, std::size_t f, std::size_t width) {
        return std::string(width, static_cast<char>('a' + (line * 7 + f) % 26));
    };
    std::vector<std::string> lines;
    std::vector<Kind> kinds;
    for (const auto& [kind, count] : runs)
        for (std::size_t n = 0; n < count; ++n) {
            std::string line;
            for (std::size_t f = 0; f < kind.fields; ++f) line += (f ? ";" : "") + field(lines.size(), f, kind.width);
            lines.push_back(std::move(line));
            kinds.push_back(kind);
        }
    const auto text = textOf(lines);
    ASSERT_EQ(text->lineCount(), lines.size());
    std::size_t i = 0;
    text->forEachLine([&](TableText::Line line) {
        const Kind kind = kinds[i];
        ASSERT_EQ(text->cellCount(line), kind.fields + 1) << "line " << i;
        ASSERT_EQ(text->lineText(line), lines[i]) << "line " << i;
        for (std::size_t f : {std::size_t{0}, kind.fields / 2, kind.fields - 1})
            ASSERT_EQ(text->cell(line, 1, f + 1), field(i, f, kind.width)) << "line " << i << " field " << f;
        ++i;
    });
    EXPECT_EQ(i, lines.size());
}

}  // namespace
}  // namespace tabulyst
