#pragma once
// UTF-8 text as the cells of a UTF-8 table hold it, character by character. A
// byte that starts no valid sequence (a stray continuation byte, a cut,
// overlong or surrogate sequence) is a character of its own, so any bytes can
// be walked, counted and cut without splitting a valid character or losing one.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tabulyst::text {

struct Utf8Char {
    char32_t code;      // the code point; for an invalid byte the byte itself
    std::uint8_t size;  // its bytes, 1 to 4
    bool valid;
};

inline bool isUtf8Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The character that starts at pos (< text.size()). Overlong forms,
// surrogates and code points above U+10FFFF are not valid.
inline Utf8Char utf8CharAt(std::string_view text, std::size_t pos) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + pos;
    const std::size_t n = text.size() - pos;
    const unsigned char b = p[0];
    if (b < 0x80) return {b, 1, true};
    if (b >= 0xC2 && b <= 0xDF) {
        if (n >= 2 && isUtf8Continuation(p[1])) return {char32_t(b & 0x1F) << 6 | (p[1] & 0x3F), 2, true};
    } else if (b >= 0xE0 && b <= 0xEF) {
        if (n >= 3 && isUtf8Continuation(p[1]) && isUtf8Continuation(p[2]) && !(b == 0xE0 && p[1] < 0xA0) &&
            !(b == 0xED && p[1] > 0x9F))
            return {char32_t(b & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F), 3, true};
    } else if (b >= 0xF0 && b <= 0xF4) {
        if (n >= 4 && isUtf8Continuation(p[1]) && isUtf8Continuation(p[2]) && isUtf8Continuation(p[3]) &&
            !(b == 0xF0 && p[1] < 0x90) && !(b == 0xF4 && p[1] > 0x8F))
            return {char32_t(b & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 | char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F),
                    4, true};
    }
    return {b, 1, false};
}

// How many bytes from pos on are below 0x80, eight at a time while it can.
inline std::size_t asciiRun(std::string_view text, std::size_t pos) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    const char* p = text.data();
    std::size_t i = pos;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & kHighBits) break;
    }
    while (i < text.size() && static_cast<unsigned char>(p[i]) < 0x80) ++i;
    return i - pos;
}

inline bool isAscii(std::string_view text) { return asciiRun(text, 0) == text.size(); }

bool isValidUtf8(std::string_view text);

// The number of characters.
std::size_t utf8Length(std::string_view text);

// Where the n characters that follow the character start pos end; the text's
// end when it has fewer.
std::size_t utf8Advance(std::string_view text, std::size_t pos, std::size_t n);

// Characters [from, from + n), or what of them the text has.
std::string_view utf8Characters(std::string_view text, std::size_t from, std::size_t n);

// The index of the character that holds byte offset (the character count for
// the text's end and beyond): for an editor's cursor, with utf8Advance(text,
// 0, index) the other way round.
std::size_t utf8CharacterIndex(std::string_view text, std::size_t offset);

// The UTF-8 bytes of code point c (a valid one) at out, which has room for
// four; returns how many.
std::size_t encodeUtf8(char32_t c, char* out);
void appendUtf8(std::string& out, char32_t c);

}  // namespace tabulyst::text
