#pragma once
// The checks the table-reader targets share: the grid after opening, and what
// a save without edits writes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/FormHarness.h"
#include "support/TableModel.h"

namespace tabulyst::fuzz {

// A table target's input: the first line (the layout), then the file's bytes;
// a first line starting with "!" puts the byte-order mark in front of them.
struct TableInput {
    std::string_view layout;  // the first line after the "!"; empty when there is no first line
    bool hasLayout = false;
    std::string bytes;
};
TableInput tableInput(const std::uint8_t* data, std::size_t size);

struct TableExpectation {
    FileLines file;
    FileText text;
    Rows rows;          // the cells
    bool delimited = true;
    std::string delimiter;
    std::vector<int> lengths;  // fixed-length mode
    std::size_t columns = 1;  // data columns of the grid
    bool mismatch = false;    // fixed-length: a line did not fit the lengths
    std::string saved;        // what a save without edits writes
    // Whether the design gives the file back byte for byte: nothing after a
    // code 26, every line ended by the file's line end (no lone CR), and in
    // fixed-length mode lines that fit the field lengths.
    bool keepsBytes = false;
};

// delimiter: as a Windows-1252 table has it; utf8Delimiter: as a UTF-8 one.
TableExpectation expectDelimited(std::string_view bytes, std::string_view delimiter, std::string_view utf8Delimiter);
TableExpectation expectFixed(std::string_view bytes, const std::vector<int>& lengths);

// The grid holds exactly the expected rows and columns.
void checkGrid(MainForm& form, const TableExpectation& expected);

// Saves the open table without an edit and checks the bytes written; then
// opens what was written and checks that it reads and saves back to itself.
void checkSaveRoundTrip(FormHarness& harness, const std::string& path, std::string_view original,
                        const TableExpectation& expected);

}  // namespace tabulyst::fuzz
