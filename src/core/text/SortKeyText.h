#pragma once
// The sort keys of text cells: byte strings whose order (as memcmp compares
// them) is the order of the cells, and the 64-bit heads of those keys, so a
// sort compares heads first and whole keys only on ties. Windows-1252 cells
// sort as they always have: by the locale's upper case, byte by byte, the
// head holding seven bytes and the length. UTF-8 cells sort as the German
// locale orders them (ICU's collator, case ignored, accents not): "Ärger",
// "Łukasz", "Oskar", "Zoë"; the head holds the key's first eight bytes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/text/TextEncoding.h"

struct UCollator;

namespace tabulyst {
class Locale;
}

namespace tabulyst::text {

class SortKeyMaker {
public:
    SortKeyMaker(TextEncoding encoding, const Locale& locale);
    ~SortKeyMaker();
    SortKeyMaker(const SortKeyMaker&) = delete;
    SortKeyMaker& operator=(const SortKeyMaker&) = delete;

    // Appends the key of a cell to keys. Safe to call from several threads at once.
    void append(std::string_view cell, std::string& keys) const;

    // The key's head: a smaller head means a smaller key, equal heads may
    // hide different keys unless exact (the head is the whole key).
    std::uint64_t head(std::string_view key, bool& exact) const;

private:
    TextEncoding encoding_;
    const Locale& locale_;
    std::unique_ptr<UCollator, void (*)(UCollator*)> collator_;
};

}  // namespace tabulyst::text
