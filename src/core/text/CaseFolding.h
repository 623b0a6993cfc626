#pragma once
// Unicode's full case folding, the form in which texts are compared without
// case: Ł and ł, Σ, σ and ς fold alike, ß and ẞ fold to "ss". Folded
// characters are kept per block of 256 code points, so a text folds at the
// cost of a table lookup per character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulyst::text {

// The UTF-8 bytes of a character's folded form (at most three code points).
struct FoldedChar {
    std::uint8_t size;
    char bytes[11];
    std::string_view view() const { return {bytes, size}; }
};

inline char asciiFolded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// The folded form of a code point from 0x80 up.
FoldedChar foldedChar(char32_t c);

// Appends the folded form of the character at pos, an invalid byte as it
// stands, and returns the character's size in the text.
std::size_t appendFoldedChar(std::string_view utf8, std::size_t pos, std::string& out);

// The folded form of a whole text.
std::string folded(std::string_view utf8);

// The few characters from 0x80 up whose folded form is all ASCII: only these
// let text from 0x80 up match an ASCII search text.
struct AsciiFoldingChar {
    char32_t code;
    std::string_view folded;
};
inline constexpr AsciiFoldingChar kAsciiFoldingChars[] = {
    {0xDF, "ss"},   {0x17F, "s"},   {0x1E9E, "ss"}, {0x212A, "k"},  {0xFB00, "ff"}, {0xFB01, "fi"},
    {0xFB02, "fl"}, {0xFB03, "ffi"}, {0xFB04, "ffl"}, {0xFB05, "st"}, {0xFB06, "st"},
};
// A set of them, bit i for kAsciiFoldingChars[i].
using AsciiFoldingSet = std::uint16_t;

// Those whose folded form occurs in a folded ASCII text: the ones that can be
// part of an occurrence of it.
AsciiFoldingSet asciiFoldingCharsOf(std::string_view foldedAscii);
// Whether the text holds a character of the set.
bool holdsAsciiFoldingChar(std::string_view utf8, AsciiFoldingSet set);

}  // namespace tabulyst::text
