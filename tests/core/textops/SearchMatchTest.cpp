#include "core/textops/SearchMatch.h"

#include <gtest/gtest.h>

#include "core/platform/Locale.h"

namespace tabulyst {
namespace {

const Locale kLocale = Locale::german();

bool matches(std::string_view search, std::string_view cell, bool matchCase, bool wholeWord, bool firstPlace = false) {
    return MatchesSearch(search, cell, SearchOptions{matchCase, wholeWord}, firstPlace, kLocale);
}

TEST(MatchesSearch, WholeWordsAreSeparatedByBlanksOnly) {
    for (const char* cell : {"x", "x y", "y x", "y x z", "a xb x", "x x", "  x  "})
        EXPECT_TRUE(matches("x", cell, true, true)) << cell;
    for (const char* cell : {"xy", "y,x", "y-x", "x\ty", "(x)", "xx yx", "ax xb"})
        EXPECT_FALSE(matches("x", cell, true, true)) << cell;
    // The search text may hold blanks itself.
    EXPECT_TRUE(matches("a b", "x a b y", true, true));
    EXPECT_FALSE(matches("a b", "xa b", true, true));
    // Whole word wins over the first place.
    EXPECT_TRUE(matches("x", "y x", true, true, true));
}

TEST(MatchesSearch, FirstPlaceMeansAtTheStartOfTheCell) {
    EXPECT_TRUE(matches("ab", "abc", true, false, true));
    EXPECT_FALSE(matches("ab", "xab", true, false, true));
    EXPECT_TRUE(matches("ab", "xab", true, false, false));
    EXPECT_TRUE(matches("ab", "ab cd", true, true, true));
    EXPECT_FALSE(matches("ab", "abc", true, true, true));
    EXPECT_TRUE(matches("AB", "abc", false, false, true));
}

// The search text as typed (UTF-8), the cells Windows-1252.
TEST(MatchesSearch, WithoutMatchCaseTheLocalesUpperCaseCounts) {
    EXPECT_TRUE(matches("müller", "HERR M\xDCLLER", false, false));
    EXPECT_FALSE(matches("müller", "HERR M\xDCLLER", true, false));
    EXPECT_TRUE(matches("müller", "M\xDCLLER", false, true));
    EXPECT_TRUE(matches("š", "\x8A", false, false));   // Š
    EXPECT_FALSE(matches("ss", "\xDF", false, false));  // ß has no upper case of its own
    // A character the code page lacks occurs in no cell of it, not even as "?".
    EXPECT_FALSE(matches("Łódź", "?\xF3" "d?", false, false));
}

TEST(MatchesSearch, EmptyTextsNeverMatch) {
    for (bool wholeWord : {false, true})
        for (bool firstPlace : {false, true}) {
            EXPECT_FALSE(matches("", "abc", true, wholeWord, firstPlace));
            EXPECT_FALSE(matches("", "", false, wholeWord, firstPlace));
            EXPECT_FALSE(matches("a", "", false, wholeWord, firstPlace));
        }
    EXPECT_FALSE(matches("abcd", "abc", false, false));
}

}  // namespace
}  // namespace tabulyst
