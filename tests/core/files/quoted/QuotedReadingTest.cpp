#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/files/DelimiterNotation.h"
#include "core/files/quoted/QuotedFields.h"
#include "core/files/quoted/QuotedReference.h"
#include "core/files/quoted/QuotedScan.h"
#include "core/files/TableReader.h"
#include "core/files/TableWriter.h"
#include "core/grid/StringGrid.h"
#include "support/TempFolder.h"

namespace tabulyst {
namespace {

using Rows = std::vector<std::vector<std::string>>;

enum class Ends { Lf, CrLf };

struct ReadCase {
    const char* name;
    const char* delimiter;  // in its notation
    Ends ends;
    std::string text;
    Rows cells;
    // Every cell written again as an edited row writes it ("" where it is the text itself).
    std::string rewritten = "";
    bool quoted = true;
    std::vector<std::size_t> unclosedAt = {};  // the quotes that never close, record by record
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

QuotedLayout layoutOf(const ReadCase& c, const std::string& delimiter) {
    QuotedLayout layout;
    layout.lineEnd = c.ends == Ends::CrLf ? '\r' : '\n';
    layout.crLf = c.ends == Ends::CrLf;
    layout.delimiter = delimiter;
    layout.quoted = c.quoted;
    layout.stopAtCode26 = true;
    return layout;
}

Rows cellsOf(std::string_view text, const std::vector<QuotedRecord>& records, std::string_view delimiter) {
    Rows rows;
    for (const QuotedRecord& record : records) rows.push_back(recordCells(text, record, delimiter));
    return rows;
}

// The rows as a save writes them once every cell was edited: each cell quoted
// when it needs it or was quoted when read (with the setting on), lines ended
// as the file ends them.
std::string rewrite(std::string_view text, const std::vector<QuotedRecord>& records, const QuotedLayout& layout) {
    std::string out;
    for (const QuotedRecord& record : records) {
        const std::vector<std::string> cells = recordCells(text, record, layout.delimiter);
        std::size_t quoted = 0, begin = record.start;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += layout.delimiter;
            const bool wasQuoted = quoted < record.quoted.size() && record.quoted[quoted].open == begin;
            if (wasQuoted) ++quoted;
            if (layout.quoted) appendWrittenCell(out, cells[c], layout.delimiter, wasQuoted);
            else out += cells[c];
            if (c < record.delimiters.size()) begin = record.delimiters[c] + layout.delimiter.size();
        }
        out += layout.crLf ? "\r\n" : "\n";
    }
    return out;
}

const std::vector<ReadCase> kCases = {
    {"DelimiterInside", ";", Ends::CrLf, "a;\"b;c\";d\r\n", {{"a", "b;c", "d"}}},
    {"DoubledQuotes", ";", Ends::Lf, "\"say \"\"hi\"\"\";x\n", {{"say \"hi\"", "x"}}},
    {"PairRightBeforeTheDelimiter", ";", Ends::Lf, "\"a\"\";b\"\n", {{"a\";b"}}},
    {"CrLfInside", ";", Ends::CrLf, "\"l1\r\nl2\";x\r\ny\r\n", {{"l1\r\nl2", "x"}, {"y"}}},
    {"LfInside", ";", Ends::Lf, "\"l1\nl2\";x\ny\n", {{"l1\nl2", "x"}, {"y"}}},
    {"LoneLfInsideAFileOfCrLines", ";", Ends::CrLf, "\"a\nb\";c\r\n", {{"a\nb", "c"}}},
    {"QuoteRightBeforeCrLf", ";", Ends::CrLf, "\"a\"\r\nb\r\n", {{"a"}, {"b"}}},
    {"UnclosedQuoteReadsItsLinePlain", ";", Ends::Lf, "a;\"b\nc;d\n", {{"a", "\"b"}, {"c", "d"}}, "a;\"\"\"b\"\nc;d\n",
     true, {2}},
    {"UnclosedAfterAFieldOverTwoLines", ";", Ends::Lf, "\"x\ny\";\"z\n1;2\n",
     {{"\"x"}, {"y\"", "\"z"}, {"1", "2"}}, "\"\"\"x\"\n\"y\"\"\";\"\"\"z\"\n1;2\n", true, {6, 6}},
    {"QuotesInTheMiddleOfAField", ";", Ends::Lf, "ab\"c;d\"e\n", {{"ab\"c", "d\"e"}}, "\"ab\"\"c\";\"d\"\"e\"\n"},
    {"LoneQuoteInsideAQuotedField", ";", Ends::Lf, "\"a\"b\";c\n", {{"a\"b", "c"}}, "\"a\"\"b\";c\n"},
    {"EmptyQuotedFields", ";", Ends::Lf, "\"\";\"\";x\n\"\"\n", {{"", "", "x"}, {""}}},
    {"MultiCharacterDelimiter", "||", Ends::Lf, "\"a||b\"||c||\"\"\"\"\n", {{"a||b", "c", "\""}}},
    {"DelimiterInNotation", "#9", Ends::CrLf, "\"a\tb\"\tc\r\n", {{"a\tb", "c"}}},
    {"LastRecordWithoutLineEnd", ";", Ends::Lf, "x;\"y\ny\"", {{"x", "y\ny"}}, "x;\"y\ny\"\n"},
    {"SettingOff", ";", Ends::Lf, "\"a;b\";c\n", {{"\"a", "b\"", "c"}}, "", false},
    {"Code26EndsTheFileInsideAQuote", ";", Ends::Lf, "\"a\x1A" "b\"\n", {{"\"a"}}, "\"\"\"a\"\n", true, {0}},
    {"SelfOverlappingDelimiter", "aa", Ends::Lf, "\"xa\"aac\n", {{"xa", "c"}}},
};

class QuotedReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(QuotedReading, CellsAndWritingBack) {
    const ReadCase& c = GetParam();
    const std::string delimiter = DecodeDelimiter(c.delimiter);
    const QuotedLayout layout = layoutOf(c, delimiter);
    const std::vector<QuotedRecord> records = splitQuotedReference(c.text, layout);
    EXPECT_EQ(cellsOf(c.text, records, delimiter), c.cells);

