#include "core/interaction/SortKeys.h"

#include <bit>
#include <string>

#include "core/grid/StringGrid.h"
#include "core/interaction/CellValueReaders.h"
#include "core/platform/Locale.h"
#include "core/text/SortKeyColumn.h"
#include "core/text/SortKeyText.h"

namespace tabulyst {

namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;

// Doubles as unsigned numbers in the same order; every one above 0, which
// stands for the empty cell.
std::uint64_t numberHead(long double value, bool& exact) {
    double d = static_cast<double>(value);
    exact = static_cast<long double>(d) == value;
    if (d == 0) d = 0;  // -0 and +0 are the same number
    const auto bits = std::bit_cast<std::uint64_t>(d);
    return bits & kSignBit ? ~bits : bits | kSignBit;
}

// Seven bytes of the upper-case text, then its length up to 8: texts of up to
// seven bytes are told apart by their heads alone.
std::uint64_t textHead(std::string_view text, bool& exact) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 7; ++i)
        head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    exact = text.size() <= 7;
    return head << 8 | (text.size() < 8 ? text.size() : 8);
}

template <class T>
int threeWay(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

bool readSortNumber(std::string_view text, long double& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    std::string number(text);
    for (char& c : number)
        if (c == ',') c = '.';
    return convertNumber(number, '.', value);
}

bool readSortDate(std::string_view text, const Locale& locale, long long& serial) {
    std::string date(text);
    for (char& c : date)
        if (c == ',') c = ' ';
    auto value = parseDateTime(date, locale);
    if (value) serial = value->serial();
    return value.has_value();
}

template <class Value, class Read>
bool SortKeys::readValues(std::vector<Value>& values, Key& key, const StringGrid& grid, int col, int first, int last,
                          Read read) {
    const auto count = last < first ? 0 : static_cast<std::size_t>(last - first + 1);
    values.assign(count, Value{});
    key.present.assign(count, 0);
    for (int r = first; r <= last; ++r) {
        std::string_view cell = grid.cell(col, r);
        if (cell.empty()) continue;
        const auto i = static_cast<std::size_t>(r - first);
        if (!read(cell, values[i])) {
            values.clear();
            key.present.clear();
            return false;
        }
        key.present[i] = 1;
    }
    return true;
}

void SortKeys::readTexts(Key& key, const StringGrid& grid, int col, int first, int last, const Locale& locale) {
    key.ends.reserve(static_cast<std::size_t>(last - first + 1));
    for (int r = first; r <= last; ++r) {
        key.text += grid.cell(col, r);
        key.ends.push_back(key.text.size());
    }
    locale.upperInPlace(key.text);
}

// Each distinct text collated once; the sort then compares ranks only.
void SortKeys::readCollated(Key& key, const StringGrid& grid, int col, int first, int last, const Locale& locale) {
    const text::SortKeyMaker maker(text::TextEncoding::Utf8, locale);
    text::SortKeyColumn column(maker);
    for (int r = first; r <= last; ++r) column.add(grid.cell(col, r));
    key.ranks = column.ranks();
    key.collated = true;
}

SortKeys::SortKeys(const StringGrid& grid, std::span<const int> keyColumns, int first, int last,
                   const Locale& locale, text::TextEncoding encoding)
    : count_(last < first ? 0 : static_cast<std::size_t>(last - first + 1)) {
    keys_.resize(keyColumns.size());
    for (std::size_t k = 0; k < keyColumns.size(); ++k) {
        Key& key = keys_[k];
        const int col = keyColumns[k];
        auto number = [](std::string_view cell, long double& v) { return readSortNumber(cell, v); };
        auto date = [&locale](std::string_view cell, long long& v) { return readSortDate(cell, locale, v); };
        if (readValues(key.numbers, key, grid, col, first, last, number)) {
            key.kind = KeyKind::Numeric;
        } else if (readValues(key.dates, key, grid, col, first, last, date)) {
            key.kind = KeyKind::Date;
        } else {
            key.kind = KeyKind::Text;
            if (encoding == text::TextEncoding::Utf8) readCollated(key, grid, col, first, last, locale);
            else readTexts(key, grid, col, first, last, locale);
        }
    }
}

std::uint64_t SortKeys::headOf(std::size_t k, std::uint32_t row, bool& exact) const {
    exact = true;
    if (k >= keys_.size()) return 0;
    const Key& key = keys_[k];
    switch (key.kind) {
    case KeyKind::Numeric:
        return key.present[row] ? numberHead(key.numbers[row], exact) : 0;
    case KeyKind::Date:
        return key.present[row] ? static_cast<std::uint64_t>(key.dates[row]) ^ kSignBit : 0;
    case KeyKind::Text:
        return key.collated ? key.ranks[row] : textHead(key.textOf(row), exact);
    }
    return 0;
}

std::vector<SortItem> SortKeys::items() const {
    std::vector<SortItem> result(count_);
    for (std::size_t i = 0; i < count_; ++i) {
        SortItem& item = result[i];
        item.row = static_cast<std::uint32_t>(i);
        bool firstExact = false, secondExact = false;
        item.head = headOf(0, item.row, firstExact);
        item.second = headOf(1, item.row, secondExact);
        item.exact = static_cast<std::uint8_t>((firstExact ? SortItem::kFirstExact : 0) |
                                               (secondExact ? SortItem::kSecondExact : 0));
    }
    return result;
}

int SortKeys::compareFrom(std::size_t firstKey, std::uint32_t a, std::uint32_t b) const {
    for (std::size_t k = firstKey; k < keys_.size(); ++k) {
        const Key& key = keys_[k];
        int result = 0;
        if (key.kind == KeyKind::Text) {
            result = key.collated ? threeWay(key.ranks[a], key.ranks[b]) : threeWay(key.textOf(a), key.textOf(b));
        } else if (key.present[a] && key.present[b]) {
            result = key.kind == KeyKind::Numeric ? threeWay(key.numbers[a], key.numbers[b])
                                                  : threeWay(key.dates[a], key.dates[b]);
        } else {
            result = threeWay(key.present[a], key.present[b]);  // the empty text is smallest
        }
        if (result != 0) return result;
    }
    return 0;
}

}  // namespace tabulyst
