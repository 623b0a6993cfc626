// The delimiter notation: the decoder agrees with the notation's rule applied
// step by step (find the first "#", read its digits, replace, scan again from
// the start), for a Windows-1252 table (the notation's own characters as the
// code page's bytes) and a UTF-8 one (a code as its character's UTF-8), and
// every delimiter without "#" written as codes decodes back.
//
// Input: the notation text.
#include <cstdint>
#include <string>

#include "core/files/DelimiterNotation.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/CodePageText.h"
#include "core/text/Utf8Text.h"
#include "support/Check.h"

using namespace tabulyst;

namespace {

// The notation's characters as Windows-1252 bytes where the code page has them.
std::string asWindows1252(std::string_view notation) {
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

// The rule as written, restarting at the beginning after every replacement.
std::string literalDecode(std::string text, bool utf8) {
    for (;;) {
        const std::size_t hash = text.find('#');
        if (hash == std::string::npos) return text;
        std::size_t end = hash + 1;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
        if (end == hash + 1) return "ERROR - # without number found!";
        long long value = 0;
        for (std::size_t i = hash + 1; i < end; ++i) {
            value = value * 10 + (text[i] - '0');
            if (value > 2147483647) return "ERROR - can not convert!";
        }
        if (value > 255) return "ERROR - number must be a byte!";
        std::string character(1, static_cast<char>(value));
        if (utf8) character = utf8FromWindows1252(character);
        text.replace(hash, end - hash, character);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string notation(reinterpret_cast<const char*>(data), size);
    const std::string decoded = DecodeDelimiter(notation);
    FUZZ_CHECK_BYTES(decoded, literalDecode(asWindows1252(notation), false), "decoded \"" + fuzz::printable(notation) + "\"");
    FUZZ_CHECK_BYTES(DecodeDelimiter(notation, text::TextEncoding::Utf8), literalDecode(notation, true),
                     "decoded for UTF-8 \"" + fuzz::printable(notation) + "\"");
    FUZZ_CHECK(IsDecodeError(decoded) == decoded.starts_with("ERROR - "), "errors are recognised");
    if (!IsDecodeError(decoded)) {
        // Every byte written as its code, with or without leading zeros, decodes to the same delimiter.
        std::string codes;
        for (std::size_t i = 0; i < decoded.size(); ++i)
            codes += (i % 2 ? "#00" : "#") + std::to_string(static_cast<unsigned char>(decoded[i]));
        if (decoded.find('#') == std::string::npos)
            FUZZ_CHECK_BYTES(DecodeDelimiter(codes), decoded, "the delimiter written as codes: " + codes);
        else
            FUZZ_CHECK(IsDecodeError(DecodeDelimiter(codes)), "a decoded \"#\" is read again and has no digits");
    }
    return 0;
}