    std::vector<std::size_t> unclosed;
    for (const QuotedRecord& record : records)
        if (record.plain) unclosed.push_back(record.unclosedAt);
    EXPECT_EQ(unclosed, c.unclosedAt) << "where the status line says a quote never closes";

    QuotedRecordList fast;
    const QuotedScanResult result = scanQuotedRecords(c.text.data(), c.text.size(), true, layout, fast);
    EXPECT_EQ(result.how, QuotedScanEnd::Done);
    EXPECT_EQ(fast.records(), records) << "the fast scanner reads as the reference does";

    // An untouched record goes back as its bytes: the records and their line ends are the text.
    std::string untouched;
    for (std::size_t r = 0; r < records.size(); ++r) {
        const std::size_t next = r + 1 < records.size() ? records[r + 1].start : c.text.find('\x1A');
        untouched += c.text.substr(records[r].start, std::min(next, c.text.size()) - records[r].start);
    }
    EXPECT_EQ(untouched, c.text.substr(0, c.text.find('\x1A')));

    // Every cell edited: written so that it reads back as the same cells.
    const std::string rewritten = rewrite(c.text, records, layout);
    EXPECT_EQ(rewritten, c.rewritten.empty() ? c.text : c.rewritten);
    EXPECT_EQ(cellsOf(rewritten, splitQuotedReference(rewritten, layout), delimiter), c.cells);
}

// The same files opened and saved: the grid shows the cells, an untouched
// table goes back byte for byte, and with every row edited each cell is
// written in quotes where it needs them or had them.
TEST_P(QuotedReading, ThroughTheReaderAndTheWriter) {
    const ReadCase& c = GetParam();
    const std::string delimiter = DecodeDelimiter(c.delimiter);
    const TableLayout layout = c.quoted ? TableLayout::quotedBy(delimiter) : TableLayout::delimitedBy(delimiter);
    tabulyst::testing::TempFolder folder;
    folder.write("t.csv", c.text);
    StringGrid grid;
    const TableReadResult read = readTableFile(folder.file("t.csv"), layout, grid);
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(grid.rowCount(), static_cast<int>(c.cells.size()) + 2);  // the header row and the spare row
    grid.setRowCount(grid.rowCount() - 1);
    Rows shown;
    for (int r = 1; r < grid.rowCount(); ++r) {
        shown.emplace_back();
        for (std::uint32_t p = 1; p < grid.rowCells(r).readCells(); ++p)
            shown.back().emplace_back(grid.cell(static_cast<int>(p), r));
    }
    EXPECT_EQ(shown, c.cells);
    EXPECT_EQ(read.unclosedQuoteRows, c.unclosedAt.size());

    TableWriteLayout write{layout, false, true, read.format};
    std::string error;
    const std::string asRead = c.text.substr(0, c.text.find('\x1A'));
    ASSERT_TRUE(writeTableFile(folder.file("out.csv"), write, grid, error)) << error;
    EXPECT_EQ(folder.read("out.csv"), asRead);

    for (int r = 1; r < grid.rowCount(); ++r) grid.setRowCells(r, RowCells(grid.rowCells(r)));  // rows of their own
    ASSERT_TRUE(writeTableFile(folder.file("out.csv"), write, grid, error)) << error;
    std::string rewritten = c.rewritten.empty() ? c.text : c.rewritten;
    if (!read.format.lastLineEnded) rewritten.erase(rewritten.find_last_not_of("\r\n") + 1);
    EXPECT_EQ(folder.read("out.csv"), rewritten);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuotedReading, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(QuotedCellTextsTest, KeepsTheTextsOfFieldsWithPairsAcrossPiecesJoined) {
    QuotedCellTexts first, second;
    first.add(10, "\"a\"\"b\"");
    first.add(40, "\"\"\"\"");
    second.add(100, "\"x\"\"\"");
    second.add(130, "\"\"\"y\"");
    first.dropFrom(40);  // the record from 40 on was read again
    first.append(second, 120);  // the second piece agrees from 120 on
    EXPECT_EQ(first.size(), 2u);
    EXPECT_EQ(first.find(10), "a\"b");
    EXPECT_EQ(first.find(40), "");
    EXPECT_EQ(first.find(100), "");
    EXPECT_EQ(first.find(130), "\"y");
    EXPECT_EQ(quotedFieldCell("\"\"\"y\"", 130, first), "\"y");
    EXPECT_EQ(quotedFieldCell("\"plain\"", 0, first), "plain");
    EXPECT_EQ(quotedFieldCell("unquoted", 0, first), "unquoted");
}

TEST(CellNeedsQuotesTest, QuotesWhatWouldNotReadBackOtherwise) {
    struct Case {
        std::string_view cell, delimiter;
        bool quoted;
    };
    const Case cases[] = {
        {"plain", ";", false},  {"a;b", ";", true},   {"say \"hi\"", ";", true}, {"l1\nl2", ";", true},
        {"l1\rl2", ";", true},  {"", ";", false},     {"xa", "aa", true},        {"xa", "ab", false},
        {"a|", "||", true},     {"x||y", "||", true}, {"tab\there", "", false},  {"\"", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cellNeedsQuotes(c.cell, c.delimiter), c.quoted) << c.cell << " with " << c.delimiter;
}

}  // namespace
}  // namespace tabulyst
