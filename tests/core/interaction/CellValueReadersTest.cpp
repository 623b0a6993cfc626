#include "core/interaction/CellValueReaders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "core/interaction/SortKeys.h"
#include "core/platform/Locale.h"

namespace tabulyst {
namespace {

// The quick way for short numbers gives exactly the value of the full conversion.
TEST(CellValueReaders, NumbersReadExactlyAsTheFullConversion) {
    std::mt19937 rng(7);
    auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
        return s;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text = rng() % 4 == 0 ? "-" : rng() % 8 == 0 ? "+" : "";
        const int total = 1 + static_cast<int>(rng() % 24);
        const int fraction = static_cast<int>(rng() % static_cast<unsigned>(total + 1));
        text += digits(total - fraction);
        if (fraction > 0 || rng() % 8 == 0) text += "," + digits(fraction);
        if (rng() % 10 == 0) text += "e" + std::to_string(static_cast<int>(rng() % 60) - 30);
        long double value = 0;
        std::string c(text);
        for (char& ch : c)
            if (ch == ',') ch = '.';
        const bool valid = total - fraction > 0 || fraction > 0;
        ASSERT_EQ(convertNumber(text, ',', value), valid) << text;
        if (!valid) continue;
        const long double expected = std::strtold(c.c_str(), nullptr);
        ASSERT_EQ(value, expected) << text;
        ASSERT_EQ(std::signbit(value), std::signbit(expected)) << text;
    }
}

TEST(CellValueReaders, SortNumbersAndDates) {
    long double v = 0;
    EXPECT_TRUE(readSortNumber("  1,5", v));
    EXPECT_EQ(v, 1.5L);
    EXPECT_TRUE(readSortNumber("-2.5e1", v));
    EXPECT_EQ(v, -25.0L);
    for (const char* text : {"", "   ", "1 ", "1,5,3", "1.5,3", ",", "e5", "1e", "0x10", "1.5 m"})
        EXPECT_FALSE(readSortNumber(text, v)) << text;

    const Locale german = Locale::german();
    long long a = 0, b = 0;
    ASSERT_TRUE(readSortDate("15.12.2023", german, a));
    ASSERT_TRUE(readSortDate("02.01.2024", german, b));
    EXPECT_LT(a, b);
    ASSERT_TRUE(readSortDate("02.01.2024,00:00:01", german, a));
    EXPECT_EQ(a, b + 1);
    EXPECT_FALSE(readSortDate("31.02.2024", german, a));
    EXPECT_FALSE(readSortDate("2024", german, a));
}

}  // namespace
}  // namespace tabulyst
