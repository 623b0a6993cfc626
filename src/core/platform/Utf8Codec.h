#pragma once
// Windows-1252 text to and from UTF-8 for every character the code page has:
// Latin-1 and the 27 characters at 0x80..0x9F (the euro sign, curly quotes,
// dashes, ...). The five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so
// they survive a round trip as well.
#include <string>
#include <string_view>

namespace tabulyst {

// The Unicode code point a Windows-1252 byte stands for.
char32_t windows1252CodePoint(unsigned char byte);

// Writes the UTF-8 form of Windows-1252 text to out, which has room for three
// bytes per byte of text, and returns the end of what it wrote.
char* encodeUtf8FromWindows1252(std::string_view text, char* out);
// Appends the UTF-8 form of Windows-1252 text to out.
void appendUtf8FromWindows1252(std::string& out, std::string_view text);
std::string utf8FromWindows1252(std::string_view text);

enum class Utf8Decoding {
    Ascii,            // no byte from 0x80 up: the text reads the same either way
    Decoded,          // valid UTF-8 with a multi-byte sequence, every character in the code page
    Unrepresentable,  // valid UTF-8, but a character the code page lacks
    Invalid,          // not UTF-8 (a stray byte, a cut or overlong sequence, a surrogate)
};

// Decodes UTF-8 text into Windows-1252 at out, which has room for as many
// bytes as text has; length is the decoded length. Only a Decoded result
// leaves the whole decoded text there (for Ascii nothing is written).
Utf8Decoding decodeUtf8ToWindows1252(std::string_view text, char* out, std::size_t& length);
// The same into a string, which holds the decoded text for a Decoded result.
Utf8Decoding decodeUtf8ToWindows1252(std::string_view text, std::string& out);

}  // namespace tabulyst
