#include "core/text/SortKeyText.h"

#include <unicode/ucol.h>

#include <vector>

#include "core/platform/Locale.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/CaseFolding.h"
#include "core/text/Utf8Text.h"

namespace tabulyst::text {

namespace {

UCollator* germanCollator() {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("de", &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        return nullptr;
    }
    // Secondary strength: accents count, case does not (as upper-casing ignores it in Windows-1252).
    ucol_setStrength(collator, UCOL_SECONDARY);
    return collator;
}

// UTF-16 for the collator; a byte that is no valid UTF-8 reads as its Windows-1252 character.
void appendUtf16(std::string_view utf8, std::vector<UChar>& out) {
    out.resize(utf8.size());
    std::size_t ascii = asciiRun(utf8, 0);
    for (std::size_t i = 0; i < ascii; ++i) out[i] = static_cast<unsigned char>(utf8[i]);
    out.resize(ascii);
    for (std::size_t i = ascii; i < utf8.size();) {
        const Utf8Char c = utf8CharAt(utf8, i);
        const char32_t code = c.valid ? c.code : windows1252CodePoint(static_cast<unsigned char>(c.code));
        if (code < 0x10000) {
            out.push_back(static_cast<UChar>(code));
        } else {
            out.push_back(static_cast<UChar>(0xD7C0 + (code >> 10)));
            out.push_back(static_cast<UChar>(0xDC00 | (code & 0x3FF)));
        }
        i += c.size;
    }
}

}  // namespace

SortKeyMaker::SortKeyMaker(TextEncoding encoding, const Locale& locale)
    : encoding_(encoding),
      locale_(locale),
      collator_(encoding == TextEncoding::Utf8 ? germanCollator() : nullptr, [](UCollator* c) { ucol_close(c); }) {}

SortKeyMaker::~SortKeyMaker() = default;

void SortKeyMaker::append(std::string_view cell, std::string& keys) const {
    const std::size_t old = keys.size();
    if (encoding_ == TextEncoding::Windows1252) {
        keys.resize(old + cell.size());
        const unsigned char* upper = locale_.upperTable();
        for (std::size_t i = 0; i < cell.size(); ++i)
            keys[old + i] = static_cast<char>(upper[static_cast<unsigned char>(cell[i])]);
        return;
    }
    if (!collator_) {  // without ICU's data: the folded text
        for (std::size_t i = 0; i < cell.size();) i += appendFoldedChar(cell, i, keys);
        return;
    }
    thread_local std::vector<UChar> utf16;
    appendUtf16(cell, utf16);
    const auto length = static_cast<int32_t>(utf16.size());
    // Most keys fit the stack; a longer one is made again at its size.
    uint8_t buffer[512];
    const int32_t size = ucol_getSortKey(collator_.get(), utf16.data(), length, buffer, sizeof buffer);
    if (size <= static_cast<int32_t>(sizeof buffer)) {
        // Without the closing zero: keys are told apart by their lengths.
        keys.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size > 0 ? size - 1 : 0));
        return;
    }
    keys.resize(old + static_cast<std::size_t>(size));
    ucol_getSortKey(collator_.get(), utf16.data(), length, reinterpret_cast<uint8_t*>(keys.data() + old), size);
    keys.pop_back();
}

std::uint64_t SortKeyMaker::head(std::string_view key, bool& exact) const {
    std::uint64_t head = 0;
    if (encoding_ == TextEncoding::Windows1252) {
        // Seven bytes, then the length up to 8: texts of up to seven bytes are told apart by their heads alone.
        for (std::size_t i = 0; i < 7; ++i) head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
        exact = key.size() <= 7;
        return head << 8 | (key.size() < 8 ? key.size() : 8);
    }
    // A collation key holds no zero byte, so the zeros after a short key sort it before its extensions.
    for (std::size_t i = 0; i < 8; ++i) head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    exact = key.size() <= 8;
    return head;
}

}  // namespace tabulyst::text
