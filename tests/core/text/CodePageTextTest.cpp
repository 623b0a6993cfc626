#include "core/text/CodePageText.h"

#include <gtest/gtest.h>

#include <string>

#include "core/table/CharsetConversions.h"
#include "core/platform/Utf8Codec.h"

namespace tabulyst::text {
namespace {

TEST(CodePageText, Utf8ToWindows1252CountsWhatTheCodePageLacks) {
    struct Case {
        const char* utf8;
        const char* ansi;
        std::size_t lacking;
        char32_t first;
        std::size_t firstOffset;
    } cases[] = {
        {"plain", "plain", 0, 0, 0},
        {"M\xC3\xBCller \xE2\x82\xAC \xC5\xB8", "M\xFCller \x80 \x9F", 0, 0, 0},       // Müller € Ÿ
        {"\xC3\xA4 \xC5\x81\xC3\xB3" "d\xC5\xBA", "\xE4 ?\xF3" "d?", 2, U'\u0141', 3},  // ä Łódź
        {"x\xF0\x9F\x98\x80", "x?", 1, U'\U0001F600', 1},                              // an emoji is one character
        {"\xC2\x81\xC2\x80", "\x81?", 1, U'\u0080', 2},  // the unassigned 0x81 is there, U+0080 is not
        {"\xE4rger\xC3", "\xE4rger\xC3", 0, 0, 0},       // invalid bytes stay as they are
    };
    for (const Case& c : cases) {
        std::string out;
        LackingCharacters lacking;
        windows1252FromUtf8(c.utf8, out, lacking);
        EXPECT_EQ(out, c.ansi) << c.utf8;
        EXPECT_EQ(lacking.count, c.lacking) << c.utf8;
        EXPECT_EQ(lacking.first, c.first) << c.utf8;
        EXPECT_EQ(lacking.firstOffset, c.firstOffset) << c.utf8;
        const LackingCharacters scanned = lackingInWindows1252(c.utf8);
        EXPECT_EQ(scanned.count, c.lacking);
        EXPECT_EQ(scanned.firstOffset, c.firstOffset);
    }
    // Every byte comes back from its UTF-8 form.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string back;
    LackingCharacters none;
    windows1252FromUtf8(utf8FromWindows1252(all), back, none);
    EXPECT_EQ(back, all);
    EXPECT_EQ(none.count, 0u);
}

TEST(CodePageText, OemTablesChangeOnlyTheCharactersWindows1252Has) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const std::string lodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";  // Łódź: Ł and ź stay
    for (const unsigned char* table : {charToOemTable(), oemToCharTable()}) {
        std::string out;
        mapWindows1252Characters(utf8FromWindows1252(all), table, out);
        EXPECT_EQ(out, utf8FromWindows1252(table == charToOemTable() ? CharToOem(all) : OemToChar(all)));
        mapWindows1252Characters(lodz + "\xFF", table, out);
        const std::string mapped = table == charToOemTable() ? CharToOem("\xF3" "d") : OemToChar("\xF3" "d");
        EXPECT_EQ(out, "\xC5\x81" + utf8FromWindows1252(mapped) + "\xC5\xBA\xFF");
    }
}

}  // namespace
}  // namespace tabulyst::text
