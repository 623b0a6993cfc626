#include "core/text/CodePageText.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/platform/Utf8Codec.h"
#include "core/text/Utf8Text.h"

namespace tabulyst::text {

namespace {

// The code points of bytes 0x80..0x9F, sorted, with their bytes.
struct HighPairs {
    std::array<std::pair<char32_t, unsigned char>, 32> pairs{};
    HighPairs() {
        for (int b = 0x80; b <= 0x9F; ++b)
            pairs[static_cast<std::size_t>(b - 0x80)] = {windows1252CodePoint(static_cast<unsigned char>(b)),
                                                         static_cast<unsigned char>(b)};
        std::sort(pairs.begin(), pairs.end());
    }
};

// Calls each(pos, character, byte or -1) for every character; an invalid byte
// comes as itself with its own byte.
template <class Each>
void eachCharacter(std::string_view utf8, Each each) {
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = utf8CharAt(utf8, i);
        each(i, c, c.valid ? windows1252ByteOf(c.code) : static_cast<int>(c.code));
        i += c.size;
    }
}

}  // namespace

int windows1252ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    static const HighPairs high;
    const auto it = std::lower_bound(high.pairs.begin(), high.pairs.end(), std::pair<char32_t, unsigned char>{c, 0});
    return it != high.pairs.end() && it->first == c ? it->second : -1;
}

LackingCharacters lackingInWindows1252(std::string_view utf8) {
    LackingCharacters lacking;
    eachCharacter(utf8, [&](std::size_t pos, Utf8Char c, int byte) {
        if (byte >= 0) return;
        if (lacking.count++ == 0) {
            lacking.first = c.code;
            lacking.firstOffset = pos;
        }
    });
    return lacking;
}

void windows1252FromUtf8(std::string_view utf8, std::string& out, LackingCharacters& lacking) {
    const std::size_t ascii = asciiRun(utf8, 0);
    out.assign(utf8.substr(0, ascii));
    eachCharacter(utf8.substr(ascii), [&](std::size_t pos, Utf8Char c, int byte) {
        out.push_back(byte >= 0 ? static_cast<char>(byte) : '?');
        if (byte >= 0) return;
        if (lacking.count++ == 0) {
            lacking.first = c.code;
            lacking.firstOffset = ascii + pos;
        }
    });
}

void mapWindows1252Characters(std::string_view utf8, const unsigned char* table, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    eachCharacter(utf8, [&](std::size_t pos, Utf8Char c, int byte) {
        if (byte < 0 || !c.valid) out.append(utf8.substr(pos, c.size));
        else appendUtf8(out, windows1252CodePoint(table[byte]));
    });
}

}  // namespace tabulyst::text
