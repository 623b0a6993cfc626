#include "core/text/Utf8Text.h"

namespace tabulyst::text {

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = asciiRun(text, 0); i < text.size(); i += asciiRun(text, i)) {
        const Utf8Char c = utf8CharAt(text, i);
        if (!c.valid) return false;
        i += c.size;
    }
    return true;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t ascii = asciiRun(text, i);
        count += ascii;
        i += ascii;
        if (i < text.size()) {
            i += utf8CharAt(text, i).size;
            ++count;
        }
    }
    return count;
}

std::size_t utf8Advance(std::string_view text, std::size_t pos, std::size_t n) {
    std::size_t i = pos < text.size() ? pos : text.size();
    while (n > 0 && i < text.size()) {
        // A whole run of ASCII is as many characters as bytes.
        std::size_t ascii = asciiRun(text.substr(0, n < text.size() - i ? i + n : text.size()), i);
        i += ascii;
        n -= ascii;
        if (n > 0 && i < text.size()) {
            i += utf8CharAt(text, i).size;
            --n;
        }
    }
    return i;
}

std::string_view utf8Characters(std::string_view text, std::size_t from, std::size_t n) {
    const std::size_t begin = utf8Advance(text, 0, from);
    return text.substr(begin, utf8Advance(text, begin, n) - begin);
}

std::size_t utf8CharacterIndex(std::string_view text, std::size_t offset) {
    std::size_t index = 0;
    for (std::size_t i = 0; i < text.size(); ++index) {
        i += utf8CharAt(text, i).size;
        if (i > offset) return index;
    }
    return index;
}

std::size_t encodeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

void appendUtf8(std::string& out, char32_t c) {
    char bytes[4];
    out.append(bytes, encodeUtf8(c, bytes));
}

}  // namespace tabulyst::text
