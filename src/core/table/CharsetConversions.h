#pragma once
// Character set conversions of cell text: Windows-1252 to and from UTF-8 for
// the Latin-1 range U+00A1..U+00FF, and to and from the DOS code page 850.
#include <string>
#include <string_view>

namespace tabulyst {

// Every byte 0xA1..0xFF becomes its two-byte UTF-8 form; other bytes stay. A
// text that already holds a marker string of the form "@#$c3#$a4@" has it turned
// into the two bytes it names as well (the conversion substitutes such markers
// internally, lowest byte value first).
std::string AnsiToUtf8Text(std::string_view text);

// Every two-byte UTF-8 sequence of U+00A1..U+00FF becomes its single byte,
// taking the sequences in ascending order of the byte they stand for, each over
// the text the previous one left: a byte produced by one can pair with its
// neighbour for a later one (0xC3 0x83 0xC2 0xA4 ends as 0xE4). Longer sequences
// and U+00A0 stay as they are.
std::string Utf8ToAnsiText(std::string_view text);

// Byte for byte between Windows-1252 and code page 850; a byte without a
// counterpart becomes "?", so the length never changes.
std::string CharToOem(std::string_view text);
std::string OemToChar(std::string_view text);

// The 256-entry tables behind CharToOem and OemToChar.
const unsigned char* charToOemTable();
const unsigned char* oemToCharTable();

// True when Utf8ToAnsiText can change the text (it holds 0xC2 or 0xC3).
bool mayHoldUtf8(std::string_view text);

}  // namespace tabulyst
