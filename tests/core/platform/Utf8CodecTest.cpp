#include <gtest/gtest.h>

#include <string>

#include "core/platform/Utf8Codec.h"

namespace tabulyst {
namespace {

Utf8Decoding decode(const std::string& text, std::string& out) {
    out.clear();
    return decodeUtf8ToWindows1252(text, out);
}

TEST(Utf8CodecTest, EveryByteOfTheCodePageGoesToUtf8AndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = utf8FromWindows1252(all);
    std::string back;
    ASSERT_EQ(decode(utf8, back), Utf8Decoding::Decoded);
    EXPECT_EQ(back, all);
    // The characters between 0x80 and 0x9F are the code page's own, not Latin-1's controls.
    EXPECT_EQ(utf8FromWindows1252("5 \x80"), "5 \xE2\x82\xAC");
    EXPECT_EQ(utf8FromWindows1252("\x84Tee\x93"), "\xE2\x80\x9ETee\xE2\x80\x9C");
    EXPECT_EQ(utf8FromWindows1252("\x96\x85\x9F"), "\xE2\x80\x93\xE2\x80\xA6\xC5\xB8");
    EXPECT_EQ(utf8FromWindows1252("Z\xFCrich"), "Z\xC3\xBCrich");
    EXPECT_EQ(windows1252CodePoint(0x80), U'\u20AC');
    EXPECT_EQ(windows1252CodePoint(0x8D), U'\u008D');  // unassigned: the control of that number
    EXPECT_EQ(windows1252CodePoint(0xE4), U'\u00E4');
}

TEST(Utf8CodecTest, DecodingTellsAsciiFromUtf8FromOtherText) {
    std::string out;
    EXPECT_EQ(decode("plain;text", out), Utf8Decoding::Ascii);
    EXPECT_EQ(decode("", out), Utf8Decoding::Ascii);
    EXPECT_EQ(decode("M\xC3\xBCller;\xE2\x82\xAC", out), Utf8Decoding::Decoded);
    EXPECT_EQ(out, "M\xFCller;\x80");
    EXPECT_EQ(decode("\xC2\x81", out), Utf8Decoding::Decoded);  // the unassigned 0x81 comes back
    EXPECT_EQ(out, "\x81");

    const char* const lacking[] = {
        "\xC5\x81\xC3\xB3" "d\xC5\xBA",  // Łódź
        "\xD0\x9C\xD0\xBE\xD1\x81",      // Cyrillic
        "\xE6\x9D\xB1\xE4\xBA\xAC",      // CJK
        "\xF0\x9F\x98\x80",              // an emoji (four bytes)
        "\xC2\x80",                      // U+0080: 0x80 is the euro sign
    };
    for (const char* text : lacking) EXPECT_EQ(decode(text, out), Utf8Decoding::Unrepresentable) << text;

    const char* const invalid[] = {
        "x\xC3",              // cut at the end
        "\xE4rger",           // a Windows-1252 umlaut
        "\xBC",               // a lone continuation byte
        "\xC0\xAF",           // overlong
        "\xE0\x80\xAF",       // overlong, three bytes
        "\xED\xA0\x80",       // a surrogate
        "\xF4\x90\x80\x80",   // above U+10FFFF
        "\xF5\x80\x80\x80",
        "\xE2\x82",           // a cut euro sign
        "\xE2\x82x",
    };
    for (const char* text : invalid) EXPECT_EQ(decode(text, out), Utf8Decoding::Invalid) << text;
    // A lacking character does not hide broken bytes after it.
    EXPECT_EQ(decode("\xC5\x81 then \xC3", out), Utf8Decoding::Invalid);
}

}  // namespace
}  // namespace tabulyst
