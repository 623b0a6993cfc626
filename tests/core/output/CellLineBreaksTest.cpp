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

}  // namespace
}  // namespace tabulyst
