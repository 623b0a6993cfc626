#pragma once
// One grid row. A row read from a file and not changed since shows its line of
// the file's TableText: a pointer, its line and its number, nothing else. Any
// other row lives in a single heap block of its own: cell count, end offsets,
// then the bytes, one allocation per row instead of one per cell. Moving a row
// is moving sixteen bytes either way. Writing a cell of a line's row gives the
// row its own block (writing the number cell keeps it on its line). The row
// also knows how many cells it was read with, so a short line goes back into
// its file short.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tabulyst {

class TableText;

class RowCells {
public:
    // The read count of a row the editor made (inserted, duplicated, a new table): written at full width.
    static constexpr std::uint32_t kMadeByEditor = UINT32_MAX;

    RowCells() : block_(nullptr) {}
    // A copy always has its own block: it may outlive the text it was read from.
    RowCells(const RowCells& other);
    RowCells& operator=(const RowCells& other);
    RowCells(RowCells&& other) noexcept : block_(other.block_), line_(other.line_), extra_(other.extra_) {
        other.block_ = nullptr;
        other.line_ = kOwnBlock;
    }
    RowCells& operator=(RowCells&& other) noexcept;
    ~RowCells();

    // Builds a row from its cells in order; readCells as for setReadCells.
    static RowCells fromCells(std::span<const std::string_view> cells, std::uint32_t readCells = kMadeByEditor);
    // A row of count cells made by the editor: the cells of kept, then from
    // there on each cell's own index as its number, written straight into its
    // block (the column numbers of a million columns).
    static RowCells numbered(std::span<const std::string_view> kept, std::uint32_t count);
    // The row of a text's line, showing number in its number cell. The text must
    // outlive the row (the grid keeps the text of the rows it holds).
    static RowCells onLine(const TableText& text, std::uint32_t line, std::uint32_t number) {
        return RowCells(text, line, number);
    }
    // The same, made in place (a million rows are).
    RowCells(const TableText& text, std::uint32_t line, std::uint32_t number);
    // The text the row shows a line of, or nullptr when it has its own block.
    const TableText* text() const { return line_ == kOwnBlock ? nullptr : text_; }
    std::uint32_t line() const { return line_; }

    // How many cells, from index 0 on, the row's line was read with, or
    // kMadeByEditor. Inserting or erasing a cell inside that count moves it along.
    std::uint32_t readCells() const { return line_ == kOwnBlock ? extra_ : lineReadCells(); }
    void setReadCells(std::uint32_t count);
    bool madeByEditor() const { return readCells() == kMadeByEditor; }
    // The read count once count cells from first on are erased.
    static std::uint32_t readCellsAfterErasing(std::uint32_t readCells, std::size_t first, std::size_t count);
    // How many cells, from index 0 on, a delimited file gets back: those the
    // row was read with, or up to its last non-empty cell when that lies
    // further right; every cell the grid has (SIZE_MAX) for a row the editor made.
    std::size_t writtenCells() const;

    // Cells stored; cells at or beyond it read as empty.
    std::uint32_t size() const { return line_ == kOwnBlock ? ownSize() : lineSize(); }
    bool empty() const { return size() == 0; }
    std::string_view cell(std::size_t index) const;
    // Whether the cell was a quoted field of the row's line: kept through
    // edits of the row, so that an edited row writes it in quotes again.
    bool wasQuoted(std::size_t index) const;
    // All bytes of the row, cell after cell without separators.
    std::size_t byteSize() const;

    void setCell(std::size_t index, std::string_view text);
    // Inserts an empty cell before index (nothing to do past the stored cells).
    void insertCell(std::size_t index);
    // Removes the cell at index; the following cells move one to the left.
    void eraseCells(std::size_t first, std::size_t count);
    // Moves the cell at from to position to, shifting the cells between.
    void moveCell(std::size_t from, std::size_t to);
    // Drops the cells from count on.
    void truncate(std::size_t count);
    // Drops every cell; the row counts as made by the editor again.
    void clear();

private:
    static constexpr std::uint32_t kOwnBlock = UINT32_MAX;  // line_ of a row with its own block

    // Gives a line's row its own block with the same cells (nothing for any other row).
    void ownBlock() {
        if (line_ != kOwnBlock) ownBlockOfLine();
    }
    void ownBlockOfLine();
    std::uint32_t lineReadCells() const;
    std::uint32_t lineSize() const;
    // Frees the own block, or tells the text that the row no longer shows its line.
    void release();
    const std::uint32_t* header() const { return reinterpret_cast<const std::uint32_t*>(block_); }
    std::uint32_t* header() { return reinterpret_cast<std::uint32_t*>(block_); }
    std::uint32_t ownSize() const { return block_ ? header()[0] : 0; }
    const char* bytes() const { return block_ + (1 + ownSize()) * sizeof(std::uint32_t); }
    static char* allocate(std::uint32_t count, std::size_t byteCount);
    // An own block's end words carry in their top bit whether the cell was quoted.
    static constexpr std::uint32_t kQuotedBit = 0x80000000u;
    static constexpr std::uint32_t kEndBits = kQuotedBit - 1;
    std::size_t begin(std::size_t index) const { return index == 0 ? 0 : header()[index] & kEndBits; }
    std::size_t end(std::size_t index) const { return header()[index + 1] & kEndBits; }
    // fromCells, with each cell's quoted bit from quoted(index).
    template <class Quoted>
    static RowCells build(std::span<const std::string_view> cells, std::uint32_t readCells, Quoted quoted);

    union {
        char* block_;             // own block, nullptr while empty
        const TableText* text_;   // the text of a line's row
    };
    std::uint32_t line_ = kOwnBlock;
    std::uint32_t extra_ = kMadeByEditor;  // own block: the read count; line's row: its number
};

}  // namespace tabulyst
