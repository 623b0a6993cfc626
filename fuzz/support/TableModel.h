#pragma once
// What the design says a table file holds and how it is written back, built
// from the rules rather than from the reader's code: where the lines end, how
// the text is decoded, what the cells are, and the bytes a save without edits
// produces.
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst::fuzz {

struct FileLines {
    std::vector<std::string_view> lines;  // as they stand, the first one with a byte-order mark
    bool carriageReturns = false;         // lines end at CR (a LF right after it belongs to the line end)
    std::string_view lineEnd;             // what a save writes after every line: CR LF, or LF for files without CR
    bool lastLineEnded = false;           // the last line has its line end (an empty file has no line)
};

// Code 26 ends the file. A file with a CR before that ends its lines at CR,
// one without at LF. Text after the last line end is a line of its own.
FileLines fileLines(std::string_view bytes);

// The lines as the cells are taken from them (an empty file shows one empty
// line, without a line end, so that what is typed into it is saved): the byte-order mark off the
// first line, otherwise as they stand. The table is UTF-8 when every line is
// valid UTF-8 and the file has the mark or a multi-byte sequence.
struct FileText {
    std::vector<std::string> lines;
    bool mark = false;
    bool utf8 = false;  // the cells are UTF-8: a field length counts characters
    bool lastLineEnded = false;
};
FileText fileText(const FileLines& file);

// The cells of each line: split at the delimiter, or cut into the field lengths.
using Rows = std::vector<std::vector<std::string>>;
Rows delimitedRows(const FileText& text, std::string_view delimiter);
Rows fixedRows(const FileText& text, const std::vector<int>& lengths, bool& mismatch);

// The bytes a save writes for rows read from a file: the mark when the file
// had one, then every row (delimited: its cells joined with the delimiter,
// as many as it was read with; fixed-length: the cells one after the other)
// with the line end (the last one only when the file's last line had it).
std::string savedBytes(const Rows& rows, bool delimited, std::string_view delimiter, std::string_view lineEnd,
                       const FileText& text);

// The widest row, at least 1 (the grid's data columns after loading).
std::size_t widestRow(const Rows& rows);

}  // namespace tabulyst::fuzz
