// The delimiter notation: the decoder agrees with the notation's rule applied
// step by step (find the first "#", read its digits, replace, scan again from
// the start), and every delimiter without "#" written as codes decodes back.
//
// Input: the notation text.
#include <cstdint>
#include <string>

#include "core/files/DelimiterNotation.h"
#include "support/Check.h"

using namespace tabulyst;

namespace {

// The rule as written, restarting at the beginning after every replacement.
std::string literalDecode(std::string text) {
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
        text.replace(hash, end - hash, 1, static_cast<char>(value));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string notation(reinterpret_cast<const char*>(data), size);
    const std::string decoded = DecodeDelimiter(notation);
    FUZZ_CHECK_BYTES(decoded, literalDecode(notation), "decoded \"" + fuzz::printable(notation) + "\"");
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
