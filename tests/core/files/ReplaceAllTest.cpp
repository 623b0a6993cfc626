#include "core/files/ReplaceAll.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "support/LiteralTextOps.h"

namespace tabulyst {
namespace {

const Locale kLocale = Locale::german();

std::string replaced(std::string_view s, std::string_view r, std::string_view t, bool caseSensitive) {
    return ReplaceAll(s, r, t, caseSensitive, kLocale);
}

TEST(ReplaceAll, DirectRoute) {
    EXPECT_EQ(replaced(".", "_", "a.b.c", true), "a_b_c");
    EXPECT_EQ(replaced("x", "_", "a.b.c", true), "a.b.c");
    EXPECT_EQ(replaced("b.", "", "a.b.c", true), "a.c");
    EXPECT_EQ(replaced("", "x", "abc", true), "abc");
    EXPECT_EQ(replaced("", "x", "abc", false), "abc");
    EXPECT_EQ(replaced("abc", "x", "ab", true), "ab");
    // Searching again from the start catches occurrences a replacement forms.
    EXPECT_EQ(replaced("ab", "a", "abb", true), "a");
    EXPECT_EQ(replaced("ab", "a", "abbbbbbbbb", true), "a");
    EXPECT_EQ(replaced("ab", "b", "aaab", true), "b");
    // The occurrence found is the one replaced, not one overlapping the inserted text.
    EXPECT_EQ(replaced("aba", "ab", "aba", true), "ab");
    EXPECT_EQ(replaced("aba", "ab", "xABAy", false), "xaby");
}

TEST(ReplaceAll, CaseInsensitiveUsesTheLocalesUpperCase) {
    EXPECT_EQ(replaced("A", "x", "aAa", false), "xxx");
    EXPECT_EQ(replaced("A", "x", "aAa", true), "axa");
    EXPECT_EQ(replaced("\xE4", "ae", "\xC4" "rger \xE4rgerlich", false), "aerger aergerlich");  // ä, Ä
    EXPECT_EQ(replaced("\xDF", "ss", "Stra\xDF" "e", false), "Strasse");                      // ß has no upper case
    EXPECT_EQ(replaced("\xFF", "y", "\x9F\xFF", false), "yy");                                 // Ÿ ÿ
}

TEST(ReplaceAll, MarkerRouteReplacesEveryOccurrenceOnce) {
    EXPECT_EQ(replaced("a", "aa", "banana", true), "baanaanaa");
    EXPECT_EQ(replaced("a", "A", "aaa", false), "AAA");  // equal apart from case
    EXPECT_EQ(replaced("a", "a", "aaa", true), "aaa");
    EXPECT_EQ(replaced("ab", "xaby", "abab", true), "xabyxaby");
    EXPECT_EQ(replaced("aa", "aaa", "aaaaa", true), "aaaaaaa");  // leftmost, no overlaps
}

TEST(ReplaceAll, ReplacementsThatNeverEndFallBackToOnePass) {
    // Searching again would grow this text forever.
    EXPECT_EQ(replaced("ab", "bbaaa", "aaabbaa", true), "aabbaaabaa");
    // Each "a" doubles the "b"s after it: 2^40 of them if followed to the end.
    std::string t(40, 'a');
    t += 'b';
    std::string once = std::string(39, 'a') + "bba";
    EXPECT_EQ(replaced("ab", "bba", t, true), once);
}

// A direct route within the limit gives what searching again from the start
// gives; past it, and on the marker route, every occurrence is replaced once.
TEST(ReplaceAll, MatchesTheStepByStepDefinitionOnRandomTexts) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "aAb\xE4\xC4";
    auto text = [&](int minLen, int maxLen) {
        int n = std::uniform_int_distribution<int>(minLen, maxLen)(rng);
        std::string s;
        for (int i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    auto onePass = [](std::string_view s, std::string_view r, std::string_view t, bool cs) {
        std::string us = cs ? std::string(s) : kLocale.upper(s), ut = cs ? std::string(t) : kLocale.upper(t);
        std::string out;
        std::size_t start = 0;
        for (std::size_t p; (p = ut.find(us, start)) != std::string::npos; start = p + s.size())
            out.append(t.substr(start, p - start)).append(r);
        return out.append(t.substr(start));
    };
    int fallbacks = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string s = text(0, 3), r = text(0, 5), t = text(0, 14);
        bool cs = rng() % 2;
        literal::ReplaceAllReference reference(static_cast<unsigned>(i), replaceAllRescanLimit(t.size()));
        std::string expected;
        try {
            expected = reference(s, r, t, cs);
        } catch (const std::runtime_error&) {
            expected = onePass(s, r, t, cs);
            ++fallbacks;
        }
        ASSERT_EQ(replaced(s, r, t, cs), expected) << "S=" << s << " R=" << r << " T=" << t << " cs=" << cs;
    }
    EXPECT_GT(fallbacks, 0);  // the endless cases were met
}

}  // namespace
}  // namespace tabulyst
