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

// Whether the character at pos is one of the few from 0x80 up whose folded
// form is all ASCII (ß, ẞ, ſ, the Kelvin sign, the Latin ligatures ﬀ to ﬆ):
// only these let a text from 0x80 up match an ASCII search text.
bool foldsToAscii(std::string_view utf8, std::size_t pos);
// Whether any character of the text does.
bool holdsAsciiFoldingChar(std::string_view utf8);

}  // namespace tabulyst::text
