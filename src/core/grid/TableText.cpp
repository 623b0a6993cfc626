#include "core/grid/TableText.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/grid/RowCells.h"

namespace tabulyst {

namespace {

constexpr std::size_t kSlack = 64;  // readable bytes behind the text, for word-wise scanning
constexpr unsigned kNumberChunkBits = 16;
constexpr std::uint64_t kWideText = std::uint64_t{2} << 30;  // from here line starts and end indexes take 64 bits

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

TableText::TableText(bool delimited, std::string delimiter, std::vector<int> fieldLengths)
    : delimited_(delimited),
      delimiter_(std::move(delimiter)),
      fieldLengths_(std::move(fieldLengths)),
      gap_(delimited ? delimiter_.size() : 0) {}

TableText::~TableText() { std::free(data_); }

char* TableText::reserve(std::size_t size) {
    if (size <= capacity_) return data_;
    auto* fresh = static_cast<char*>(std::malloc(size + kSlack));
    if (!fresh) throw std::bad_alloc();
    if (size_ > 0) std::memcpy(fresh, data_, size_);
    std::free(data_);
    data_ = fresh;
    capacity_ = size;
    return data_;
}

void TableText::setSize(std::size_t size) {
    size_ = std::min(size, capacity_);
    if (data_) std::memset(data_ + size_, 0, kSlack);
    wideLines_ = size_ >= kWideText;
}

void TableText::pushLine(std::size_t start, std::size_t firstEnd) {
    if (wideLines_) wide_.push_back({start, firstEnd});
    else narrow_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(firstEnd)});
}

void TableText::addLine(std::size_t start, std::size_t firstEnd) {
    pushLine(start, firstEnd);
    closedEnds_ = endCount();
    maxCells_ = std::max(maxCells_, static_cast<std::uint32_t>(closedEnds_ - firstEnd + 1));
    ++lines_;
}

void TableText::addWideEnd(std::size_t end) {
    if (!wideEnds_) {
        // A line of 64 KiB or more: every end takes 32 bits from now on.
        for (std::size_t i = 0; i < ends16_.size(); ++i) ends32_.push_back(ends16_[i]);
        ends16_.clear();
        wideEnds_ = true;
    }
    ends32_.push_back(static_cast<std::uint32_t>(end));
}

void TableText::shrinkEnds(std::size_t count) {
    if (wideEnds_) ends32_.shrink(count);
    else ends16_.shrink(count);
}

void TableText::finish() {
    shrinkEnds(closedEnds_);
    pushLine(size_, closedEnds_);  // the end of the last line's fields is the next start's first end
    maxCells_ = std::max<std::uint32_t>(maxCells_, 1);
    map_.resize(maxCells_);
    for (std::uint32_t i = 0; i < maxCells_; ++i) map_[i] = static_cast<int>(i);
    readCells_.resize(maxCells_ + 1);
    for (std::uint32_t p = 0; p <= maxCells_; ++p) readCells_[p] = p;
    recomputeSizes();
}

std::string_view TableText::cell(std::uint32_t line, std::uint32_t number, std::size_t index) const {
    if (index >= map_.size()) return {};
    const int physical = map_[index];
    if (physical < 0) return {};
    if (physical == 0) return numberText(number);
    const LineSpan l = lineAt(line);
    const std::uint64_t fields = lineAt(line + 1).firstEnd - l.firstEnd;
    const auto p = static_cast<std::uint64_t>(physical);
    if (p > fields) return {};
    const std::size_t end = endAt(l.firstEnd + p - 1);
    const std::size_t begin = p == 1 ? 0 : endAt(l.firstEnd + p - 2) + gap_;
    return {data_ + l.start + begin, end - begin};
}

std::string_view TableText::lineText(std::uint32_t line) const {
    const LineSpan l = lineAt(line);
    const std::uint64_t fields = lineAt(line + 1).firstEnd - l.firstEnd;
    return {data_ + l.start, fields == 0 ? 0 : endAt(l.firstEnd + fields - 1)};
}

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

void TableText::recomputeSizes() {
    // A line of p cells stores up to the last place that shows one of them.
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
    for (auto& read : readCells_)
        if (index < read) ++read;
    if (index >= map_.size()) return;
    map_.insert(map_.begin() + static_cast<std::ptrdiff_t>(index), -1);
    recomputeSizes();
}

void TableText::eraseCell(std::size_t index) {
    for (auto& read : readCells_) read = RowCells::readCellsAfterErasing(read, index, 1);
    if (index >= map_.size()) return;
    map_.erase(map_.begin() + static_cast<std::ptrdiff_t>(index));
    recomputeSizes();
}

void TableText::moveCell(std::size_t from, std::size_t to) {
    if (from == to || (from >= map_.size() && to >= map_.size())) return;
    map_.resize(std::max(map_.size(), std::max(from, to) + 1), -1);
    const int moved = map_[from];
    map_.erase(map_.begin() + static_cast<std::ptrdiff_t>(from));
    map_.insert(map_.begin() + static_cast<std::ptrdiff_t>(to), moved);
    while (!map_.empty() && map_.back() < 0) map_.pop_back();
    recomputeSizes();
}

void TableText::truncate(std::size_t count) {
    for (auto& read : readCells_)
        if (count < read) read = static_cast<std::uint32_t>(count);
    if (count >= map_.size()) return;
    map_.resize(count);
    recomputeSizes();
}

bool TableText::fieldsInPlace() const {
    if (map_.size() < maxCells_) return false;
    for (std::uint32_t p = 0; p < maxCells_; ++p)
        if (map_[p] != static_cast<int>(p)) return false;
    for (std::uint32_t p = 0; p <= maxCells_; ++p)
        if (readCells_[p] != p) return false;
    return true;
}

}  // namespace tabulyst
