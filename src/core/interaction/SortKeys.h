#pragma once
// The sort keys of a table, read once per sort: each key column classified as
// numeric, date or text, and each of its cells converted once, so that
// comparing two rows never reads or converts a cell text again.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextEncoding.h"

namespace tabulyst {

class StringGrid;
class Locale;

enum class KeyKind { Numeric, Date, Text };

// A cell's number for sorting: leading blanks, then a decimal number where ","
// counts as ".". A text of blanks only is no number.
bool readSortNumber(std::string_view text, long double& value);
// A cell's date (and time) for sorting, "," counting as a blank; seconds since 1970.
bool readSortDate(std::string_view text, const Locale& locale, long long& serial);

// One row while sorting: its first two keys coded so that a smaller head means
// a smaller key (equal heads may still hide different keys), and where it came
// from. Most comparisons are decided by the heads, without reading the keys.
struct SortItem {
    std::uint64_t head = 0;    // the first key
    std::uint64_t second = 0;  // the second key
    std::uint32_t row = 0;     // counted from the first sorted row
    std::uint8_t exact = 0;    // kFirstExact, kSecondExact: the head is the whole key
    static constexpr std::uint8_t kFirstExact = 1, kSecondExact = 2;
};

class SortKeys {
public:
    // Rows first to last of the grid. A key column is numeric when every
    // non-empty cell is a number (so one without any is numeric), else date
    // when every one is a date, else text. Text keys of Windows-1252 cells
    // compare their upper case byte by byte; those of UTF-8 cells as the
    // German locale orders them (see text::SortKeyMaker).
    SortKeys(const StringGrid& grid, std::span<const int> keyColumns, int first, int last, const Locale& locale,
             text::TextEncoding encoding = text::TextEncoding::Windows1252);

    KeyKind kind(std::size_t key) const { return keys_[key].kind; }
    // The rows in table order with their heads.
    std::vector<SortItem> items() const;

    // Key by key: numbers and dates by value when both cells are non-empty,
    // otherwise the texts (the empty text is smallest). -1, 0 or +1.
    int compare(const SortItem& a, const SortItem& b) const {
        if (a.head != b.head) return a.head < b.head ? -1 : 1;
        const unsigned exact = a.exact & b.exact;
        if (!(exact & SortItem::kFirstExact)) return compareFrom(0, a.row, b.row);
        if (a.second != b.second) return a.second < b.second ? -1 : 1;
        return compareFrom(exact & SortItem::kSecondExact ? 2 : 1, a.row, b.row);
    }

private:
    struct Key {
        KeyKind kind = KeyKind::Text;
        std::vector<long double> numbers;
        std::vector<long long> dates;
        std::vector<std::uint8_t> present;  // numbers and dates: the cell is non-empty
        std::string text;                   // text keys: the upper-case cells one after the other
        std::vector<std::size_t> ends;      // text keys: where each cell ends in text
        std::vector<std::uint32_t> ranks;   // collated text keys (UTF-8): each cell's place among the texts
        bool collated = false;
        std::string_view textOf(std::uint32_t row) const {
            std::size_t begin = row == 0 ? 0 : ends[row - 1];
            return std::string_view(text).substr(begin, ends[row] - begin);
        }
    };

    // Fills the key as numbers or dates; false (and the key empty) when a cell is none.
    template <class Value, class Read>
    static bool readValues(std::vector<Value>& values, Key& key, const StringGrid& grid, int col, int first, int last,
                           Read read);
    static void readTexts(Key& key, const StringGrid& grid, int col, int first, int last, const Locale& locale);
    static void readCollated(Key& key, const StringGrid& grid, int col, int first, int last, const Locale& locale);
    std::uint64_t headOf(std::size_t key, std::uint32_t row, bool& exact) const;
    int compareFrom(std::size_t firstKey, std::uint32_t a, std::uint32_t b) const;

    std::size_t count_;
    std::vector<Key> keys_;
};

}  // namespace tabulyst
