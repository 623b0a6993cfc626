#include "core/table/CharsetConversions.h"

#include <gtest/gtest.h>

#include <random>

#include "support/LiteralTextOps.h"

namespace tabulyst {
namespace {

const std::string kGruesse = "Gr\xFC\xDF" "e";                    // Windows-1252
const std::string kGruesseUtf8 = "Gr\xC3\xBC\xC3\x9F" "e";         // UTF-8

TEST(AnsiToUtf8Text, ConvertsTheLatin1RangeOnly) {
    EXPECT_EQ(AnsiToUtf8Text(kGruesse), kGruesseUtf8);
    EXPECT_EQ(AnsiToUtf8Text("\xA1\xBF\xC0\xFF"), "\xC2\xA1\xC2\xBF\xC3\x80\xC3\xBF");
    EXPECT_EQ(AnsiToUtf8Text("\x80 \xA0 \x9F"), "\x80 \xA0 \x9F");  // euro sign, no-break space
    EXPECT_EQ(AnsiToUtf8Text(""), "");
}

TEST(AnsiToUtf8Text, TurnsMarkerTextIntoItsBytes) {
    EXPECT_EQ(AnsiToUtf8Text("@#$c3#$a4@"), "\xC3\xA4");
    EXPECT_EQ(AnsiToUtf8Text("x@#$C3#$A4@"), "x@#$C3#$A4@");  // upper-case hex is no marker
    EXPECT_EQ(AnsiToUtf8Text("@#$c2#$a0@"), "@#$c2#$a0@");    // U+00A0 is outside the range
    // Markers sharing their "@": the lower byte value wins, breaking its neighbours.
    EXPECT_EQ(AnsiToUtf8Text("@#$c2#$a2@#$c2#$a1@"), "@#$c2#$a2\xC2\xA1");
    // Without any "@" in the text a substituted marker can still pair with text.
    EXPECT_EQ(AnsiToUtf8Text("\xE4#$c2#$a1\xFC"), "@#$c3#$a4\xC2\xA1#$c3#$bc@");
}

TEST(Utf8ToAnsiText, ConvertsBackAndCascades) {
    EXPECT_EQ(Utf8ToAnsiText(kGruesseUtf8), kGruesse);
    EXPECT_EQ(Utf8ToAnsiText("abc"), "abc");
    EXPECT_EQ(Utf8ToAnsiText("\xE2\x82\xAC \xC2\xA0"), "\xE2\x82\xAC \xC2\xA0");  // euro sign, U+00A0
    // Ansi 0xC3 0xA4 in UTF-8 comes back as the single byte 0xE4.
    EXPECT_EQ(AnsiToUtf8Text("\xC3\xA4"), "\xC3\x83\xC2\xA4");
    EXPECT_EQ(Utf8ToAnsiText("\xC3\x83\xC2\xA4"), "\xE4");
    EXPECT_EQ(Utf8ToAnsiText("\xC2\xC2\xA4"), "\xA4");
    EXPECT_EQ(Utf8ToAnsiText("\xC3\x83\x83\xBC"), "\xFC");
    EXPECT_EQ(Utf8ToAnsiText("\xC3\x83\x81"), "\xC3\x81");  // 0x81 had its turn already
}

// Random texts over bytes that take part in markers and sequences, against
// the conversions done pass by pass.
TEST(CharsetConversions, MatchTheStepByStepDefinitionOnRandomTexts) {
    std::mt19937 rng(7);
    const std::string ansiBytes = "@#$c23ab1f80x\xE4\xA1\xC3\xC2\xFF\xBF\xA2";
    const std::string utf8Bytes = "\xC2\xC3\x83\x82\x80\x81\xA4\xA1\xBF\xBC\xE4x";
    auto randomText = [&](const std::string& alphabet, bool withMarkers) {
        std::string s;
        int n = std::uniform_int_distribution<int>(0, 24)(rng);
        for (int i = 0; i < n; ++i) {
            // Whole markers, and their middle or ends that a neighbouring one can complete.
            std::string m = literal::marker(static_cast<unsigned char>(0xA1 + rng() % 95));
            switch (withMarkers ? rng() % 12 : 11) {
            case 0: s += m; break;
            case 1: s += m.substr(0, 9); break;
            case 2: s += m.substr(1, 8); break;
            case 3: s += m.substr(1); break;
            default: s += alphabet[rng() % alphabet.size()];
            }
        }
        return s;
    };
    for (int i = 0; i < 1500; ++i) {
        std::string a = randomText(ansiBytes, true);
        ASSERT_EQ(AnsiToUtf8Text(a), literal::ansiToUtf8(a)) << ::testing::PrintToString(a);
        std::erase(a, '@');  // substituted markers alone can still meet text between them
        ASSERT_EQ(AnsiToUtf8Text(a), literal::ansiToUtf8(a)) << ::testing::PrintToString(a);
        std::string u = randomText(utf8Bytes, false);
        ASSERT_EQ(Utf8ToAnsiText(u), literal::utf8ToAnsi(u)) << ::testing::PrintToString(u);
        ASSERT_EQ(Utf8ToAnsiText(a), literal::utf8ToAnsi(a)) << ::testing::PrintToString(a);
    }
    for (int b = 0; b < 256; ++b) {  // every single byte, and every pair after a lead byte
        std::string one(1, static_cast<char>(b));
        ASSERT_EQ(AnsiToUtf8Text(one), literal::ansiToUtf8(one));
        for (char lead : {'\xC2', '\xC3'}) {
            std::string two = std::string(1, lead) + one + "\xBC";
            ASSERT_EQ(Utf8ToAnsiText(two), literal::utf8ToAnsi(two)) << b;
        }
    }
}

TEST(OemConversion, ByteForByteThroughCodePage850) {
    EXPECT_EQ(CharToOem("Gr\xFC\xDF" "e \xE4\xC4"), "Gr\x81\xE1" "e \x84\x8E");
    EXPECT_EQ(OemToChar("Gr\x81\xE1" "e \x84\x8E"), "Gr\xFC\xDF" "e \xE4\xC4");
    EXPECT_EQ(CharToOem("\x80"), "?");  // the euro sign has no place in 850
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        ASSERT_EQ(CharToOem(one).size(), 1u);
        if (b < 0x80) {
            ASSERT_EQ(CharToOem(one), one);
        }
        // What has a counterpart comes back unchanged.
        std::string oem = CharToOem(one);
        if (oem != "?") {
            ASSERT_EQ(OemToChar(oem), one) << b;
        }
    }
}

}  // namespace
}  // namespace tabulyst
