#include "core/output/CellLineBreaks.h"

#include <gtest/gtest.h>

#include <string>

namespace tabulyst {
namespace {

std::string shown(std::string_view cell) {
    std::string out;
    forEachShownPart(cell, [&](std::string_view part) { out += part; }, [&] { out += "|"; });
    return out;
}

TEST(CellLineBreaksTest, EachLineBreakShowsAsOneMark) {
    EXPECT_EQ(shown("plain"), "plain");
    EXPECT_EQ(shown("l1\r\nl2\nl3\rl4"), "l1|l2|l3|l4");
    EXPECT_EQ(shown("\n\r\r\n"), "|||");  // LF, CR, then CR LF
    EXPECT_EQ(shown("end\r"), "end|");
}

TEST(CellLineBreaksTest, AltOrCtrlReturnTypesTheFilesLineEndWhereFieldsMayBeQuoted) {
    LayoutSettings layout;
    FileFormat crLf, lf;
    lf.lineEnds = LineEnds::Lf;
    auto typed = [&](Modifiers m, const FileFormat& format) { return lineBreakTyped({vk::Return, m}, layout, format); };
    EXPECT_EQ(typed({false, false, true}, crLf), "\r\n");
    EXPECT_EQ(typed({false, true, false}, lf), "\n");
    EXPECT_EQ(typed({false, false, false}, crLf), "");  // Return ends the edit
    EXPECT_EQ(typed({true, false, true}, crLf), "");
    EXPECT_EQ(typed({false, true, true}, crLf), "");
    EXPECT_EQ(lineBreakTyped({vk::letter('A'), {false, true, false}}, layout, crLf), "");
    layout.QuotedFields = false;  // a line break would split the row when read again
    EXPECT_EQ(typed({false, false, true}, crLf), "");
    layout.QuotedFields = true;
    layout.DelimitedMode = false;
    EXPECT_EQ(typed({false, false, true}, crLf), "");
}

// The editor shows a line per line break; an edit that adds text gives the
// cell back with its own line breaks, new lines in the file's line end.
TEST(CellLineBreaksTest, TheEditorsLinesComeBackAsTheCellsLineBreaks) {
    LayoutSettings quoted, plain;
    plain.QuotedFields = false;
    FileFormat crLf, lf;
    lf.lineEnds = LineEnds::Lf;
    struct Case {
        std::string_view cell, shown;
        const LayoutSettings& layout;
        const FileFormat& format;
        std::string_view edited, stored;
    };
    const Case cases[] = {
        {"a\r\nb", "a\nb", quoted, lf, "a\nbx\ny", "a\r\nbx\r\ny"},  // CR LF kept
        {"a\nb", "a\nb", quoted, crLf, "a\nbx\ny", "a\nbx\ny"},        // LF kept
        {"a\rb", "a\nb", quoted, crLf, "a\nbx", "a\rbx"},                // a lone CR kept
        {"ab", "ab", quoted, crLf, "a\nb", "a\r\nb"},                     // typed: the file's line end
        {"ab", "ab", quoted, lf, "a\nb", "a\nb"},
        {"K\xF6ln", "K\xF6ln", quoted, crLf, "K\xF6ln!", "K\xF6ln!"},       // Windows-1252 untouched
        {"ab", "ab", plain, crLf, "a\nb\n", "a b "},                        // no line break in such a table
    };
    for (const Case& c : cases) {
        EXPECT_EQ(editorTextOfCell(c.cell), c.shown) << c.cell;
        EXPECT_EQ(cellOfEditorText(c.edited, editedLineBreak(c.cell, c.layout, c.format)), c.stored) << c.cell;
    }
}

}  // namespace
}  // namespace tabulyst
