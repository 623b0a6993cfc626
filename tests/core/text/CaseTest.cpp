#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <string>

#include "core/platform/Locale.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/CaseFolding.h"
#include "core/text/CaseMapping.h"
#include "core/textops/CellTransforms.h"

namespace tabulyst::text {
namespace {

const Locale kLocale = Locale::german();

std::string mapped(void (*map)(std::string_view, TextEncoding, const Locale&, std::string&), std::string_view text,
                   TextEncoding encoding = TextEncoding::Utf8) {
    std::string out;
    map(text, encoding, kLocale, out);
    return out;
}

TEST(CaseMapping, Utf8TextTakesUnicodeCaseMapping) {
    struct Case {
        const char* text;
        const char* upper;
        const char* lower;
        const char* capitalized;
    } cases[] = {
        {"\xC5\x82\xC3\xB3" "d\xC5\xBA", "\xC5\x81\xC3\x93" "D\xC5\xB9", "\xC5\x82\xC3\xB3" "d\xC5\xBA",
         "\xC5\x81\xC3\xB3" "d\xC5\xBA"},                                        // łódź
        {"stra\xC3\x9F" "e", "STRASSE", "stra\xC3\x9F" "e", "Stra\xC3\x9F" "e"},  // straße
        {"\xC3\x9F" "a", "SSA", "\xC3\x9F" "a", "\xC3\x9F" "a"},                  // ß starting a word stays, as in Windows-1252
        {"\xCE\xA3\xCE\x91\xCE\xA3", "\xCE\xA3\xCE\x91\xCE\xA3", "\xCF\x83\xCE\xB1\xCF\x82",
         "\xCE\xA3\xCE\xB1\xCF\x82"},                                              // ΣΑΣ: final sigma
        {"5 \xC2\xB5m \xC6\x92", "5 \xC2\xB5M \xC6\x92", "5 \xC2\xB5m \xC6\x92", "5 \xC2\xB5m \xC6\x92"},  // µ ƒ stay
        {"\xC7\x86" "EMAL", "\xC7\x84" "EMAL", "\xC7\x86" "emal", "\xC7\x85" "emal"},  // ǆ: title case ǅ
        {"\xC3\xBF" "es-\xC3\xA4rger (ok)", "\xC5\xB8" "ES-\xC3\x84RGER (OK)", "\xC3\xBF" "es-\xC3\xA4rger (ok)",
         "\xC5\xB8" "es-\xC3\x84rger (Ok)"},                                      // ÿes-ärger
        {"a\xFF" "b\xC3", "A\xFF" "B\xC3", "a\xFF" "b\xC3", "A\xFF" "b\xC3"},    // invalid bytes stay
        {"mIxEd wOrds", "MIXED WORDS", "mixed words", "Mixed Words"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mapped(upperCase, c.text), c.upper) << c.text;
        EXPECT_EQ(mapped(lowerCase, c.text), c.lower) << c.text;
        EXPECT_EQ(mapped(capitalizedWords, c.text), c.capitalized) << c.text;
    }
}

TEST(CaseMapping, Windows1252TextAndItsUtf8FormComeOutAsToday) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
        all += static_cast<char>(b);
        all += ' ';
    }
    EXPECT_EQ(mapped(upperCase, all, TextEncoding::Windows1252), kLocale.upper(all));
    EXPECT_EQ(mapped(lowerCase, all, TextEncoding::Windows1252), kLocale.lower(all));
    EXPECT_EQ(mapped(capitalizedWords, all, TextEncoding::Windows1252), CapitalizeWords(all, kLocale));
    // The same characters in UTF-8: only ß takes Unicode's upper case, SS.
    const std::string utf8 = utf8FromWindows1252(all);
    EXPECT_EQ(mapped(lowerCase, utf8), utf8FromWindows1252(kLocale.lower(all)));
    EXPECT_EQ(mapped(capitalizedWords, utf8), utf8FromWindows1252(CapitalizeWords(all, kLocale)));
    std::string upper = kLocale.upper(all);
    upper.replace(upper.find("\xDF\xDF"), 2, "SSSS");
    EXPECT_EQ(mapped(upperCase, utf8), utf8FromWindows1252(upper));
}

TEST(CaseFolding, FoldsCaseFullyAndOnlyFewCharactersFoldToAscii) {
    const char* const alike[][2] = {
        {"\xC5\x81\xC3\x93" "D\xC5\xB9", "\xC5\x82\xC3\xB3" "d\xC5\xBA"},        // ŁÓDŹ łódź
        {"\xC5\x9E", "\xC5\x9F"},                                                // Ş ş
        {"\xCE\xA3", "\xCF\x82"},                                                // Σ ς
        {"\xCF\x83", "\xCF\x82"},                                                // σ ς
        {"Stra\xC3\x9F" "e", "STRASSE"},                                         // Straße
        {"\xE1\xBA\x9E", "ss"},                                                  // ẞ
        {"\xEF\xAC\x81", "FI"},                                                  // ﬁ
    };
    for (const auto& pair : alike) EXPECT_EQ(folded(pair[0]), folded(pair[1])) << pair[0];
    EXPECT_EQ(folded("A\xFF\xC3" "B"), "a\xFF\xC3" "b");  // invalid bytes as they are

    // Against ICU, character by character; and the list of those that fold to ASCII is complete.
    for (UChar32 c = 0x80; c < 0x20000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        UChar in[2], out[8];
        int32_t inLength = 0, outLength = 0;
        U16_APPEND_UNSAFE(in, inLength, c);
        UErrorCode status = U_ZERO_ERROR;
        outLength = u_strFoldCase(out, 8, in, inLength, U_FOLD_CASE_DEFAULT, &status);
        char bytes[32];
        int32_t size = 0;
        u_strToUTF8(bytes, sizeof bytes, &size, out, outLength, &status);
        ASSERT_TRUE(U_SUCCESS(status));
        const std::string_view expected(bytes, static_cast<std::size_t>(size));
        ASSERT_EQ(foldedChar(static_cast<char32_t>(c)).view(), expected) << std::hex << c;
        bool ascii = true;
        for (char b : expected) ascii = ascii && static_cast<unsigned char>(b) < 0x80;
        std::string_view listed;
        for (const AsciiFoldingChar& f : kAsciiFoldingChars)
            if (f.code == static_cast<char32_t>(c)) listed = f.folded;
        ASSERT_EQ(listed, ascii ? expected : std::string_view()) << std::hex << c;
    }
}

}  // namespace
}  // namespace tabulyst::text
