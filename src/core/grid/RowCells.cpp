#include "core/grid/RowCells.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulyst {

namespace {
constexpr std::size_t kWord = sizeof(std::uint32_t);
}

char* RowCells::allocate(std::uint32_t count, std::size_t byteCount) {
    if (byteCount > UINT32_MAX) throw std::length_error("row longer than 4 GiB");
    auto* block = static_cast<char*>(std::malloc((1 + count) * kWord + byteCount));
    if (!block) throw std::bad_alloc();
    reinterpret_cast<std::uint32_t*>(block)[0] = count;
    return block;
}

RowCells::RowCells(const RowCells& other) : readCells_(other.readCells_) {
    if (!other.block_) return;
    std::size_t total = (1 + other.size()) * kWord + other.byteSize();
    block_ = static_cast<char*>(std::malloc(total));
    if (!block_) throw std::bad_alloc();
    std::memcpy(block_, other.block_, total);
}

RowCells& RowCells::operator=(const RowCells& other) {
    if (this != &other) {
        RowCells copy(other);
        *this = std::move(copy);
    }
    return *this;
}

RowCells& RowCells::operator=(RowCells&& other) noexcept {
    if (this != &other) {
        std::free(block_);
        block_ = other.block_;
        readCells_ = other.readCells_;
        other.block_ = nullptr;
    }
    return *this;
}

RowCells::~RowCells() { std::free(block_); }

RowCells RowCells::fromCells(std::span<const std::string_view> cells, std::uint32_t readCells) {
    RowCells row;
    row.readCells_ = readCells;
    if (cells.empty()) return row;
    std::size_t total = 0;
    for (auto c : cells) total += c.size();
    auto count = static_cast<std::uint32_t>(cells.size());
    row.block_ = allocate(count, total);
    std::uint32_t* ends = row.header() + 1;
    char* out = row.block_ + (1 + count) * kWord;
    std::uint32_t pos = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!cells[i].empty()) std::memcpy(out + pos, cells[i].data(), cells[i].size());
        pos += static_cast<std::uint32_t>(cells[i].size());
        ends[i] = pos;
    }
    return row;
}

std::string_view RowCells::cell(std::size_t index) const {
    if (index >= size()) return {};
    std::size_t b = begin(index);
    return {bytes() + b, end(index) - b};
}

std::size_t RowCells::writtenCells() const {
    if (madeByEditor()) return SIZE_MAX;
    std::size_t last = size();
    while (last > readCells_ && cell(last - 1).empty()) --last;
    return std::max<std::size_t>(last, readCells_);
}

std::size_t RowCells::byteSize() const {
    std::uint32_t n = size();
    return n == 0 ? 0 : header()[n];
}

void RowCells::setCell(std::size_t index, std::string_view text) {
    std::uint32_t n = size();
    if (index < n) {
        std::size_t b = begin(index), e = end(index);
        char* data = block_ + (1 + n) * kWord;
        if (e - b == text.size()) {  // same length: overwrite in place
            if (!text.empty()) std::memmove(data + b, text.data(), text.size());
            return;
        }
        if (text.size() < e - b) {
            // Shorter: the text first (it may lie in this row, never where it
            // is written over before being read), then the rest of the row
            // moves up; the block keeps its size.
            const std::size_t shrink = e - b - text.size();
            if (!text.empty()) std::memmove(data + b, text.data(), text.size());
            std::memmove(data + e - shrink, data + e, byteSize() - e);
            for (std::uint32_t i = static_cast<std::uint32_t>(index); i < n; ++i)
                header()[i + 1] -= static_cast<std::uint32_t>(shrink);
            return;
        }
    } else if (text.empty()) {
        return;  // cells past the stored ones are empty already
    }
    std::vector<std::string_view> cells;
    std::uint32_t count = std::max<std::uint32_t>(n, static_cast<std::uint32_t>(index + 1));
    cells.reserve(count);
    std::string keep(text);  // text may point into this row
    for (std::uint32_t i = 0; i < count; ++i) cells.push_back(i == index ? std::string_view(keep) : cell(i));
    *this = fromCells(cells, readCells_);
}

void RowCells::insertCell(std::size_t index) {
    if (!madeByEditor() && index < readCells_) ++readCells_;
    std::uint32_t n = size();
    if (index >= n) return;
    std::vector<std::string_view> cells;
    cells.reserve(n + 1);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (i == index) cells.emplace_back();
        cells.push_back(cell(i));
    }
    *this = fromCells(cells, readCells_);
}

std::uint32_t RowCells::readCellsAfterErasing(std::uint32_t readCells, std::size_t first, std::size_t count) {
    if (readCells == kMadeByEditor || first >= readCells) return readCells;
    return static_cast<std::uint32_t>(first + (readCells - first > count ? readCells - first - count : 0));
}

void RowCells::eraseCell(std::size_t index) {
    readCells_ = readCellsAfterErasing(readCells_, index, 1);
    std::uint32_t n = size();
    if (index >= n) return;
    std::vector<std::string_view> cells;
    cells.reserve(n - 1);
    for (std::uint32_t i = 0; i < n; ++i)
        if (i != index) cells.push_back(cell(i));
    *this = fromCells(cells, readCells_);
}

void RowCells::moveCell(std::size_t from, std::size_t to) {
    if (from == to) return;
    std::uint32_t n = size();
    std::size_t count = std::max<std::size_t>(n, std::max(from, to) + 1);
    if (from >= n && to >= n) return;  // both empty
    std::vector<std::string_view> cells;
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i) cells.push_back(cell(i));
    std::string_view moved = cells[from];
    cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(from));
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(to), moved);
    *this = fromCells(cells, readCells_);
}

void RowCells::truncate(std::size_t count) {
    if (!madeByEditor() && count < readCells_) readCells_ = static_cast<std::uint32_t>(count);
    std::uint32_t n = size();
    if (count >= n) return;
    std::vector<std::string_view> cells;
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i) cells.push_back(cell(i));
    *this = fromCells(cells, readCells_);
}

void RowCells::clear() {
    std::free(block_);
    block_ = nullptr;
    readCells_ = kMadeByEditor;
}

}  // namespace tabulyst
