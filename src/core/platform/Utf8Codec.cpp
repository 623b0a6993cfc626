#include "core/platform/Utf8Codec.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tabulyst {

namespace {

// The code points of 0x80..0x9F; the unassigned bytes keep their own number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t codePointOf(unsigned char b) { return b >= 0x80 && b <= 0x9F ? kHigh[b - 0x80] : b; }

// The UTF-8 bytes of the 128 upper bytes, worked out once.
struct Encoded {
    unsigned char length;
    char bytes[3];
};

constexpr std::array<Encoded, 128> makeEncodings() {
    std::array<Encoded, 128> table{};
    for (int i = 0; i < 128; ++i) {
        char32_t c = codePointOf(static_cast<unsigned char>(0x80 + i));
        Encoded& e = table[static_cast<std::size_t>(i)];
        if (c < 0x800) {
            e.length = 2;
            e.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
            e.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            e.length = 3;
            e.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
            e.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            e.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return table;
}

constexpr std::array<Encoded, 128> kEncodings = makeEncodings();

char* appendEncoded(char* out, unsigned char upper) {
    const Encoded& e = kEncodings[upper - 0x80];
    std::memcpy(out, e.bytes, 3);
    return out + e.length;
}

// The byte for a code point from 0x80 up, or -1 when the code page lacks it.
int byteOf(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF) return static_cast<int>(c);
    if (c > 0xFFFF) return -1;
    for (int i = 0; i < 32; ++i)
        if (kHigh[static_cast<std::size_t>(i)] == c) return 0x80 + i;
    return -1;
}

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the valid sequence at p (n bytes left) and its code point;
// 0 when no valid sequence starts there. Overlong forms, surrogates and
// code points above U+10FFFF are not valid.
std::size_t sequenceAt(const unsigned char* p, std::size_t n, char32_t& c) {
    const unsigned char b = p[0];
    if (b >= 0xC2 && b <= 0xDF) {
        if (n < 2 || !isContinuation(p[1])) return 0;
        c = (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F);
        return 2;
    }
    if (b >= 0xE0 && b <= 0xEF) {
        if (n < 3 || !isContinuation(p[1]) || !isContinuation(p[2])) return 0;
        if ((b == 0xE0 && p[1] < 0xA0) || (b == 0xED && p[1] > 0x9F)) return 0;
        c = (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (n < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3])) return 0;
        if ((b == 0xF0 && p[1] < 0x90) || (b == 0xF4 && p[1] > 0x8F)) return 0;
        c = (char32_t(b & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        return 4;
    }
    return 0;
}

// Whether the rest of a text is UTF-8, once it is known not to be decodable.
bool validUtf8(const unsigned char* p, std::size_t n) {
    char32_t c = 0;
    for (std::size_t i = 0; i < n;) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = sequenceAt(p + i, n - i, c);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The number of leading bytes below 0x80, eight at a time while it can.
std::size_t asciiPrefix(const char* p, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & kHighBits) break;
    }
    while (i < n && static_cast<unsigned char>(p[i]) < 0x80) ++i;
    return i;
}

}  // namespace

char32_t windows1252CodePoint(unsigned char byte) { return codePointOf(byte); }

char* encodeUtf8FromWindows1252(std::string_view text, char* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    // Eight bytes at a time are copied as they are; out advances past the
    // ASCII ones and the first upper byte is encoded in its place. Most of a
    // table is digits and plain letters, with an umlaut here and there.
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        std::memcpy(out, &word, 8);
        const std::uint64_t high = word & kHighBits;
        if (high == 0) {
            out += 8;
            i += 8;
            continue;
        }
        const auto ascii = static_cast<std::size_t>(std::countr_zero(high) / 8);
        out += ascii;
        i += ascii;
        out = appendEncoded(out, p[i++]);
    }
    while (i < n) {
        const unsigned char b = p[i++];
        if (b < 0x80) *out++ = static_cast<char>(b);
        else out = appendEncoded(out, b);
    }
    return out;
}

void appendUtf8FromWindows1252(std::string& out, std::string_view text) {
    const std::size_t old = out.size();
    out.resize(old + 3 * text.size());
    char* end = encodeUtf8FromWindows1252(text, out.data() + old);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

std::string utf8FromWindows1252(std::string_view text) {
    std::string out;
    appendUtf8FromWindows1252(out, text);
    return out;
}

Utf8Decoding decodeUtf8ToWindows1252(std::string_view text, char* out, std::size_t& length) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = asciiPrefix(text.data(), n);
    length = n;
    if (i == n) return Utf8Decoding::Ascii;
    std::memcpy(out, text.data(), i);
    char* o = out + i;
    char32_t c = 0;
    while (i < n) {
        // As in encoding: copy eight bytes, keep the ASCII ones, decode the sequence after them.
        if (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            std::memcpy(o, &word, 8);
            const std::uint64_t high = word & kHighBits;
            const auto ascii = high == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(high) / 8);
            o += ascii;
            i += ascii;
            if (ascii == 8) continue;
        } else if (p[i] < 0x80) {
            *o++ = static_cast<char>(p[i++]);
            continue;
        }
        // Latin-1 letters first: C3 80..BF and C2 A0..BF stand for the byte itself.
        if (i + 1 < n && isContinuation(p[i + 1]) && (p[i] == 0xC3 || (p[i] == 0xC2 && p[i + 1] >= 0xA0))) {
            *o++ = static_cast<char>(p[i] == 0xC3 ? p[i + 1] + 0x40 : p[i + 1]);
            i += 2;
            continue;
        }
        const std::size_t size = sequenceAt(p + i, n - i, c);
        if (size == 0) return Utf8Decoding::Invalid;
        const int b = byteOf(c);
        if (b < 0) return validUtf8(p + i + size, n - i - size) ? Utf8Decoding::Unrepresentable : Utf8Decoding::Invalid;
        *o++ = static_cast<char>(b);
        i += size;
    }
    length = static_cast<std::size_t>(o - out);
    return Utf8Decoding::Decoded;
}

Utf8Decoding decodeUtf8ToWindows1252(std::string_view text, std::string& out) {
    out.resize(text.size());
    std::size_t length = 0;
    Utf8Decoding result = decodeUtf8ToWindows1252(text, out.data(), length);
    out.resize(result == Utf8Decoding::Decoded ? length : 0);
    return result;
}

}  // namespace tabulyst
