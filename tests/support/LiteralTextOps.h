#pragma once
// Straightforward, slow versions of the text conversions, written step by step
// the way they are defined (whole-text passes, search again from the start
// after every replacement). The tests compare the fast versions against them
// and the benchmarks time both.
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/platform/Locale.h"

namespace tabulyst::literal {

// Case-sensitive replacement: insert the replacement in front of the first
// occurrence, then delete the first occurrence of the search text in the new
// text; until none is left.
inline std::string replaceInsertDelete(std::string_view search, std::string_view replacement, std::string text) {
    if (search.empty()) return text;
    for (std::size_t p; (p = text.find(search)) != std::string::npos;) {
        text.insert(p, replacement);
        text.erase(text.find(search), search.size());
    }
    return text;
}

inline std::string marker(unsigned char b) {
    static constexpr char kHex[] = "0123456789abcdef";
    unsigned first = b <= 0xBF ? 0xC2 : 0xC3;
    unsigned second = b <= 0xBF ? b : b - 0x40u;
    return std::string("@#$") + kHex[first >> 4] + kHex[first & 15] + "#$" + kHex[second >> 4] + kHex[second & 15] + "@";
}

inline std::string utf8Bytes(unsigned char b) {
    std::string s;
    s += static_cast<char>(b <= 0xBF ? 0xC2 : 0xC3);
    s += static_cast<char>(b <= 0xBF ? b : b - 0x40);
    return s;
}

inline std::string ansiToUtf8(std::string text) {
    for (int b = 0xA1; b <= 0xFF; ++b)
        text = replaceInsertDelete(std::string(1, static_cast<char>(b)), marker(static_cast<unsigned char>(b)), text);
    for (int b = 0xA1; b <= 0xFF; ++b)
        text = replaceInsertDelete(marker(static_cast<unsigned char>(b)), utf8Bytes(static_cast<unsigned char>(b)), text);
    return text;
}

inline std::string utf8ToAnsi(std::string text) {
    if (text.find('\xC2') == std::string::npos && text.find('\xC3') == std::string::npos) return text;
    for (int b = 0xA1; b <= 0xFF; ++b)
        text = replaceInsertDelete(utf8Bytes(static_cast<unsigned char>(b)), std::string(1, static_cast<char>(b)), text);
    return text;
}

// ReplaceAll with both routes. The direct route replaces the occurrence it
// found and searches again from the start; it gives up (throws) before its
// replacements would insert more than maxInsertedBytes bytes in all. The
// marker route builds its marker from random codes 1..255 that occur neither
// in the search text, the replacement nor the text (compared in upper case).
class ReplaceAllReference {
public:
    explicit ReplaceAllReference(unsigned seed, std::size_t maxInsertedBytes = 1000000)
        : rng_(seed), maxInsertedBytes_(maxInsertedBytes) {}

    std::string operator()(std::string_view s, std::string_view r, std::string_view t, bool caseSensitive) {
        Locale locale;
        auto fold = [&](std::string_view x) { return caseSensitive ? std::string(x) : locale.upper(x); };
        if (caseSensitive && s == r) return std::string(t);
        bool markerRoute = !s.empty() && fold(r).find(fold(s)) != std::string::npos;
        if (!markerRoute) return direct(s, r, std::string(t), caseSensitive);
        std::string m = buildMarker(locale.upper(s) + locale.upper(r) + locale.upper(t));
        std::string once = (*this)(s, m, t, caseSensitive);
        return (*this)(m, r, once, caseSensitive);
    }

private:
    std::string direct(std::string_view s, std::string_view r, std::string t, bool caseSensitive) {
        if (s.empty()) return t;
        Locale locale;
        const std::string us = caseSensitive ? std::string(s) : locale.upper(s);
        for (std::size_t inserted = 0;; inserted += r.size()) {
            std::string ut = caseSensitive ? t : locale.upper(t);
            std::size_t p = ut.find(us);
            if (p == std::string::npos) return t;
            if (inserted + r.size() > maxInsertedBytes_) throw std::runtime_error("replacement does not end");
            t.replace(p, s.size(), r);
        }
    }

    std::string buildMarker(const std::string& foldedTexts) {
        Locale locale;
        std::uniform_int_distribution<int> code(1, 255);
        std::string m;
        for (;;) {
            char c = static_cast<char>(code(rng_));
            char uc = static_cast<char>(locale.toUpper(static_cast<unsigned char>(c)));
            if (foldedTexts.find(uc) != std::string::npos) continue;  // not a free character
            if (locale.upper(m).find(uc) != std::string::npos) {
                m.clear();
                continue;
            }
            m += c;
            if (foldedTexts.find(locale.upper(m)) == std::string::npos) return m;
        }
    }

    std::mt19937 rng_;
    std::size_t maxInsertedBytes_;
};

}  // namespace tabulyst::literal
