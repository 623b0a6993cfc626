#include "core/text/CaseFolding.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <array>
#include <atomic>
#include <iterator>
#include <memory>

#include "core/text/Utf8Text.h"

namespace tabulyst::text {

namespace {

FoldedChar foldThroughIcu(char32_t c) {
    UChar in[2] = {};
    int32_t inLength = 0;
    UBool error = false;
    U16_APPEND(in, inLength, 2, static_cast<UChar32>(c), error);
    UChar out[8];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t outLength = u_strFoldCase(out, 8, in, inLength, U_FOLD_CASE_DEFAULT, &status);
    FoldedChar result{};
    int32_t bytes = 0;
    if (!error && U_SUCCESS(status))
        u_strToUTF8(result.bytes, sizeof result.bytes, &bytes, out, outLength, &status);
    // Without ICU's data a character stays as it is.
    if (error || U_FAILURE(status) || bytes <= 0) bytes = static_cast<int32_t>(encodeUtf8(c, result.bytes));
    result.size = static_cast<std::uint8_t>(bytes);
    return result;
}

struct Block {
    std::array<FoldedChar, 256> chars;
};

// The blocks of the Basic Multilingual Plane, each made when first needed.
std::array<std::atomic<const Block*>, 256> blocks{};

const Block& blockOf(char32_t c) {
    std::atomic<const Block*>& slot = blocks[c >> 8];
    if (const Block* block = slot.load(std::memory_order_acquire)) return *block;
    auto fresh = std::make_unique<Block>();
    const char32_t first = c & ~char32_t{0xFF};
    for (char32_t i = 0; i < 256; ++i) fresh->chars[i] = foldThroughIcu(first + i);
    const Block* expected = nullptr;
    if (slot.compare_exchange_strong(expected, fresh.get(), std::memory_order_acq_rel)) return *fresh.release();
    return *expected;  // another thread made it meanwhile
}

}  // namespace

FoldedChar foldedChar(char32_t c) {
    if (c < 0x10000) return blockOf(c).chars[c & 0xFF];
    return foldThroughIcu(c);
}

std::size_t appendFoldedChar(std::string_view utf8, std::size_t pos, std::string& out) {
    const Utf8Char c = utf8CharAt(utf8, pos);
    if (c.code < 0x80 || !c.valid) {
        out.push_back(c.valid ? asciiFolded(static_cast<char>(c.code)) : utf8[pos]);
    } else {
        const FoldedChar f = foldedChar(c.code);
        out.append(f.bytes, f.size);
    }
    return c.size;
}

std::string folded(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) i += appendFoldedChar(utf8, i, out);
    return out;
}

AsciiFoldingSet asciiFoldingCharsOf(std::string_view foldedAscii) {
    AsciiFoldingSet set = 0;
    for (std::size_t i = 0; i < std::size(kAsciiFoldingChars); ++i)
        if (foldedAscii.find(kAsciiFoldingChars[i].folded) != std::string_view::npos) set |= AsciiFoldingSet(1u << i);
    return set;
}

bool holdsAsciiFoldingChar(std::string_view utf8, AsciiFoldingSet set) {
    if (set == 0) return false;
    for (std::size_t i = asciiRun(utf8, 0); i < utf8.size(); i += asciiRun(utf8, i)) {
        const Utf8Char c = utf8CharAt(utf8, i);
        i += c.size;
        if (c.code < 0xDF || !c.valid) continue;
        for (std::size_t k = 0; k < std::size(kAsciiFoldingChars); ++k)
            if (kAsciiFoldingChars[k].code == c.code) {
                if (set & (1u << k)) return true;
                break;
            }
    }
    return false;
}

}  // namespace tabulyst::text
