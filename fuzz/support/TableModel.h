#pragma once
// What the design says a table file holds and how it is written back, built
// from the rules rather than from the reader's code: where the lines end,
// what the cells are, and the bytes a save without edits produces.
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst::fuzz {

struct FileLines {
    std::vector<std::string_view> lines;
    bool carriageReturns = false;  // lines end at CR (a LF right after it belongs to the line end)
    std::string_view lineEnd;      // what a save writes after every line: CR LF, or LF for files without CR
};

// Code 26 ends the file. A file with a CR before that ends its lines at CR,
// one without at LF. Text after the last line end is a line of its own.
FileLines fileLines(std::string_view bytes);

// The cells of each line: split at the delimiter, or cut into the field lengths.
using Rows = std::vector<std::vector<std::string>>;
Rows delimitedRows(const FileLines& file, std::string_view delimiter);
Rows fixedRows(const FileLines& file, const std::vector<int>& lengths, bool& mismatch);

// A file whose first cell starts with the byte-order mark is converted from
// UTF-8 after loading: the mark goes and every cell is converted (by the
// literal conversion of the tests). Returns whether it was.
bool convertFromUtf8(Rows& rows);

// The bytes a save writes for rows: in delimited mode every row joined with
// the delimiter and padded with empty cells to the widest row; in fixed-length
// mode the cells one after the other; each row followed by the line end; as
// UTF-8 with the mark when utf8 is set.
std::string savedBytes(const Rows& rows, bool delimited, std::string_view delimiter, std::string_view lineEnd,
                       bool utf8);

// The widest row, at least 1 (the grid's data columns after loading).
std::size_t widestRow(const Rows& rows);

}  // namespace tabulyst::fuzz
