#include "core/files/DelimiterNotation.h"

#include <charconv>
#include <cstdint>

#include "core/platform/Utf8Codec.h"
#include "core/text/CodePageText.h"
#include "core/text/Utf8Text.h"

namespace tabulyst {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The notation's own characters in the cells' encoding.
std::string inCellEncoding(std::string_view notation, text::TextEncoding cells) {
    if (cells == text::TextEncoding::Utf8 || text::isAscii(notation)) return std::string(notation);
    std::string out;
    for (std::size_t i = 0; i < notation.size();) {
        const text::Utf8Char c = text::utf8CharAt(notation, i);
        const int byte = c.valid ? text::windows1252ByteOf(c.code) : -1;
        if (byte >= 0) out += static_cast<char>(byte);
        else out.append(notation.substr(i, c.size));
        i += c.size;
    }
    return out;
}

void appendCode(std::string& out, unsigned char code, text::TextEncoding cells) {
    if (cells == text::TextEncoding::Utf8) text::appendUtf8(out, windows1252CodePoint(code));
    else out += static_cast<char>(code);
}
}  // namespace

std::string DecodeDelimiter(std::string_view notation, text::TextEncoding cells) {
    std::string text = inCellEncoding(notation, cells);
    if (text.find('#') == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '#') {
            out += text[i++];
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && isDigit(text[end])) ++end;
        if (end == i + 1) return "ERROR - # without number found!";
        std::int32_t code = 0;
        auto [ptr, ec] = std::from_chars(text.data() + i + 1, text.data() + end, code);
        if (ec != std::errc() || ptr != text.data() + end) return "ERROR - can not convert!";
        if (code > 255) return "ERROR - number must be a byte!";
        // Everything before i holds no "#", so a rescan from the start would
        // continue right here: the decoded character takes the place of the last
        // digit and is read again (a decoded "#" starts a new code).
        if (code == '#') {
            text[end - 1] = '#';
            i = end - 1;
            continue;
        }
        appendCode(out, static_cast<unsigned char>(code), cells);
        i = end;
    }
    return out;
}

bool IsDecodeError(std::string_view decoded) { return decoded.starts_with("ERROR - "); }

std::string notationFromStorage(std::string_view stored) {
    return text::isValidUtf8(stored) ? std::string(stored) : utf8FromWindows1252(stored);
}

}  // namespace tabulyst
