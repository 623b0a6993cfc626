#include "core/table/CharsetConversions.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace tabulyst {

namespace {

constexpr unsigned char kFirstConverted = 0xA1;

// The two UTF-8 bytes of code point b (0xA1..0xFF).
void appendUtf8(std::string& out, unsigned char b) {
    if (b <= 0xBF) {
        out.push_back(static_cast<char>(0xC2));
        out.push_back(static_cast<char>(b));
    } else {
        out.push_back(static_cast<char>(0xC3));
        out.push_back(static_cast<char>(b - 0x40));
    }
}

// "@#$c3#$a4@": the marker standing for the UTF-8 form of b while converting.
void appendMarker(std::string& out, unsigned char b) {
    static constexpr char kHex[] = "0123456789abcdef";
    unsigned char first = b <= 0xBF ? 0xC2 : 0xC3;
    unsigned char second = b <= 0xBF ? b : static_cast<unsigned char>(b - 0x40);
    char m[10] = {'@', '#', '$', kHex[first >> 4], kHex[first & 15], '#', '$', kHex[second >> 4], kHex[second & 15], '@'};
    out.append(m, sizeof m);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The byte whose marker starts at pos, or 0 when none does.
unsigned char markerAt(const std::string& text, std::size_t pos) {
    if (pos + 10 > text.size()) return 0;
    const char* p = text.data() + pos;
    if (p[0] != '@' || p[1] != '#' || p[2] != '$' || p[5] != '#' || p[6] != '$' || p[9] != '@') return 0;
    int h1 = hexValue(p[3]), h2 = hexValue(p[4]), h3 = hexValue(p[7]), h4 = hexValue(p[8]);
    if (h1 < 0 || h2 < 0 || h3 < 0 || h4 < 0) return 0;
    int first = h1 * 16 + h2, second = h3 * 16 + h4;
    if (first == 0xC2 && second >= 0xA1 && second <= 0xBF) return static_cast<unsigned char>(second);
    if (first == 0xC3 && second >= 0x80 && second <= 0xBF) return static_cast<unsigned char>(second + 0x40);
    return 0;
}

// The text with every marker substituted for its byte, then the markers turned
// into their UTF-8 bytes for b = 0xA1..0xFF in turn. Markers can only overlap
// by their end "@" (their shape allows no other overlap), and turning one into
// bytes breaks its neighbours in such a chain; a replaced marker never forms a
// new one. So a chain is settled by taking its markers in ascending (b,
// position) order, each one not yet broken by a replaced neighbour.
std::string ansiToUtf8ThroughMarkers(std::string_view text) {
    std::string marked;
    marked.reserve(text.size() * 2);
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (b >= kFirstConverted) appendMarker(marked, b);
        else marked.push_back(c);
    }

    struct Hit {
        std::size_t pos;
        unsigned char b;
        bool replaced = false;
        bool broken = false;
    };
    std::vector<Hit> hits;
    for (std::size_t pos = marked.find('@'); pos != std::string::npos; pos = marked.find('@', pos + 1))
        if (unsigned char b = markerAt(marked, pos)) hits.push_back({pos, b});

    std::vector<std::size_t> order;
    for (std::size_t start = 0; start < hits.size();) {
        std::size_t end = start + 1;
        while (end < hits.size() && hits[end].pos == hits[end - 1].pos + 9) ++end;
        if (end - start == 1) {
            hits[start].replaced = true;
        } else {
            order.clear();
            for (std::size_t i = start; i < end; ++i) order.push_back(i);
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return hits[a].b < hits[b].b; });
            for (std::size_t i : order) {
                if (hits[i].broken) continue;
                hits[i].replaced = true;
                if (i > start) hits[i - 1].broken = true;
                if (i + 1 < end) hits[i + 1].broken = true;
            }
        }
        start = end;
    }

    std::string out;
    out.reserve(marked.size());
    std::size_t pos = 0;
    for (const Hit& h : hits) {
        if (!h.replaced) continue;
        out.append(marked, pos, h.pos - pos);
        appendUtf8(out, h.b);
        pos = h.pos + 10;
    }
    out.append(marked, pos, std::string::npos);
    return out;
}

bool isSecondUtf8Byte(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));

