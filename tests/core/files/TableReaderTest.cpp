// The reader against the plain line-by-line reading it replaces: random files
// of line ends of all kinds, code 26, UTF-8 and Windows-1252 bytes and lines
// long enough to cross every boundary of the vector scan must come out as the
// same rows, read counts, line ends and encoding. Then rows showing their line
// of the file against rows with blocks of their own through every column edit
// and the save, and the widths fitted while reading against measuring every cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/files/Fields.h"
#include "core/files/FileEncoding.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/TableReader.h"
#include "core/files/TableWriter.h"
#include "core/files/quoted/QuotedReference.h"
#include "core/grid/StringGrid.h"
#include "core/text/Utf8Text.h"
#include "core/platform/AdvanceTable.h"
#include "support/RecordStartSpan.h"
#include "support/TempFolder.h"

namespace tabulyst {
namespace {

struct Expected {
    std::vector<std::vector<std::string>> rows;  // the number cell, then the fields
    LineEnds lineEnds = LineEnds::CrLf;
    bool lastLineEnded = false;
    FileEncoding encoding;
};

// The reading as it was done line by line: lines end at CR (a LF right after
// belongs to it) when the file has one, else at LF; code 26 ends the file;
// the encoding is found over all lines, and field lengths count characters
// of it.
Expected readLineByLine(std::string bytes, const TableLayout& layout) {
    bytes = bytes.substr(0, bytes.find('\x1a'));
    const bool cr = bytes.find('\r') != std::string::npos;
    std::vector<std::string> lines;
    Expected out;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t stop = std::min(bytes.find(cr ? '\r' : '\n', pos), bytes.size());
        lines.push_back(bytes.substr(pos, stop - pos));
        out.lastLineEnded = stop < bytes.size();
        pos = stop + 1;
        if (cr && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    out.lineEnds = cr || bytes.find('\n') == std::string::npos ? LineEnds::CrLf : LineEnds::Lf;
    Utf8Detector detector;
    std::vector<std::string_view> texts;
    for (const std::string& line : lines) {
        std::string_view text;
        detector.take(line, text);
        texts.push_back(text);
    }
    out.encoding = detector.encoding();
    const bool utf8 = out.encoding.utf8;
    for (std::string_view text : texts) {
        std::vector<std::string> row{std::to_string(out.rows.size() + 1)};
        if (layout.delimited) {
            std::vector<std::string_view> fields;
            splitFields(text, layout.delimiter, fields);
            row.insert(row.end(), fields.begin(), fields.end());
        } else {
            std::size_t pos = 0;
            for (int length : layout.fieldLengths) {
                const auto n = static_cast<std::size_t>(length);
                const std::size_t end = utf8 ? text::utf8Advance(text, pos, n) : std::min(pos + n, text.size());
                row.emplace_back(pos < text.size() ? text.substr(pos, end - pos) : "");
                pos = std::min(end, text.size());
            }
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

// Pieces random files are made of: line ends of every kind, the end-of-file
// code, UTF-8 the code page has and lacks, Windows-1252 bytes, and runs that
// carry lines across the 64-byte rounds of the scan.
// count: how many pieces at most; withCode26: whether code 26 may end the file
// early; kind: 0 ASCII only, 1 UTF-8 the code page has, 2 anything, 3 at random.
std::string randomFile(std::mt19937& rng, const std::string& delimiter, std::size_t count = 120, bool withCode26 = true,
                       unsigned kind = 3) {
    const std::vector<std::string> pieces = {
        "a", "bc", "12345", delimiter, delimiter, delimiter, "\r", "\n", "\r\n", "\r\n", "\n\r", "\xC3\xBC",
        "\xE2\x82\xAC", "\xC5\x81", "\xFC", std::string(61, 'x'), std::string(130, 'y'), " ", std::string(1, '\0'), "\x1a"};
    std::string bytes = rng() % 5 == 0 ? "\xEF\xBB\xBF" : "";
    // Mostly files of one kind, so that decoding runs through many lines.
    kind = kind < 3 ? kind : rng() % 3;
    count = rng() % count;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t piece = rng() % pieces.size();
        if (piece == pieces.size() - 1 && (!withCode26 || rng() % 4 != 0)) continue;  // code 26 only now and then
        if (kind == 0 && (piece >= 11 && piece <= 14)) piece = 0;    // ASCII only
        if (kind == 1 && (piece == 13 || piece == 14)) piece = 11;   // UTF-8 the code page has
        bytes += pieces[piece];
    }
    return bytes;
}

class TableReaderTest : public ::testing::Test {
protected:
    TableReadResult read(const std::string& bytes, const TableLayout& layout, StringGrid& grid,
                         ColumnWidthFit* fit = nullptr) {
        folder.write("t.csv", bytes);
        return readTableFile(folder.file("t.csv"), layout, grid, fit);
    }
    testing::TempFolder folder;
};

void expectRows(const StringGrid& grid, const Expected& expected, const std::string& trace) {
    SCOPED_TRACE(trace);
    const auto& rows = expected.rows;
    ASSERT_EQ(grid.rowCount(), static_cast<int>(rows.size()) + 2);  // the header row and the spare row
    std::size_t widest = 2;
    for (const auto& row : rows) widest = std::max(widest, row.size());
    if (grid.colCount() == 5 && widest < 5) widest = 5;  // four field lengths: every row has five cells
    ASSERT_EQ(grid.colCount(), static_cast<int>(widest));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        for (int c = 0; c < grid.colCount(); ++c) {
            const std::string want = static_cast<std::size_t>(c) < rows[r].size() ? rows[r][static_cast<std::size_t>(c)] : "";
            ASSERT_EQ(grid.cell(c, row), want) << "row " << row << " col " << c;
        }
        ASSERT_EQ(grid.rowCells(row).readCells(), rows[r].size()) << "row " << row;
    }
    EXPECT_EQ(grid.cell(0, grid.rowCount() - 1), std::to_string(rows.size() + 1));
}

TEST_F(TableReaderTest, RandomFilesComeOutAsReadLineByLine) {
    std::mt19937 rng(18);
    const char* delimiters[] = {";", ";", "\t", ";;", "", "\n"};
    for (int round = 0; round < 400; ++round) {
        TableLayout layout;
        if (round % 7 == 6) {
            layout.delimited = false;
            layout.fieldLengths = {3, 0, 5, 70};
        } else {
            layout.delimiter = delimiters[rng() % std::size(delimiters)];
        }
        const std::string bytes = randomFile(rng, layout.delimiter.empty() ? ";" : layout.delimiter);
        StringGrid grid;
        if (!layout.delimited) grid.setColCount(static_cast<int>(layout.fieldLengths.size()) + 1);
        const TableReadResult result = read(bytes, layout, grid);
        ASSERT_TRUE(result.ok) << result.error;
        const Expected expected = readLineByLine(bytes, layout);
        std::string shown;
        for (unsigned char c : bytes) shown += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : "<" + std::to_string(c) + ">";
        expectRows(grid, expected, "round " + std::to_string(round) + ": " + shown);
        EXPECT_EQ(result.format.lineEnds, expected.lineEnds) << round;
        EXPECT_EQ(result.format.lastLineEnded, expected.lastLineEnded) << round;
        EXPECT_EQ(result.format.encoding, expected.encoding) << round;
    }
}

// A measure that gives widths as sums but does not say so: the fit measures each text through it.
class SumsUnsaid : public TextMeasure {
public:
    explicit SumsUnsaid(const AdvanceTable& table) : table_(table) {}
    int textWidth(std::string_view text) const override { return table_.textWidth(text); }
    int maxCharWidth() const override { return table_.maxCharWidth(); }

private:
    const AdvanceTable& table_;
};

TEST_F(TableReaderTest, BigFilesComeOutAsReadLineByLineWithTheirWidthsAndStayAsTheyAre) {
    // Files of a MiB and more are mapped where they can be and split in two
    // halves at once. The second half's lines are kept, or split again after
    // the first where a line there needs the decoder, is too long for the
    // quick records, or a field length does not fit. Code 26 ends either half.
    const std::string utf8 = "Stra\xC3\x9F" "e;M\xC3\xBCller;\xE2\x82\xAC" "12";
    const std::string ansi = "Stra\xDF" "e;M\xFCller;\x80" "12";
    struct Case {
        const char* name;
        std::string every;  // on every 1000th line
        std::string early;  // on every 1000th line of the first 40 %
        std::string late;   // once, at 70 %
        bool delimited = true;
        std::string later = "";  // once, at 85 %
        bool lineFeeds = false;  // no line ends with a carriage return
    };
    const Case cases[] = {
        {"UTF-8 throughout", utf8, "", ""},
        {"UTF-8 in the second half only", "", "", utf8},
        {"Windows-1252 throughout", ansi, "", ""},
        {"Windows-1252 in the second half only", "", "", ansi},
        {"UTF-8 first, Windows-1252 in the second half", "", utf8, ansi},
        {"UTF-8 throughout, Windows-1252 late", utf8, "", ansi},
        {"Windows-1252 first, UTF-8 in the second half", "", ansi, utf8},
        {"UTF-8, then Windows-1252, both in the second half", "", "", utf8, true, ansi},
        {"a long line in the second half", "", "", std::string(70000, 'L') + ";x"},
        {"plain", "", "", ""},
        {"code 26 in the first half", "", "ab\x1a" "cd", ""},
        {"code 26 in the second half", "", "", "ab\x1a" "cd"},
        {"a misfit of the field lengths in the second half", "", "", "12", false},
        {"line feeds, and one carriage return in the second half", "", "", "x\ry", true, "", true},
        {"line feeds, code 26, then a carriage return", "", "ab\x1a" "cd", "x\ry", true, "", true},
    };
    const std::size_t size = std::size_t{3} << 19;
    for (const Case& c : cases) {
        // The field lengths fit every plain line.
        std::string bytes;
        bool placed = false, placedLater = false;
        for (int i = 0; bytes.size() < size; ++i) {
            std::string line = c.delimited ? std::to_string(i % 997) + ";abc;" + std::string(static_cast<std::size_t>(i % 37), 'x')
                                           : std::string(47, static_cast<char>('a' + i % 26));
            if (i % 1000 == 999 && !c.every.empty()) line = c.every;
            if (i % 1000 == 999 && !c.early.empty() && bytes.size() < size / 10 * 4) line = c.early;
            if (!placed && !c.late.empty() && bytes.size() > size / 10 * 7) {
                line = c.late;
                placed = true;
            }
            if (!placedLater && !c.later.empty() && bytes.size() > size / 20 * 17) {
                line = c.later;
                placedLater = true;
            }
            bytes += line + (c.lineFeeds || !(i % 3 || !c.delimited) ? "\n" : "\r\n");
        }
        TableLayout layout;
        layout.delimiter = ";";
        if (!c.delimited) {
            layout.delimited = false;
            layout.fieldLengths = {3, 1, 3, 40};
        }
        AdvanceTable advances;
        for (int ch = 0; ch < 256; ++ch) advances.setAdvance(static_cast<unsigned char>(ch), 1 + (ch * 7) % 11);
        StringGrid fitted, measured;
        if (!c.delimited) fitted.setColCount(5), measured.setColCount(5);
        ColumnWidthFit fit(advances, 5000, {StringGrid::kDefaultColWidth}, StringGrid::kDefaultColWidth);
        const TableReadResult result = read(bytes, layout, fitted, &fit);
        ASSERT_TRUE(result.ok) << result.error;
        fit.apply(fitted);
        const Expected expected = readLineByLine(bytes, layout);
        expectRows(fitted, expected, c.name);
        EXPECT_EQ(result.format.encoding, expected.encoding) << c.name;
        EXPECT_EQ(result.format.lineEnds, expected.lineEnds) << c.name;
        EXPECT_EQ(result.format.lastLineEnded, expected.lastLineEnded) << c.name;
        EXPECT_EQ(result.lengthMismatch, !c.delimited) << c.name;
        EXPECT_EQ(folder.read("t.csv"), bytes) << c.name;

        ASSERT_TRUE(read(bytes, layout, measured).ok);
        // A UTF-8 file's cells are measured by their characters.
        SumsUnsaid each(result.format.encoding.utf8 ? *advances.forUtf8Cells().advanceTable() : advances);
        FitColumnWidths(measured, 5000, each);
        for (int col = 0; col < measured.colCount(); ++col)
            ASSERT_EQ(fitted.colWidth(col), measured.colWidth(col)) << c.name << " col " << col;
    }
}

TEST_F(TableReaderTest, BigRandomFilesComeOutAsReadLineByLine) {
    // Big enough to be split in two halves: the halves' decoders must agree with one decoder.
    // Every kind of first half before every kind of second half, and code 26 in the first;
    // every other round with line starts as far apart as past 4 GiB.
    std::mt19937 rng(1818);
    for (unsigned round = 0; round < 11; ++round) {
        RecordStartSpan span(round % 2 ? 30000 : TableText::recordStartSpan);
        TableLayout layout;
        layout.delimiter = round % 3 == 2 ? ";;" : ";";
        const std::string bytes = randomFile(rng, layout.delimiter, 80000, round >= 9, round % 3) +
                                  randomFile(rng, ";", 400000, false, round / 3 % 3) + std::string(1 << 20, 'z');
        StringGrid grid;
        const TableReadResult result = read(bytes, layout, grid);
        ASSERT_TRUE(result.ok) << result.error;
        const Expected expected = readLineByLine(bytes, layout);
        expectRows(grid, expected, "round " + std::to_string(round));
        EXPECT_EQ(result.format.lineEnds, expected.lineEnds) << round;
        EXPECT_EQ(result.format.lastLineEnded, expected.lastLineEnded) << round;
        EXPECT_EQ(result.format.encoding, expected.encoding) << round;
    }
}

TEST_F(TableReaderTest, LinesOf64KiBAndMoreKeepTheirFields) {
    // Field ends from 65536 on take 32 bits; lines before and after such a line keep theirs.
    const std::string longField(70000, 'w');
    const std::string bytes = "a;b\r\n" + std::string(65535, 'v') + ";c\r\n" + longField + ";" + longField + "\r\nd;e";
    TableLayout layout;
    layout.delimiter = ";";
    StringGrid grid;
    ASSERT_TRUE(read(bytes, layout, grid).ok);
    expectRows(grid, readLineByLine(bytes, layout), "long lines");
    EXPECT_EQ(grid.cell(2, 3).size(), 70000u);
}

TEST_F(TableReaderTest, BigFilesWithQuotedFieldsComeOutAsOnePassReadsThem) {
    // Pieces start right after line ends, here often inside quoted fields, and
    // one quoted field runs over several pieces: the rows, their widths and an
    // untouched save must be those of one pass from the start.
    struct Case {
        const char* name;
        bool crLf;
        const char* delimiter;
        bool mark = false;      // UTF-8 with a byte-order mark
        bool unclosed = false;  // a stray quote near the end never closes
        std::size_t span = TableText::recordStartSpan;
    };
    const Case cases[] = {{"CR LF", true, ";"},
                          {"LF", false, ";"},
                          {"two bytes", true, "||"},
                          {"mark", true, ";", true},
                          {"unclosed", false, ";", false, true},
                          {"starts far apart", true, ";", false, false, 20000}};
    for (const Case& c : cases) {
        RecordStartSpan span(c.span);
        const std::string end = c.crLf ? "\r\n" : "\n", d = c.delimiter;
        std::string bytes = c.mark ? "\xEF\xBB\xBF\"M\xC3\xBCller\"" + d + "x" + end : "";
        for (int i = 0; bytes.size() < (std::size_t{5} << 19); ++i) {
            std::string line;
            for (int f = 0; f < 6; ++f) {
                // Each column wider than the one before: a line misread from inside a quoted field would widen the first.
                std::string field = std::to_string(i * 7 + f) + std::string(static_cast<std::size_t>((i + f) % 13 + 20 * f), 'k');
                if (i % 5 == 0) {
                    const std::string inner[] = {field + d + "x", "a" + end + field, "say \"\"" + field + "\"\"", field};
                    field = "\"" + inner[(i / 5 + f) % 4] + "\"";
                }
                line += (f ? d : "") + field;
            }
            if (i == 3000) line = "\"" + std::string(1000, 'q') + [&] {
                std::string over;  // a field over 300 KiB of lines
                while (over.size() < (std::size_t{300} << 10)) over += std::string(60, 'o') + end;
                return over;
            }() + "\"" + d + "end";
            bytes += line + end;
        }
        if (c.unclosed) bytes += "a" + d + "\"stray" + end + "b" + d + "c" + end;
        const TableLayout layout = TableLayout::quotedBy(d);
        AdvanceTable advances;
        for (int ch = 0; ch < 256; ++ch) advances.setAdvance(static_cast<unsigned char>(ch), 1 + (ch * 7) % 11);
        StringGrid grid;
        ColumnWidthFit fit(advances, 5000, {StringGrid::kDefaultColWidth}, StringGrid::kDefaultColWidth);
        const TableReadResult result = read(bytes, layout, grid, &fit);
        ASSERT_TRUE(result.ok) << result.error;
        fit.apply(grid);

        // One pass of the rules, and the widths as sums of each cell's bytes as it shows them.
        const std::string_view text = std::string_view(bytes).substr(c.mark ? 3 : 0);
        const std::vector<QuotedRecord> records =
            splitQuotedReference(text, {c.crLf ? '\r' : '\n', c.crLf, d, true, true});
        Expected expected;
        std::vector<int> widest(1, 0);
        for (const QuotedRecord& record : records) {
            expected.rows.push_back({std::to_string(expected.rows.size() + 1)});
            const std::vector<std::string> cells = recordCells(text, record, d);
            for (const std::string& cell : cells) expected.rows.back().push_back(cell);
            widest.resize(std::max(widest.size(), cells.size() + 1), 0);
            for (std::size_t p = 0; p < cells.size(); ++p) widest[p + 1] = std::max(widest[p + 1], advances.textWidth(cells[p]));
        }
        expectRows(grid, expected, c.name);
        EXPECT_EQ(result.unclosedQuoteRows, c.unclosed ? 1u : 0u) << c.name;
        EXPECT_EQ(result.format.encoding.byteOrderMark, c.mark) << c.name;
        StringGrid model;
        model.setColCount(grid.colCount());
        ColumnWidthFit modelFit(advances, 5000, {StringGrid::kDefaultColWidth}, StringGrid::kDefaultColWidth);
        modelFit.offerNumbers(records.size() + 1);
        for (std::size_t col = 1; col < widest.size(); ++col)
            if (widest[col] > 0) modelFit.offerWidth(col, widest[col]);
        modelFit.apply(model);
        for (int col = 0; col < grid.colCount(); ++col)
            ASSERT_EQ(grid.colWidth(col), model.colWidth(col)) << c.name << " col " << col;

        grid.setRowCount(grid.rowCount() - 1);  // the spare row
        std::string error;
        TableLayout written = layout;
        written.encoding = result.format.encoding.cells();
        ASSERT_TRUE(writeTableFile(folder.file("out.csv"), {written, false, true, result.format}, grid, error)) << error;
        EXPECT_TRUE(folder.read("out.csv") == bytes) << c.name;
    }
}

TEST_F(TableReaderTest, AFileWithMoreLinesThanRecordsCanHoldIsRefusedWithAMessage) {
    RecordStartSpan span(8);  // every line begins records of its own
    std::string bytes;
    for (int i = 0; i < 1100; ++i) bytes += "line " + std::to_string(i) + ";x\n";
    StringGrid grid;
    grid.setCell(1, 1, "kept");
    const TableReadResult result = read(bytes, TableLayout::delimitedBy(";"), grid);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Die Datei hat zu viele Zeilen und Felder (zusammen mehr als rund vier Milliarden).");
    EXPECT_EQ(grid.cell(1, 1), "kept");
}

TEST_F(TableReaderTest, AFileThatCannotBeOpenedLeavesTheGridAlone) {
    StringGrid grid;
    grid.setCell(1, 1, "kept");
    TableLayout layout;
    layout.delimiter = ";";
    const TableReadResult result = readTableFile(folder.file("missing.csv"), layout, grid);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(grid.cell(1, 1), "kept");
}

// A column edit the grid makes for all rows at once, with its arguments drawn at random.
void randomEdit(StringGrid& a, StringGrid& b, std::mt19937& rng, std::string& what) {
    const int cols = a.colCount(), rows = a.rowCount();
    const int at = static_cast<int>(rng() % static_cast<unsigned>(cols + 2)) - 1;
    const int to = static_cast<int>(rng() % static_cast<unsigned>(cols));
    const int row = static_cast<int>(rng() % static_cast<unsigned>(rows));
    switch (rng() % 10) {
    case 0: what = "insertColumn " + std::to_string(at); a.insertColumn(at); b.insertColumn(at); break;
    case 1: what = "deleteColumn " + std::to_string(at); a.deleteColumn(at); b.deleteColumn(at); break;
    case 2: what = "moveColumn " + std::to_string(at) + " " + std::to_string(to); a.moveColumn(at, to); b.moveColumn(at, to); break;
    case 3: {
        const int count = 1 + static_cast<int>(rng() % 3);
        what = "shiftCellsLeft " + std::to_string(at) + " " + std::to_string(count);
        a.shiftCellsLeft(at, count);
        b.shiftCellsLeft(at, count);
        break;
    }
    case 4: what = "setColCount " + std::to_string(to + 1); a.setColCount(to + 1); b.setColCount(to + 1); break;
    case 5: what = "setColCount " + std::to_string(cols + 2); a.setColCount(cols + 2); b.setColCount(cols + 2); break;
    case 6: {
        // The number cell takes numbers as a number and anything else as text.
        const char* texts[] = {"7", "0", "007", "4294967295", "4294967296", "x", ""};
        const std::string text = texts[rng() % std::size(texts)];
        what = "setCell 0 " + std::to_string(row) + " " + text;
        a.setCell(0, row, text);
        b.setCell(0, row, text);
        break;
    }
    case 7: {
        const std::string text = rng() % 3 == 0 ? "" : "neu" + std::to_string(rng() % 100);
        what = "setCell " + std::to_string(to) + " " + std::to_string(row) + " " + text;
        a.setCell(to, row, text);
        b.setCell(to, row, text);
        break;
    }
    case 8: {
        std::vector<std::uint32_t> order(static_cast<std::size_t>(rows - 1));
        std::iota(order.begin(), order.end(), 0u);
        std::shuffle(order.begin(), order.end(), rng);
        what = "reorderRows";
        a.reorderRows(1, order);
        b.reorderRows(1, order);
        break;
    }
    default:
        what = "insertRows/deleteRows " + std::to_string(row);
        a.insertRows(row, 2);
        b.insertRows(row, 2);
        a.deleteRows(rows / 2, 1);
        b.deleteRows(rows / 2, 1);
        break;
    }
}

void expectSameGrids(const StringGrid& a, const StringGrid& b, const std::string& trace) {
    SCOPED_TRACE(trace);
    ASSERT_EQ(a.colCount(), b.colCount());
    ASSERT_EQ(a.rowCount(), b.rowCount());
    for (int r = 0; r < a.rowCount(); ++r) {
        for (int c = 0; c < a.colCount(); ++c) ASSERT_EQ(a.cell(c, r), b.cell(c, r)) << "row " << r << " col " << c;
        ASSERT_EQ(a.rowCells(r).readCells(), b.rowCells(r).readCells()) << "row " << r;
        ASSERT_EQ(a.rowCells(r).writtenCells(), b.rowCells(r).writtenCells()) << "row " << r;
    }
}

TEST_F(TableReaderTest, RowsShowingTheirLineTakeEveryEditAsRowsWithBlocksOfTheirOwn) {
    std::mt19937 rng(1812);
    for (int round = 0; round < 60; ++round) {
        TableLayout layout;
        layout.delimiter = round % 5 == 4 ? "::" : ";";
        std::string bytes;
        const int lines = 1 + static_cast<int>(rng() % 12);
        for (int l = 0; l < lines; ++l) {
            const int fields = static_cast<int>(rng() % 6);
            for (int f = 0; f < fields; ++f) bytes += (f ? layout.delimiter : "") + (rng() % 4 ? std::to_string(rng() % 1000) : "");
            bytes += "\r\n";
        }
        StringGrid onLines;
        ASSERT_TRUE(read(bytes, layout, onLines).ok);
        ASSERT_NE(onLines.text(), nullptr);
        // The same cells, each row in a block of its own (a copy never shows a line).
        std::vector<RowCells> copies;
        for (int r = 0; r < onLines.rowCount(); ++r) copies.push_back(onLines.rowCells(r));
        StringGrid ownBlocks;
        ownBlocks.setColCount(onLines.colCount());
        ownBlocks.setRows(std::move(copies));
        ASSERT_EQ(ownBlocks.text(), nullptr);
        expectSameGrids(onLines, ownBlocks, "as read, round " + std::to_string(round));

        TableWriteLayout out;
        out.layout.delimiter = layout.delimiter;
        std::string error;
        for (int step = 0; step < 25; ++step) {
            std::string what;
            randomEdit(onLines, ownBlocks, rng, what);
            expectSameGrids(onLines, ownBlocks, "round " + std::to_string(round) + " after " + what);
            // Saving writes the same bytes whether it copies lines or joins cells.
            out.format.lineEnds = rng() % 2 ? LineEnds::Lf : LineEnds::CrLf;
            out.format.encoding.utf8 = rng() % 4 == 0;
            ASSERT_TRUE(writeTableFile(folder.file("a.csv"), out, onLines, error)) << error;
            ASSERT_TRUE(writeTableFile(folder.file("b.csv"), out, ownBlocks, error)) << error;
            ASSERT_EQ(folder.read("a.csv"), folder.read("b.csv")) << "round " << round << " after " << what;
        }
    }
}

TEST_F(TableReaderTest, UntouchedLinesAreWrittenAsTheyStandAndEditedOnesJoined) {
    TableLayout layout;
    layout.delimiter = ";";
    StringGrid grid;
    // A lone CR and the missing last line end are written as the save's line end.
    ASSERT_TRUE(read("a;b\r\nc;d\re;f\r\n;;\r\ng", layout, grid).ok);
    grid.setRowCount(grid.rowCount() - 1);  // the spare row, as the file commands drop it
    TableWriteLayout out;
    out.layout.delimiter = ";";
    std::string error;
    ASSERT_TRUE(writeTableFile(folder.file("same.csv"), out, grid, error));
    EXPECT_EQ(folder.read("same.csv"), "a;b\r\nc;d\r\ne;f\r\n;;\r\ng\r\n");
    grid.setCell(2, 2, "D");
    grid.setColWidth(1, StringGrid::kHiddenWidth);
    ASSERT_TRUE(writeTableFile(folder.file("edited.csv"), out, grid, error));
    EXPECT_EQ(folder.read("edited.csv"), "a;b\r\nc;D\r\ne;f\r\n;;\r\ng\r\n");
    out.includeHidden = false;
    out.layout.delimiter = "|";
    ASSERT_TRUE(writeTableFile(folder.file("narrow.csv"), out, grid, error));
    EXPECT_EQ(folder.read("narrow.csv"), "b\r\nD\r\nf\r\n|\r\n\r\n");
}

TEST_F(TableReaderTest, WidthsFittedWhileReadingAreThoseOfMeasuringEveryCell) {
    std::mt19937 rng(2718);
    for (int round = 0; round < 80; ++round) {
        AdvanceTable advances;
        for (int ch = 0; ch < 256; ++ch) advances.setAdvance(static_cast<unsigned char>(ch), static_cast<int>(rng() % 12));
        advances.setAdvance('\t', 80);  // as a tab measures in the grid's font
        TableLayout layout;
        layout.delimiter = ";";
        std::string bytes;
        const int lines = static_cast<int>(rng() % (round % 10 == 0 ? 2000 : 40));
        for (int l = 0; l < lines; ++l) {
            const int fields = 1 + static_cast<int>(rng() % 5);
            for (int f = 0; f < fields; ++f) {
                if (f) bytes += ';';
                const std::size_t length = rng() % 14;
                for (std::size_t i = 0; i < length; ++i) bytes += "0123456789.,-Wmi\t\xE4"[rng() % 19];
            }
            bytes += rng() % 2 ? "\n" : "\r\n";
        }
        const int maxWidth = 30 + static_cast<int>(rng() % 200);
        std::vector<int> widths = {StringGrid::kDefaultColWidth, static_cast<int>(rng() % 60)};
        if (rng() % 4 == 0) widths[1] = StringGrid::kHiddenWidth;

        StringGrid fitted, measured;
        for (StringGrid* grid : {&fitted, &measured}) {
            grid->setColWidth(0, widths[0]);
            grid->setColWidth(1, widths[1]);
        }
        ColumnWidthFit fit(advances, maxWidth, widths, StringGrid::kDefaultColWidth);
        ASSERT_TRUE(read(bytes, layout, fitted, &fit).ok);
        fit.apply(fitted);

        ASSERT_TRUE(read(bytes, layout, measured).ok);
        SumsUnsaid each(advances);
        FitColumnWidths(measured, maxWidth, each);
        for (int c = 0; c < measured.colCount(); ++c)
            ASSERT_EQ(fitted.colWidth(c), measured.colWidth(c)) << "round " << round << " col " << c;
    }
}

}  // namespace
}  // namespace tabulyst
