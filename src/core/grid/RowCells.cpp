#include "core/grid/RowCells.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/grid/HugePages.h"
#include "core/grid/MemoryRequests.h"
#include "core/grid/TableText.h"

namespace tabulyst {

namespace {
constexpr std::size_t kWord = sizeof(std::uint32_t);
}

char* RowCells::allocate(std::uint32_t count, std::size_t byteCount) {
    if (byteCount > kEndBits) throw std::length_error("Eine Zeile darf höchstens 2 GiB lang werden.");
    auto* block = memoryRequestRefused() ? nullptr : static_cast<char*>(std::malloc((1 + count) * kWord + byteCount));
    if (!block) throw std::bad_alloc();
    preferHugePages(block, (1 + count) * kWord + byteCount);  // a line of a million fields
    reinterpret_cast<std::uint32_t*>(block)[0] = count;
    return block;
}

RowCells::RowCells(const RowCells& other) : block_(nullptr), extra_(other.extra_) {
    if (other.text()) {
        RowCells copy;
        copy.text_ = other.text_;
        copy.line_ = other.line_;
        copy.extra_ = other.extra_;
        other.text_->rowShown();  // the copy shows the line until it has its own block
        copy.ownBlock();
        *this = std::move(copy);
        return;
    }
    if (!other.block_) return;
    std::size_t total = (1 + other.ownSize()) * kWord + other.byteSize();
    block_ = memoryRequestRefused() ? nullptr : static_cast<char*>(std::malloc(total));
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
        release();
        block_ = other.block_;
        line_ = other.line_;
        extra_ = other.extra_;
        other.block_ = nullptr;
        other.line_ = kOwnBlock;
    }
    return *this;
}

RowCells::~RowCells() { release(); }

void RowCells::release() {
    if (line_ == kOwnBlock) std::free(block_);
    else text_->rowGone();
}

RowCells RowCells::fromCells(std::span<const std::string_view> cells, std::uint32_t readCells) {
    return build(cells, readCells, [](std::size_t) { return false; });
}

template <class Quoted>
RowCells RowCells::build(std::span<const std::string_view> cells, std::uint32_t readCells, Quoted quoted) {
    RowCells row;
    row.extra_ = readCells;
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
        ends[i] = pos | (quoted(i) ? kQuotedBit : 0);
    }
    return row;
}

RowCells RowCells::numbered(std::span<const std::string_view> kept, std::uint32_t count) {
    RowCells row;
    if (count == 0) return row;
    const std::size_t from = std::min<std::size_t>(kept.size(), count);
    std::size_t total = 0;
    for (std::size_t c = 0; c < from; ++c) total += kept[c].size();
    // The digits of the numbers from to count - 1.
    if (from == 0) total += 1;  // "0"
    for (std::size_t low = 1, digits = 1; low < count; low *= 10, ++digits)
        if (low * 10 > from) total += (std::min<std::size_t>(count, low * 10) - std::max(low, from)) * digits;
    row.block_ = allocate(count, total);
    std::uint32_t* ends = row.header() + 1;
    char* const bytes = row.block_ + (1 + count) * kWord;
    char* out = bytes;
    for (std::size_t c = 0; c < from; ++c) {
        out = std::copy(kept[c].begin(), kept[c].end(), out);
        ends[c] = static_cast<std::uint32_t>(out - bytes);
    }
    for (std::size_t c = from; c < count; ++c) {
        out = std::to_chars(out, bytes + total, c).ptr;
        ends[c] = static_cast<std::uint32_t>(out - bytes);
    }
    return row;
}

RowCells::RowCells(const TableText& text, std::uint32_t line, std::uint32_t number)
    : text_(&text), line_(line), extra_(number) {
    text.rowShown();
}

void RowCells::ownBlockOfLine() {
    const std::uint32_t n = size();
    std::vector<std::string_view> cells(n);
    for (std::uint32_t i = 0; i < n; ++i) cells[i] = cell(i);
    *this = build(cells, readCells(), [this](std::size_t i) { return wasQuoted(i); });
}

bool RowCells::wasQuoted(std::size_t index) const {
    if (text()) return text_->wasQuoted(line_, index);
    return index < ownSize() && (header()[index + 1] & kQuotedBit) != 0;
}

std::uint32_t RowCells::lineReadCells() const { return text_->readCells(line_); }

void RowCells::setReadCells(std::uint32_t count) {
    ownBlock();
    extra_ = count;
}

std::uint32_t RowCells::lineSize() const { return text_->storedCells(line_); }

std::string_view RowCells::cell(std::size_t index) const {
    if (text()) return text_->cell(line_, extra_, index);
    if (index >= ownSize()) return {};
    std::size_t b = begin(index);
    return {bytes() + b, end(index) - b};
}

