#include "core/files/quoted/ClipboardTable.h"

#include <gtest/gtest.h>

namespace tabulyst {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(ClipboardTableTest, CopyQuotesOnlyCellsWithATabALineBreakOrALeadingQuote) {
    const Rows rows = {{"plain", "with \"inner\" quotes", "a\tb"}, {"l1\r\nl2", "\"lead", ""}};
    EXPECT_EQ(clipboardText(rows), "plain\twith \"inner\" quotes\t\"a\tb\"\r\n\"l1\r\nl2\"\t\"\"\"lead\"\t");
}

TEST(ClipboardTableTest, PasteLandsCellByCell) {
    struct Case {
        const char* name;
        std::string text;
        Rows rows;
    };
    const Case cases[] = {
        {"rows at LF, CR LF and CR", "a\tb\nc\r\nd\re", {{"a", "b"}, {"c"}, {"d"}, {"e"}}},
        {"a quoted cell with a tab and a line break",
         "\"x\ty\"\t\"line 1\nline 2\"\nz",
         {{"x\ty", "line 1\nline 2"}, {"z"}}},
        {"pairs of quotes", "\"say \"\"hi\"\"\"\t\"\"", {{"say \"hi\"", ""}}},
        {"quotes in the middle are text", "5\" disk\ta\"b", {{"5\" disk", "a\"b"}}},
        {"an unclosed quote reads its line plain", "\"open\tb\nc\td", {{"\"open", "b"}, {"c", "d"}}},
        {"empty cells", "\t\n", {{"", ""}, {""}}},
        {"nothing", "", {{""}}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseClipboardTable(c.text), c.rows) << c.name;
}

TEST(ClipboardTableTest, ACopyPastesBackAsTheSameCells) {
    const Rows rows = {
        {"", "\"", "\"\"", "a\"\tb"},
        {"\r", "\n", "x\r\ny\r\n", " "},
        {"\"quoted\"", "tail\"", "\t", "end"},
    };
    EXPECT_EQ(parseClipboardTable(clipboardText(rows)), rows);
    const Rows semicolons = {{"a;b", "\"c\"", "d"}};
    EXPECT_EQ(parseClipboardTable(clipboardText(semicolons, ";"), ";"), semicolons);
}

}  // namespace
}  // namespace tabulyst
