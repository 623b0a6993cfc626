#pragma once
// One grid row in a single heap block: cell count, end offsets, then the bytes.
// A million-row table keeps one allocation per row instead of one per cell,
// and moving a row is moving one pointer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tabulyst {

class RowCells {
public:
    RowCells() = default;
    RowCells(const RowCells& other);
    RowCells& operator=(const RowCells& other);
    RowCells(RowCells&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    RowCells& operator=(RowCells&& other) noexcept;
    ~RowCells();

    // Builds a row from its cells in order.
    static RowCells fromCells(std::span<const std::string_view> cells);

    // Cells stored; cells at or beyond it read as empty.
    std::uint32_t size() const { return block_ ? header()[0] : 0; }
    bool empty() const { return size() == 0; }
    std::string_view cell(std::size_t index) const;
    // All bytes of the row, cell after cell without separators.
    std::size_t byteSize() const;

    void setCell(std::size_t index, std::string_view text);
    // Inserts an empty cell before index (nothing to do past the stored cells).
    void insertCell(std::size_t index);
    // Removes the cell at index; the following cells move one to the left.
    void eraseCell(std::size_t index);
    // Moves the cell at from to position to, shifting the cells between.
    void moveCell(std::size_t from, std::size_t to);
    // Drops the cells from count on.
    void truncate(std::size_t count);
    void clear();

private:
    const std::uint32_t* header() const { return reinterpret_cast<const std::uint32_t*>(block_); }
    std::uint32_t* header() { return reinterpret_cast<std::uint32_t*>(block_); }
    const char* bytes() const { return block_ + (1 + size()) * sizeof(std::uint32_t); }
    static char* allocate(std::uint32_t count, std::size_t byteCount);
    std::size_t begin(std::size_t index) const { return index == 0 ? 0 : header()[index]; }
    std::size_t end(std::size_t index) const { return header()[index + 1]; }

    char* block_ = nullptr;
};

}  // namespace tabulyst
