#include "core/files/DelimiterNotation.h"

#include <charconv>
#include <cstdint>

namespace tabulyst {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string DecodeDelimiter(std::string_view notation) {
    if (notation.find('#') == std::string_view::npos) return std::string(notation);
    std::string text(notation);
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
        text[end - 1] = static_cast<char>(static_cast<unsigned char>(code));
        i = end - 1;
        if (text[i] != '#') out += text[i++];
    }
    return out;
}

bool IsDecodeError(std::string_view decoded) { return decoded.starts_with("ERROR - "); }

}  // namespace tabulyst