std::size_t RowCells::writtenCells() const {
    if (madeByEditor()) return SIZE_MAX;
    const std::uint32_t read = readCells();
    std::size_t last = size();
    while (last > read && cell(last - 1).empty()) --last;
    return std::max<std::size_t>(last, read);
}

std::size_t RowCells::byteSize() const {
    if (text()) {
        std::size_t total = 0;
        for (std::uint32_t i = 0, n = size(); i < n; ++i) total += cell(i).size();
        return total;
    }
    std::uint32_t n = ownSize();
    return n == 0 ? 0 : header()[n] & kEndBits;
}

void RowCells::setCell(std::size_t index, std::string_view text) {
    if (this->text()) {
        std::uint32_t number = 0;
        if (text_->showsNumber(index) && TableText::parseNumber(text, number)) {
            extra_ = number;  // the row stays on its line
            return;
        }
        const std::uint32_t n = size();
        if (index >= n && text.empty()) return;  // cells past the stored ones are empty already
        // The new block takes the new text at once: one allocation, whatever its length.
        std::vector<std::string_view> cells(std::max<std::size_t>(n, index + 1));
        for (std::uint32_t i = 0; i < n; ++i) cells[i] = cell(i);
        cells[index] = text;
        *this = build(cells, readCells(), [this](std::size_t i) { return wasQuoted(i); });
        return;
    }
    std::uint32_t n = ownSize();
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
    *this = build(cells, extra_, [this](std::size_t i) { return wasQuoted(i); });
}

void RowCells::insertCell(std::size_t index) {
    ownBlock();
    if (!madeByEditor() && index < extra_) ++extra_;
    const std::uint32_t n = ownSize();
    if (index >= n) return;
    // One new block: the ends shift by one word, the bytes stay as they are.
    const std::size_t total = byteSize();
    char* block = allocate(n + 1, total);
    auto* ends = reinterpret_cast<std::uint32_t*>(block) + 1;
    const std::uint32_t* old = header() + 1;
    std::memcpy(ends, old, index * kWord);
    ends[index] = static_cast<std::uint32_t>(begin(index));
    std::memcpy(ends + index + 1, old + index, (n - index) * kWord);
    std::memcpy(block + (2 + n) * kWord, bytes(), total);
    std::free(block_);
    block_ = block;
}

std::uint32_t RowCells::readCellsAfterErasing(std::uint32_t readCells, std::size_t first, std::size_t count) {
    if (readCells == kMadeByEditor || first >= readCells) return readCells;
    return static_cast<std::uint32_t>(first + (readCells - first > count ? readCells - first - count : 0));
}

void RowCells::eraseCells(std::size_t first, std::size_t count) {
    ownBlock();
    extra_ = readCellsAfterErasing(extra_, first, count);
    const std::uint32_t n = ownSize();
    if (first >= n || count == 0) return;
    count = std::min<std::size_t>(count, n - first);
    // In place: the ends after them lose the cells' length, and the bytes move
    // up by the cells and by the end words that go.
    const std::size_t b = begin(first), e = end(first + count - 1), total = byteSize();
    std::uint32_t* head = header();
    for (std::size_t i = first + 1; i + count <= n; ++i) head[i] = head[i + count] - static_cast<std::uint32_t>(e - b);
    head[0] = n - static_cast<std::uint32_t>(count);
    char* data = block_ + (1 + n) * kWord;
    char* moved = block_ + (1 + n - count) * kWord;
    std::memmove(moved, data, b);
    std::memmove(moved + b, data + e, total - e);
}

void RowCells::moveCell(std::size_t from, std::size_t to) {
    if (from == to) return;
    ownBlock();
    std::uint32_t n = ownSize();
    std::size_t count = std::max<std::size_t>(n, std::max(from, to) + 1);
    if (from >= n && to >= n) return;  // both empty
    std::vector<std::string_view> cells;
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i) cells.push_back(cell(i));
    std::string_view moved = cells[from];
    cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(from));
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(to), moved);
    // Where each cell came from, for its quoted bit.
    auto source = [from, to](std::size_t i) {
        if (i == to) return from;
        if (from < to && i >= from && i < to) return i + 1;
        if (to < from && i > to && i <= from) return i - 1;
        return i;
    };
    *this = build(cells, extra_, [this, &source](std::size_t i) { return wasQuoted(source(i)); });
}

void RowCells::truncate(std::size_t count) {
    ownBlock();
    if (!madeByEditor() && count < extra_) extra_ = static_cast<std::uint32_t>(count);
    std::uint32_t n = ownSize();
    if (count >= n) return;
    std::vector<std::string_view> cells;
    cells.reserve(count);
    for (std::size_t i = 0; i < count; ++i) cells.push_back(cell(i));
    *this = build(cells, extra_, [this](std::size_t i) { return wasQuoted(i); });
}

void RowCells::clear() {
    release();
    block_ = nullptr;
    line_ = kOwnBlock;
    extra_ = kMadeByEditor;
}

}  // namespace tabulyst