// Without the converter (no gconv modules) only the common ASCII half maps.
std::array<unsigned char, 256> buildTable(const char* from, const char* to) {
    std::array<unsigned char, 256> table{};
    iconv_t cd = iconv_open(to, from);
    for (int i = 0; i < 256; ++i) {
        unsigned char mapped = i < 0x80 ? static_cast<unsigned char>(i) : static_cast<unsigned char>('?');
        if (cd != kNoConverter) {
            char in = static_cast<char>(i);
            char outBuf[8];
            char* inPtr = &in;
            char* outPtr = outBuf;
            std::size_t inLeft = 1, outLeft = sizeof outBuf;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
            std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            if (r != static_cast<std::size_t>(-1) && inLeft == 0 && outPtr - outBuf == 1)
                mapped = static_cast<unsigned char>(outBuf[0]);
            else
                mapped = static_cast<unsigned char>('?');
        }
        table[static_cast<std::size_t>(i)] = mapped;
    }
    if (cd != kNoConverter) iconv_close(cd);
    table[0] = 0;
    return table;
}

std::string mapBytes(std::string_view text, const unsigned char* table) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

}  // namespace

const unsigned char* charToOemTable() {
    static const std::array<unsigned char, 256> table = buildTable("CP1252", "IBM850");
    return table.data();
}

const unsigned char* oemToCharTable() {
    static const std::array<unsigned char, 256> table = buildTable("IBM850", "CP1252");
    return table.data();
}

std::string CharToOem(std::string_view text) { return mapBytes(text, charToOemTable()); }
std::string OemToChar(std::string_view text) { return mapBytes(text, oemToCharTable()); }

bool mayHoldUtf8(std::string_view text) {
    for (char c : text)
        if (c == '\xC2' || c == '\xC3') return true;
    return false;
}

std::string AnsiToUtf8Text(std::string_view text) {
    // Without a "#" in the text every marker found is one just substituted, so
    // the substitution and its reversal come down to one pass.
    if (text.find('#') != std::string_view::npos) return ansiToUtf8ThroughMarkers(text);
    std::size_t high = 0;
    for (char c : text) high += static_cast<unsigned char>(c) >= kFirstConverted;
    std::string out;
    out.reserve(text.size() + high);
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (b >= kFirstConverted) appendUtf8(out, b);
        else out.push_back(c);
    }
    return out;
}

std::string Utf8ToAnsiText(std::string_view text) {
    std::string s(text);
    if (!mayHoldUtf8(text)) return s;
    // The sequences 0xC2 y (y = 0xA1..0xBF) come first. A produced y pairs
    // with a 0xC2 before it for the same y again, so a run of 0xC2 in front of
    // y collapses into y.
    std::size_t w = 0;
    for (std::size_t r = 0; r < s.size(); ++r) {
        auto c = static_cast<unsigned char>(s[r]);
        if (c >= 0xA1 && c <= 0xBF)
            while (w > 0 && static_cast<unsigned char>(s[w - 1]) == 0xC2) --w;
        s[w++] = static_cast<char>(c);
    }
    s.resize(w);
    // Then 0xC3 z (z = 0x80..0xBF) in ascending z. Only z = 0x83 produces a
    // byte that pairs again, 0xC3 with the byte after it: a run of 0x83 after
    // 0xC3 collapses into 0xC3, which then takes the next byte when that one's
    // turn is still to come (0x84..0xBF).
    std::size_t o = 0;
    for (std::size_t i = 0; i < w;) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c == 0xC3 && i + 1 < w && isSecondUtf8Byte(static_cast<unsigned char>(s[i + 1]))) {
            auto z = static_cast<unsigned char>(s[i + 1]);
            if (z != 0x83) {
                s[o++] = static_cast<char>(z + 0x40);
                i += 2;
                continue;
            }
            std::size_t j = i + 1;
            while (j < w && static_cast<unsigned char>(s[j]) == 0x83) ++j;
            if (j < w && static_cast<unsigned char>(s[j]) >= 0x84 && static_cast<unsigned char>(s[j]) <= 0xBF) {
                s[o++] = static_cast<char>(static_cast<unsigned char>(s[j]) + 0x40);
                i = j + 1;
            } else {
                s[o++] = static_cast<char>(0xC3);
                i = j;
            }
            continue;
        }
        s[o++] = static_cast<char>(c);
        ++i;
    }
    s.resize(o);
    return s;
}

}  // namespace tabulyst
