// The row numbers a text shows and the column edits that reach all its rows
// at once (the rest of TableText is in TableText.cpp).
#include "core/grid/TableText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

#include "core/grid/HugePages.h"
#include "core/grid/RowCells.h"

namespace tabulyst {

namespace {

constexpr unsigned kNumberChunkBits = 16;

// The digits of all numbers from 0 to below n.
std::uint64_t digitsBelow(std::uint64_t n) {
    std::uint64_t total = 0, low = 0, high = 10;
    for (unsigned digits = 1; low < n; ++digits, low = high, high *= 10) total += (std::min(high, n) - low) * digits;
    return total;
}

unsigned digitsOf(std::uint32_t n) {
    unsigned digits = 1;
    for (; n >= 10; n /= 10) ++digits;
    return digits;
}

}  // namespace

// --- row numbers ---

std::string_view TableText::numberText(std::uint32_t number) const {
    const std::size_t chunk = number >> kNumberChunkBits;
    if (chunk >= numberChunks_.size()) numberChunks_.resize(chunk + 1);
    if (!numberChunks_[chunk]) buildNumberChunk(chunk);
    const std::uint64_t first = std::uint64_t{chunk} << kNumberChunkBits;
    const std::uint64_t offset = digitsBelow(number) - digitsBelow(first);
    return {numberChunks_[chunk].get() + offset, digitsOf(number)};
}

void TableText::buildNumberChunk(std::size_t chunk) const {
    const std::uint64_t first = std::uint64_t{chunk} << kNumberChunkBits;
    const std::uint64_t last = std::min<std::uint64_t>(first + (1u << kNumberChunkBits), std::uint64_t{UINT32_MAX} + 1);
    auto digits = std::make_unique<char[]>(digitsBelow(last) - digitsBelow(first));
    char* out = digits.get();
    for (std::uint64_t n = first; n < last; ++n) out = std::to_chars(out, out + 10, n).ptr;
    numberChunks_[chunk] = std::move(digits);
}

bool TableText::parseNumber(std::string_view text, std::uint32_t& number) {
    if (text.empty() || text.size() > 10 || (text[0] == '0' && text.size() > 1)) return false;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    number = static_cast<std::uint32_t>(value);
    return true;
}

// --- column edits ---

void TableText::leavePristine() {
    if (!pristine_) return;
    // Made aside, so that running out of memory leaves the text as it was.
    std::vector<int> map;
    std::vector<std::uint32_t> readCells;
    reserveHuge(map, maxCells_);  // a line of a million fields
    reserveHuge(readCells, maxCells_ + 1);
    map.resize(maxCells_);
    for (std::uint32_t i = 0; i < maxCells_; ++i) map[i] = static_cast<int>(i);
    readCells.resize(maxCells_ + 1);
    for (std::uint32_t p = 0; p <= maxCells_; ++p) readCells[p] = p;
    std::vector<std::uint32_t> sizes;
    reserveHuge(sizes, maxCells_ + 1);
    sizes.resize(maxCells_ + 1);
    for (std::uint32_t p = 0; p <= maxCells_; ++p) sizes[p] = p;
    map_.swap(map);
    readCells_.swap(readCells);
    sizes_.swap(sizes);
    identity_ = true;
    pristine_ = false;
}

void TableText::recomputeSizes() {
    // The map is the identity while each of the line's cells shows at its own place and nothing after them.
    identity_ = map_.size() >= maxCells_;
    for (std::size_t j = 0; j < map_.size() && identity_; ++j)
        identity_ = j < maxCells_ ? map_[j] == static_cast<int>(j) : map_[j] < 0;
    // A line of p cells stores up to the last place that shows one of them.
    if (identity_) {
        // Each cell at its own place: p cells store p (a line of a million fields needs no map walk).
        reserveHuge(sizes_, maxCells_ + 1);
        sizes_.resize(maxCells_ + 1);
        for (std::uint32_t p = 0; p <= maxCells_; ++p) sizes_[p] = p;
        return;
    }
    std::vector<long long> placeOf(maxCells_, -1);
    for (std::size_t j = 0; j < map_.size(); ++j)
        if (map_[j] >= 0 && static_cast<std::uint32_t>(map_[j]) < maxCells_)
            placeOf[static_cast<std::size_t>(map_[j])] = static_cast<long long>(j);
    sizes_.assign(maxCells_ + 1, 0);
    long long last = -1;
    for (std::uint32_t p = 1; p <= maxCells_; ++p) {
        last = std::max(last, placeOf[p - 1]);
        sizes_[p] = static_cast<std::uint32_t>(last + 1);
    }
}

void TableText::insertCell(std::size_t index) {
    leavePristine();
    for (auto& read : readCells_)
        if (index < read) ++read;
    if (index >= map_.size()) return;
    map_.insert(map_.begin() + static_cast<std::ptrdiff_t>(index), -1);
    recomputeSizes();
}

void TableText::eraseCells(std::size_t first, std::size_t count) {
    leavePristine();
    for (auto& read : readCells_) read = RowCells::readCellsAfterErasing(read, first, count);
    if (first >= map_.size() || count == 0) return;
    const auto at = map_.begin() + static_cast<std::ptrdiff_t>(first);
    map_.erase(at, at + static_cast<std::ptrdiff_t>(std::min(count, map_.size() - first)));
    recomputeSizes();
}

void TableText::moveCell(std::size_t from, std::size_t to) {
    leavePristine();
    if (from == to || (from >= map_.size() && to >= map_.size())) return;
    map_.resize(std::max(map_.size(), std::max(from, to) + 1), -1);
    const int moved = map_[from];
    map_.erase(map_.begin() + static_cast<std::ptrdiff_t>(from));
    map_.insert(map_.begin() + static_cast<std::ptrdiff_t>(to), moved);
    while (!map_.empty() && map_.back() < 0) map_.pop_back();
    recomputeSizes();
}

void TableText::truncate(std::size_t count) {
    if (pristine_ && count >= maxCells_) return;  // every line keeps all its cells
    leavePristine();
    for (auto& read : readCells_)
        if (count < read) read = static_cast<std::uint32_t>(count);
    if (count >= map_.size()) return;
    map_.resize(count);
    recomputeSizes();
}

bool TableText::fieldsInPlace() const {
    if (pristine_) return true;
    if (map_.size() < maxCells_) return false;
    for (std::uint32_t p = 0; p < maxCells_; ++p)
        if (map_[p] != static_cast<int>(p)) return false;
    for (std::uint32_t p = 0; p <= maxCells_; ++p)
        if (readCells_[p] != p) return false;
    return true;
}

}  // namespace tabulyst
