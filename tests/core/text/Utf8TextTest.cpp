#include "core/text/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/TextLength.h"

namespace tabulyst::text {
namespace {

struct Case {
    std::string text;
    std::size_t characters;
    bool valid;
};

// "Łódź €" and friends; an invalid byte is one character and stays where it is.
const Case kCases[] = {
    {"", 0, true},
    {"plain", 5, true},
    {"\xC5\x81\xC3\xB3" "d\xC5\xBA \xE2\x82\xAC", 6, true},  // Łódź €
    {"\xF0\x9F\x98\x80x", 2, true},                           // an emoji, four bytes
    {"\xE4rger", 5, false},                                   // a Windows-1252 umlaut
    {"x\xC3", 2, false},                                      // cut at the end
    {"\xE2\x82" "ab", 4, false},                              // a cut euro sign: two stray bytes
    {"\xBC\xBC", 2, false},                                   // lone continuation bytes
    {"\xC0\xAF", 2, false},                                   // overlong
    {"\xED\xA0\x80", 3, false},                               // a surrogate
    {"\xF4\x90\x80\x80", 4, false},                           // above U+10FFFF
};

TEST(Utf8Text, CountsCharactersAndTellsValidText) {
    for (const Case& c : kCases) {
        EXPECT_EQ(utf8Length(c.text), c.characters) << c.text;
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.text;
        EXPECT_EQ(characterCount(c.text, TextEncoding::Windows1252), c.text.size());
        // Walking character by character ends exactly at the end and reads every byte once.
        std::size_t pos = 0, steps = 0;
        while (pos < c.text.size()) {
            pos += utf8CharAt(c.text, pos).size;
            ++steps;
        }
        EXPECT_EQ(pos, c.text.size());
        EXPECT_EQ(steps, c.characters);
    }
    EXPECT_EQ(utf8CharAt("\xC5\x81", 0).code, U'\u0141');
    EXPECT_EQ(utf8CharAt("\xF0\x9F\x98\x80", 0).code, U'\U0001F600');
    EXPECT_TRUE(isAscii(std::string(40, 'a')));
    EXPECT_FALSE(isAscii(std::string(40, 'a') + "\xC3\xA4"));
}

TEST(Utf8Text, CutsTakesAndPadsWholeCharacters) {
    const std::string lodz = "\xC5\x81\xC3\xB3" "d\xC5\xBA";  // Łódź
    struct Cut {
        std::string text;
        std::size_t from, n;
        std::string taken;
    } cuts[] = {
        {lodz, 0, 2, "\xC5\x81\xC3\xB3"},
        {lodz, 1, 2, "\xC3\xB3" "d"},
        {lodz, 3, 9, "\xC5\xBA"},
        {lodz, 4, 1, ""},
        {lodz, 9, 1, ""},
        {lodz, 2, std::string::npos, "d\xC5\xBA"},
        {"\xE2\x82" "ab", 1, 2, "\x82" "a"},     // invalid bytes are characters of their own
        {std::string(20, 'a') + lodz, 19, 3, "a\xC5\x81\xC3\xB3"},
    };
    for (const Cut& c : cuts) EXPECT_EQ(utf8Characters(c.text, c.from, c.n), c.taken) << c.text << c.from;

    std::string out;
    fixedLength(lodz, 6, TextEncoding::Utf8, out);
    EXPECT_EQ(out, lodz + "  ");
    fixedLength(lodz, 3, TextEncoding::Utf8, out);
    EXPECT_EQ(out, "\xC5\x81\xC3\xB3" "d");
    fixedLength(lodz, 3, TextEncoding::Windows1252, out);  // bytes
    EXPECT_EQ(out, "\xC5\x81\xC3");
    EXPECT_EQ(firstCharacters(lodz, 1, TextEncoding::Utf8), "\xC5\x81");
    EXPECT_EQ(firstCharacters("abc", 5, TextEncoding::Windows1252), "abc");
}

TEST(Utf8Text, CursorOffsetsAndCharacterIndexesMapBothWays) {
    const std::string text = "a\xC3\xA4\xE2\x82\xAC" "b";  // aä€b
    const std::size_t starts[] = {0, 1, 3, 6, 7};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(utf8Advance(text, 0, i), starts[i]);
        EXPECT_EQ(utf8CharacterIndex(text, starts[i]), i);
    }
    EXPECT_EQ(utf8CharacterIndex(text, 4), 2u);  // inside € is at €
    EXPECT_EQ(utf8CharacterIndex(text, 99), 4u);
    EXPECT_EQ(utf8Advance(text, 0, 99), text.size());
}

TEST(Utf8Text, FixedLengthLinesAreCutInCharacters) {
    struct Line {
        std::string line;
        TextEncoding encoding;
        std::vector<std::size_t> lengths, ends;
        bool fits;
    } lines[] = {
        {"\xC3\xA4" "b\xC5\x81" "cd", TextEncoding::Utf8, {2, 3}, {3, 7}, true},  // äb | Łcd
        {"\xC3\xA4" "b\xC5\x81" "cd", TextEncoding::Utf8, {2, 4}, {3, 7}, false},
        {"\xC3\xA4" "b\xC5\x81" "cd", TextEncoding::Utf8, {2, 2}, {3, 6}, false},
        {"\xC3\xA4" "b\xC5\x81" "cd", TextEncoding::Windows1252, {2, 3}, {2, 5}, false},
        {"abcd", TextEncoding::Windows1252, {0, 4, 0}, {0, 4, 4}, true},
    };
    for (const Line& l : lines) {
        LengthCutter cutter(l.line, l.encoding);
        std::vector<std::size_t> ends;
        for (std::size_t n : l.lengths) ends.push_back(cutter.next(n));
        EXPECT_EQ(ends, l.ends) << l.line;
        EXPECT_EQ(cutter.fits(), l.fits) << l.line;
    }
}

}  // namespace
}  // namespace tabulyst::text
