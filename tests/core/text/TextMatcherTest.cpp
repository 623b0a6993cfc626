#include "core/text/TextMatcher.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/text/ReplaceAll.h"
#include "core/platform/Locale.h"
#include "core/text/CellReplacer.h"

namespace tabulyst::text {
namespace {

const Locale kLocale = Locale::german();
constexpr auto kUtf8 = TextEncoding::Utf8;

std::optional<TextRange> found(std::string_view search, std::string_view cell, bool matchCase, bool wholeWord = false,
                               std::size_t from = 0) {
    return TextMatcher(search, MatchOptions{matchCase, wholeWord}, kUtf8, kLocale).find(cell, from);
}

TEST(TextMatcher, Utf8MatchesAreRangesOfWholeCharactersOfTheCell) {
    struct Case {
        const char* search;
        const char* cell;
        bool matchCase, wholeWord;
        std::optional<TextRange> range;
    } cases[] = {
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "in \xC5\x81\xC3\x93" "D\xC5\xB9!", false, false, TextRange{3, 10}},  // łódź, ŁÓDŹ
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "in \xC5\x81\xC3\x93" "D\xC5\xB9!", true, false, std::nullopt},
        {"\xC5\x9F", "A\xC5\x9E", false, false, TextRange{1, 3}},                                            // ş, Ş
        {"\xCF\x83", "\xCE\xA3\xCF\x82", false, false, TextRange{0, 2}},                                     // σ, Σς
        {"STRASSE", "die Stra\xC3\x9F" "e", false, false, TextRange{4, 11}},                                 // ß as SS
        {"stra\xC3\x9F" "e", "STRASSE", false, false, TextRange{0, 7}},
        {"ss", "Stra\xC3\x9F" "e", false, false, TextRange{4, 6}},
        {"s", "Stra\xC3\x9F" "e", false, false, TextRange{0, 1}},
        {"as", "Stra\xC3\x9F" "e", false, false, std::nullopt},     // never half of ß
        {"FIX", "a \xEF\xAC\x81x", false, false, TextRange{2, 6}},   // the ligature ﬁ
        {"2 k", "2 \xE2\x84\xAA", false, false, TextRange{0, 5}},     // the Kelvin sign
        {"\xC3\xA4", "\xC3\xA4", false, false, TextRange{0, 2}},
        {"\xC3\xA4", "a\xCC\x88", false, false, std::nullopt},      // no normalisation: ä and a + ¨ differ
        {"tisch", "TISCH", false, false, TextRange{0, 5}},
        {"tisch", "TISCH", true, false, std::nullopt},
        {"\xC3\xA4", "\xC3\x84rger \xC3\xA4", false, true, TextRange{7, 9}},  // whole word: ä alone
        {"x", "y,x x", false, true, TextRange{2, 3}},                        // what is no letter or digit separates
        {"x", "1x x\xCC\x88 (x)", false, true, TextRange{8, 9}},             // digits and marks do not
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "\xD0\x96\xC5\x81\xC3\x93" "D\xC5\xB9 \xE2\x80\x9E\xC5\x81\xC3\xB3" "d\xC5\xBA\xE2\x80\x9C",
         false, true, TextRange{13, 20}},  // not after Ж, but inside „…"
        {"x", "\xC3\xA4x x\xC3\xA4", false, true, std::nullopt},
        {"ab", "aab ab", true, true, TextRange{4, 6}},
        {"\x81", "\xC3\xA4\x81", true, false, TextRange{2, 3}},  // an invalid search text meets invalid bytes only
        {"\x81", "\xE2\x82\x81", true, false, std::nullopt},       // never inside a valid character (U+2081)
        {"", "abc", false, false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(found(c.search, c.cell, c.matchCase, c.wholeWord), c.range) << c.search << " in " << c.cell;
    // A later start finds the next one.
    EXPECT_EQ(found("\xC3\xA4", "\xC3\x84 \xC3\xA4", false, false, 1), (TextRange{3, 5}));
}

TEST(CellReplacer, ReplacesEveryOccurrenceAsReplaceAllDoes) {
    struct Case {
        const char* search;
        const char* replacement;
        const char* text;
        bool matchCase;
        const char* result;
    } cases[] = {
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "Lodz", "\xC5\x81\xC3\x93" "D\xC5\xB9 & \xC5\x82\xC3\xB3" "d\xC5\xBA", false,
         "Lodz & Lodz"},
        {"STRASSE", "Weg", "Stra\xC3\x9F" "e, STRASSE", false, "Weg, Weg"},
        {"\xC3\x9F", "ss", "Gr\xC3\xBC\xC3\x9F" "e \xE1\xBA\x9E", false, "Gr\xC3\xBCsse ss"},  // ß and ẞ
        {"\xC3\xA4" "b", "\xC3\xA4", "\xC3\x84" "bB", false, "\xC3\xA4"},    // searched again: äb in äB
        {"\xC3\xA4", "\xC3\x84\xC3\xA4", "\xC3\xA4\xC3\xA4", false, "\xC3\x84\xC3\xA4\xC3\x84\xC3\xA4"},  // held: once each
        {"\xC3\xA4", "x", "\xC3\xA4\xC3\x84", true, "x\xC3\x84"},
        {"ab", "a", "abb\xC5\x81", true, "a\xC5\x81"},
        {"\x81", "?", "\xE2\x82\x81\xC3\xA4\x81", true, "\xE2\x82\x81\xC3\xA4?"},  // invalid bytes only where they are
        {"\xC3\xA4", "x", "\xC3\xA4\xFF\xC3", false, "x\xFF\xC3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellReplacer(c.search, c.replacement, c.matchCase, kUtf8, kLocale)(c.text), c.result) << c.text;

    // A cascade that never ends falls back to one pass, as ReplaceAll's does.
    EXPECT_EQ(CellReplacer("\xC3\xA4" "b", "bb\xC3\xA4\xC3\xA4\xC3\xA4", false, kUtf8, kLocale)("\xC3\xA4\xC3\xA4\xC3\xA4" "bb\xC3\xA4\xC3\xA4"),
              "\xC3\xA4\xC3\xA4" "bb\xC3\xA4\xC3\xA4\xC3\xA4" "b\xC3\xA4\xC3\xA4");
    // Windows-1252 cells, and ASCII ones in UTF-8, go through ReplaceAll itself.
    for (auto encoding : {TextEncoding::Windows1252, kUtf8})
        for (bool matchCase : {false, true})
            EXPECT_EQ(CellReplacer("ab", "a", matchCase, encoding, kLocale)("xABbb ab"),
                      ReplaceAll("ab", "a", "xABbb ab", matchCase, kLocale));
    EXPECT_EQ(CellReplacer("\xE4", "ae", false, TextEncoding::Windows1252, kLocale)("\xC4rger"), "aerger");
}

}  // namespace
}  // namespace tabulyst::text
