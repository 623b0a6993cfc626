#pragma once
// Lengths counted in characters, in either encoding: a Windows-1252 character
// is a byte, a UTF-8 one a whole sequence (see Utf8Text), never cut in half.
// Trimming needs nothing of this: the blanks and control bytes it takes off
// are never part of a UTF-8 sequence.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

namespace tabulyst::text {

std::size_t characterCount(std::string_view text, TextEncoding encoding);

// Where the n characters from byte pos (a character start) end; the end of
// the text when it has fewer.
std::size_t charactersEnd(std::string_view text, std::size_t pos, std::size_t n, TextEncoding encoding);

// The first n characters: the maximum length.
std::string_view firstCharacters(std::string_view text, std::size_t n, TextEncoding encoding);

// Exactly n characters: cut after n or filled with blanks (the fixed length).
void fixedLength(std::string_view text, std::size_t n, TextEncoding encoding, std::string& out);

// Cuts a line of a fixed-length file into fields of so many characters, one
// after the other.
class LengthCutter {
public:
    LengthCutter(std::string_view line, TextEncoding encoding) : line_(line), encoding_(encoding) {}
    // Where the next field of length characters ends (the line's end at most).
    std::size_t next(std::size_t length);
    // Whether the fields so far took the whole line, neither more nor less.
    bool fits() const { return !short_ && pos_ == line_.size(); }

private:
    std::string_view line_;
    TextEncoding encoding_;
    std::size_t pos_ = 0;
    bool short_ = false;  // a field asked for characters past the line's end
};

}  // namespace tabulyst::text
