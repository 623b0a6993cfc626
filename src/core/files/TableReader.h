#pragma once
// Reading a table file into the grid: lines split at a delimiter or cut into
// field lengths. The whole file is read into one buffer, where the rows show
// their cells (TableText), because users open files of millions of lines.
#include <cstdint>
#include <string>
#include <vector>

#include "core/files/FileEncoding.h"
#include "core/grid/TableLayout.h"

namespace tabulyst {

class ColumnWidthFit;
class StringGrid;
class TableReadAhead;
class ProgressScope;


struct TableReadResult {
    bool ok = false;
    std::string error;                   // the platform's text when reading failed
    FileFormat format;                   // the encoding found, the byte-order mark taken aside
    bool lengthMismatch = false;         // a line did not match the field lengths
    const char* notice = nullptr;        // why a file with a mark is no UTF-8 table
    // Quoted fields: the lines read without quotes because a quote in them
    // never closes, and the row of the first of them (0 for none).
    std::size_t unclosedQuoteRows = 0;
    std::uint32_t firstUnclosedQuoteRow = 0;
    bool cancelled = false;              // the user stopped the read (not ok, no error to tell)
};

// Reads path into rows 1 and up of grid, which the caller has emptied to 2 x 2.
// Column 0 of every read row, and of the spare row after them, gets its row
// number; fit, when given, is offered each of these cells as it is read. A
// line ends at a carriage return (a line feed right after it belongs to the
// line end); a file without
// any carriage return ends its lines at line feeds. Code 26 ends the file.
// A read that fails leaves the grid as it was. The grid's row count ends one
// above the rows read (the spare row the caller removes). A byte-order mark is
// taken off the first line; the cells hold the bytes of the file, in the
// encoding found (see Utf8Detector), cut with the layout for it. Every row
// remembers how many fields its line had.
// ahead: what may have been read of the file already (it is taken or given up).
// progress: told how much of the file is split; stopping it leaves the grid as it was.
TableReadResult readTableFile(const std::string& path, const TableLayouts& layouts, StringGrid& grid,
                              ColumnWidthFit* fit = nullptr, TableReadAhead* ahead = nullptr,
                              ProgressScope* progress = nullptr);
// The same with one delimiter or set of field lengths for either encoding.
inline TableReadResult readTableFile(const std::string& path, const TableLayout& layout, StringGrid& grid,
                                     ColumnWidthFit* fit = nullptr, TableReadAhead* ahead = nullptr) {
    return readTableFile(path, TableLayouts::alike(layout), grid, fit, ahead);
}

}  // namespace tabulyst
