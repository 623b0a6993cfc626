#include "core/platform/Locale.h"

#include <gtest/gtest.h>

#include <clocale>

namespace tabulyst {
namespace {

TEST(Locale, CaseMappingCoversTheLettersOfTheCodePage) {
    Locale l;
    EXPECT_EQ(l.upper("abz\xE4\xF6\xFC\xE0\xFE\x9A\x9C\x9E\xFF"), "ABZ\xC4\xD6\xDC\xC0\xDE\x8A\x8C\x8E\x9F");
    EXPECT_EQ(l.lower("ABZ\xC4\xD6\xDC\xC0\xDE\x8A\x8C\x8E\x9F"), "abz\xE4\xF6\xFC\xE0\xFE\x9A\x9C\x9E\xFF");
    // ß, µ, ×, ÷ and non-letters keep their byte both ways.
    for (int c : {0xDF, 0xB5, 0xD7, 0xF7, 0xAA, 0xBA, 0x80, int('1'), int('@'), int('[')}) {
        EXPECT_EQ(l.toUpper(static_cast<unsigned char>(c)), c) << c;
        EXPECT_EQ(l.toLower(static_cast<unsigned char>(c)), c) << c;
    }
}

TEST(Locale, IndependentOfTheCLibrarysLocale) {
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(Locale().upper("\xE4"), "\xC4");
    Locale c = Locale::fromCLibrary();
    EXPECT_EQ(c.decimalSeparator(), '.');
    EXPECT_EQ(c.shortDateFormat(), Locale().shortDateFormat());
    EXPECT_EQ(c.longTimeFormat(), "%H:%M:%S");
    Locale de = Locale::german();
    EXPECT_EQ(de.decimalSeparator(), ',');
    EXPECT_EQ(de.shortDateFormat(), "%d.%m.%Y");
    EXPECT_EQ(de.longTimeFormat(), "%H:%M:%S");
}

}  // namespace
}  // namespace tabulyst
