#pragma once
// UTF-8 cell text and the Windows-1252 code page: which characters it has,
// the conversion to it with what it lacks counted, and the OEM commands on a
// UTF-8 table. (Windows-1252 to UTF-8 is utf8FromWindows1252 of Utf8Codec.)
#include <cstddef>
#include <string>
#include <string_view>

namespace tabulyst::text {

// The Windows-1252 byte of code point c, or -1 when the code page lacks it.
// The five unassigned bytes stand for the controls of their number, as in
// Utf8Codec, so every byte comes back from its code point.
int windows1252ByteOf(char32_t c);

struct LackingCharacters {
    std::size_t count = 0;        // characters the code page lacks
    char32_t first = 0;           // the first of them
    std::size_t firstOffset = 0;  // and the byte where it starts
};

// What converting would lose, without converting.
LackingCharacters lackingInWindows1252(std::string_view utf8);

// The text in Windows-1252: each character the code page lacks becomes "?",
// a byte that is no valid UTF-8 stays as it is (it already reads as a
// Windows-1252 character); what was lacking is added to lacking.
void windows1252FromUtf8(std::string_view utf8, std::string& out, LackingCharacters& lacking);

// A byte table over the characters of a UTF-8 text that Windows-1252 has
// (CharToOem or OemToChar: each such character as its byte, mapped, read back
// as a Windows-1252 character); every other character and invalid byte stays.
// For text Windows-1252 holds this is the table applied to that text.
void mapWindows1252Characters(std::string_view utf8, const unsigned char* table, std::string& out);

}  // namespace tabulyst::text
