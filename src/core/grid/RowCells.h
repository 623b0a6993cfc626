#pragma once
// One grid row in a single heap block: cell count, end offsets, then the bytes.
// A million-row table keeps one allocation per row instead of one per cell,
// and moving a row is moving one pointer. Beside the block the row keeps how
// many cells it was read with, so a short line goes back into its file short.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tabulyst {

class RowCells {
public:
    // The read count of a row the editor made (inserted, duplicated, a new table): written at full width.
    static constexpr std::uint32_t kMadeByEditor = UINT32_MAX;

    RowCells() = default;
    RowCells(const RowCells& other);
    RowCells& operator=(const RowCells& other);
    RowCells(RowCells&& other) noexcept : block_(other.block_), readCells_(other.readCells_) {
        other.block_ = nullptr;
    }
    RowCells& operator=(RowCells&& other) noexcept;
    ~RowCells();

    // Builds a row from its cells in order; readCells as for setReadCells.
    static RowCells fromCells(std::span<const std::string_view> cells, std::uint32_t readCells = kMadeByEditor);

    // How many cells, from index 0 on, the row's line was read with, or
    // kMadeByEditor. Inserting or erasing a cell inside that count moves it along.
    std::uint32_t readCells() const { return readCells_; }
    void setReadCells(std::uint32_t count) { readCells_ = count; }
    bool madeByEditor() const { return readCells_ == kMadeByEditor; }
    // The read count once count cells from first on are erased.
    static std::uint32_t readCellsAfterErasing(std::uint32_t readCells, std::size_t first, std::size_t count);
    // How many cells, from index 0 on, a delimited file gets back: those the
    // row was read with, or up to its last non-empty cell when that lies
    // further right; every cell the grid has (SIZE_MAX) for a row the editor made.
    std::size_t writtenCells() const;

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
    // Drops every cell; the row counts as made by the editor again.
    void clear();

private:
    const std::uint32_t* header() const { return reinterpret_cast<const std::uint32_t*>(block_); }
    std::uint32_t* header() { return reinterpret_cast<std::uint32_t*>(block_); }
    const char* bytes() const { return block_ + (1 + size()) * sizeof(std::uint32_t); }
    static char* allocate(std::uint32_t count, std::size_t byteCount);
    std::size_t begin(std::size_t index) const { return index == 0 ? 0 : header()[index]; }
    std::size_t end(std::size_t index) const { return header()[index + 1]; }

    char* block_ = nullptr;
    std::uint32_t readCells_ = kMadeByEditor;
};

}  // namespace tabulyst
