// The character set conversions: the fast UTF-8 conversions equal the literal
// ones of the tests (whole-text replacement passes, byte value by byte value),
// and the OEM conversions keep the length and turn every byte with a
// counterpart back into itself.
//
// Input: the cell text (the literal conversions are slow, so only its first
// 512 bytes go to them).
#include <cstdint>
#include <string>

#include "core/table/CharsetConversions.h"
#include "support/Check.h"
#include "support/LiteralTextOps.h"

using namespace tabulyst;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string head = text.substr(0, 512);
    const std::string shown = "\"" + fuzz::printable(head) + "\"";
    FUZZ_CHECK_BYTES(AnsiToUtf8Text(head), literal::ansiToUtf8(head), "Ansi to UTF-8 of " + shown);
    FUZZ_CHECK_BYTES(Utf8ToAnsiText(head), literal::utf8ToAnsi(head), "UTF-8 to Ansi of " + shown);
    FUZZ_CHECK(mayHoldUtf8(text) == (text.find('\xC2') != std::string::npos || text.find('\xC3') != std::string::npos),
               "the quick test for UTF-8 bytes");
    if (!mayHoldUtf8(text)) FUZZ_CHECK_BYTES(Utf8ToAnsiText(text), text, "nothing to convert");

    const std::string oem = CharToOem(text);
    const std::string back = OemToChar(oem);
    FUZZ_CHECK(oem.size() == text.size() && back.size() == text.size(), "the OEM conversions keep the length");
    const unsigned char* toOem = charToOemTable();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        FUZZ_CHECK(static_cast<unsigned char>(oem[i]) == toOem[c], "byte by byte through the table");
        if (toOem[c] != '?' || c == '?') FUZZ_CHECK(back[i] == text[i], "a byte with a counterpart comes back");
    }
    return 0;
}
