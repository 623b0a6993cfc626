#include "core/text/ReplaceAll.h"

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

// Every original occurrence replaced once, and how many there were.
struct OnePass {
    std::string text;
    std::size_t occurrences = 0;
};
OnePass onePass(std::string_view s, std::string_view r, std::string_view t, bool cs) {
    std::string us = cs ? std::string(s) : kLocale.upper(s), ut = cs ? std::string(t) : kLocale.upper(t);
    OnePass out;
    if (s.empty()) return {std::string(t), 0};
    std::size_t start = 0;
    for (std::size_t p; (p = ut.find(us, start)) != std::string::npos; start = p + s.size(), ++out.occurrences)
        out.text.append(t.substr(start, p - start)).append(r);
    out.text.append(t.substr(start));
    return out;
}

// The step-by-step result, or an error when it needs more than the budget.
std::string expectedWithinBudget(unsigned seed, std::string_view s, std::string_view r, std::string_view t, bool cs) {
    const std::size_t budget = replaceAllRescanBudget(t.size(), onePass(s, r, t, cs).occurrences, r.size());
    literal::ReplaceAllReference reference(seed, budget);
    return reference(s, r, t, cs);
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
    int fallbacks = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string s = text(0, 3), r = text(0, 5), t = text(0, 14);
        bool cs = rng() % 2;
        std::string expected;
        try {
            expected = expectedWithinBudget(static_cast<unsigned>(i), s, r, t, cs);
        } catch (const std::runtime_error&) {
            expected = onePass(s, r, t, cs).text;
            ++fallbacks;
        }
        ASSERT_EQ(replaced(s, r, t, cs), expected) << "S=" << s << " R=" << r << " T=" << t << " cs=" << cs;
    }
    EXPECT_GT(fallbacks, 0);  // the endless cases were met
}

// The bytes replacements put back are bounded: a replacement that keeps forming
// new occurrences costs work in proportion to the text, not to its square.
TEST(ReplaceAll, WorkIsBoundedByTheBytesPutBack) {
    // "ab" by "bb" and 2000 "a": every replacement forms a new "ab" without end.
    const std::string s = "ab", r = "bb" + std::string(2000, 'a'), t = std::string(2047, 'a') + "b";
    EXPECT_EQ(replaced(s, r, t, true), onePass(s, r, t, true).text);

    // A cascade that ends after 100 replacements ("aab" gives "ab" + rest, and
    // so on): kept when its bytes stay within the budget, one pass beyond it.
    const std::string cascade = std::string(100, 'a') + "b";
    for (std::size_t len : {20u, 30u}) {
        const std::string rr = "b" + std::string(len - 1, 'c');
        const std::size_t budget = replaceAllRescanBudget(cascade.size(), 1, rr.size());
        const bool within = 100 * rr.size() <= budget;
        EXPECT_EQ(within, len == 20);
        if (within) {
            EXPECT_NE(expectedWithinBudget(1, s, rr, cascade, true), onePass(s, rr, cascade, true).text);
        }
        std::string expected = within ? expectedWithinBudget(1, s, rr, cascade, true) : onePass(s, rr, cascade, true).text;
        EXPECT_EQ(replaced(s, rr, cascade, true), expected) << len;
        EXPECT_EQ(replaced("AB", rr, cascade, false), expected) << len;
    }
    // Long replacements of many original occurrences are all within the budget.
    const std::string many(5000, 'x');
    EXPECT_EQ(replaced("x", std::string(100, 'y'), many, true), std::string(500000, 'y'));
}

}  // namespace
}  // namespace tabulyst
