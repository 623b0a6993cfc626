#pragma once
// A table file's text as it was read: all its bytes in one buffer and, per
// line, where the line starts and where each of its fields ends, worked out
// once while reading. Rows the user has not changed show their cells straight
// from here (see RowCells), so a million-row file costs little more than its
// own size, and saving can write untouched lines back as they stand. Column
// edits reach all these rows at once through one column map; a row number
// cell is kept as a number per row and shown from a shared table of digits.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/grid/ChunkedArray.h"

namespace tabulyst {

class TableText {
public:
    // How lines were cut: at a delimiter (decoded), or into field lengths.
    TableText(bool delimited, std::string delimiter, std::vector<int> fieldLengths);
    ~TableText();
    TableText(const TableText&) = delete;
    TableText& operator=(const TableText&) = delete;

    // --- filling, while reading ---
    // Room for size bytes of text (and a little slack behind them); what the
    // buffer held is kept. Returns the buffer.
    char* reserve(std::size_t size);
    char* data() { return data_; }
    std::size_t capacity() const { return capacity_; }
    const char* data() const { return data_; }
    // How many bytes of the buffer are text.
    void setSize(std::size_t size);
    std::size_t size() const { return size_; }
    // Lines come in order: first the end of each of the line's fields, counted
    // from the line's start, then the line itself with where it starts and
    // the index its first field end got (endCount() before the first of them).
    void addEnd(std::size_t end) {
        if (!wideEnds_ && end <= 0xFFFF) ends16_.push_back(static_cast<std::uint16_t>(end));
        else addWideEnd(end);
    }
    std::size_t endCount() const { return wideEnds_ ? ends32_.size() : ends16_.size(); }
    // The quick way for ends below 65536 while no end took 32 bits: room to
    // write them in place (nullptr once ends take 32 bits), then how many were written.
    std::uint16_t* endRoom(std::size_t& room) {
        if (wideEnds_) return nullptr;
        return ends16_.room(room);
    }
    void endsWritten(std::size_t count) { ends16_.grow(count); }
    // Forgets the ends from count on (a line split again, or one not closed).
    void dropEnds(std::size_t count) { shrinkEnds(count); }
    void addLine(std::size_t start, std::size_t firstEnd);
    // Closes the text; afterwards lines and cells can be read. Ends after the
    // last line are dropped.
    void finish();
    std::uint32_t lineCount() const { return lines_; }
    // The most cells a line has: its number and its fields.
    std::uint32_t maxCells() const { return maxCells_; }

    // Calls f(p, field) for the fields of a line as read, p from 1 on.
    template <class F>
    void forEachField(std::uint32_t line, F&& f) const {
        const LineSpan l = lineAt(line);
        const std::uint64_t fields = lineAt(line + 1).firstEnd - l.firstEnd;
        const char* text = data_ + l.start;
        std::size_t begin = 0;
        for (std::uint64_t p = 1; p <= fields; ++p) {
            const std::size_t end = endAt(l.firstEnd + p - 1);
            f(static_cast<std::size_t>(p), std::string_view(text + begin, end - begin));
            begin = end + gap_;
        }
    }

    // --- the cells of a line, as RowCells shows them ---
    // The cells a line was read with: its number and its fields.
    std::uint32_t cellCount(std::uint32_t line) const {
        return static_cast<std::uint32_t>(lineAt(line + 1).firstEnd - lineAt(line).firstEnd + 1);
    }
    std::string_view cell(std::uint32_t line, std::uint32_t number, std::size_t index) const;
    std::uint32_t readCells(std::uint32_t line) const { return readCells_[cellCount(line)]; }
    std::uint32_t storedCells(std::uint32_t line) const { return sizes_[cellCount(line)]; }
    // How many rows show a line of this text; a row counts itself in and out.
    void rowShown() const { ++rowsShown_; }
    void rowGone() const { --rowsShown_; }
    std::size_t rowsShown() const { return rowsShown_; }
    // Whether the cell at index shows a line's number.
    bool showsNumber(std::size_t index) const { return index < map_.size() && map_[index] == 0; }
    // The decimal text of a number, valid as long as this text lives.
    std::string_view numberText(std::uint32_t number) const;
    // A number's text as numberText writes it, read back; false for any other text.
    static bool parseNumber(std::string_view text, std::uint32_t& number);

    // --- column edits, for all lines at once, as RowCells does them for one row ---
    void insertCell(std::size_t index);
    void eraseCell(std::size_t index);
    void moveCell(std::size_t from, std::size_t to);
    void truncate(std::size_t count);

    // --- saving ---
    // Whether every line's fields are still the cells they were read into, and
    // how they were cut: an untouched line is then written as its text stands.
    bool fieldsInPlace() const;
    bool delimited() const { return delimited_; }
    const std::string& delimiter() const { return delimiter_; }
    const std::vector<int>& fieldLengths() const { return fieldLengths_; }
    // The line's fields with what lies between them, without its line end (the
    // text decoded, for a decoded UTF-8 file).
    std::string_view lineText(std::uint32_t line) const;

private:
    struct LineSpan {
        std::uint64_t start;
        std::uint64_t firstEnd;  // index of the line's first field end
    };
    struct NarrowLine {
        std::uint32_t start;
        std::uint32_t firstEnd;
    };
    LineSpan lineAt(std::uint32_t line) const {
        if (wideLines_) return {wide_[line].start, wide_[line].firstEnd};
        const NarrowLine l = narrow_[line];
        return {l.start, l.firstEnd};
    }
    std::size_t endAt(std::uint64_t index) const {
        return wideEnds_ ? ends32_[static_cast<std::size_t>(index)] : ends16_[static_cast<std::size_t>(index)];
    }
    void addWideEnd(std::size_t end);
    void shrinkEnds(std::size_t count);
    void pushLine(std::size_t start, std::size_t firstEnd);
    void recomputeSizes();
    void buildNumberChunk(std::size_t chunk) const;

    bool delimited_;
    std::string delimiter_;
    std::vector<int> fieldLengths_;
    std::size_t gap_;  // bytes between two fields

    char* data_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;

    bool wideLines_ = false;  // texts from 2 GiB on
    // Chunks of 8 MiB: few allocations, each given back whole.
    ChunkedArray<NarrowLine, 20> narrow_;
    ChunkedArray<LineSpan, 19> wide_;
    bool wideEnds_ = false;   // a line of 64 KiB or more
    ChunkedArray<std::uint16_t, 22> ends16_;
    ChunkedArray<std::uint32_t, 21> ends32_;
    std::uint32_t lines_ = 0;
    std::size_t closedEnds_ = 0;  // the ends of the lines added
    std::uint32_t maxCells_ = 0;

    // Logical cell index -> the line's cell it shows (0 the number, p the
    // field p), -1 for an empty cell.
    std::vector<int> map_;
    // By the cells a line was read with: its read count and stored cells now.
    std::vector<std::uint32_t> readCells_;
    std::vector<std::uint32_t> sizes_;

    mutable std::size_t rowsShown_ = 0;
    // The decimal texts of the numbers, 65536 to a chunk, made when first shown.
    mutable std::vector<std::unique_ptr<char[]>> numberChunks_;
};

}  // namespace tabulyst
