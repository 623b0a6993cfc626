#pragma once
// Writing the grid's data cells (rows and columns from 1) back into a file:
// joined with the delimiter, or one after the other in fixed-length mode.
#include <string>
#include <vector>

#include "core/files/TableReader.h"

namespace tabulyst {

class StringGrid;
struct WriteFaults;

struct TableWriteLayout {
    TableLayout layout;
    bool pad = false;  // fixed-length: blank-fill and cut cells to their lengths
    bool includeHidden = true;
    FileFormat format;  // the mark in front, the line ends as read
};

// Writes the table; with padding the padded cells are also written back into
// the grid. In delimited mode each row ends after the cells it was read with,
// or after its last non-empty cell when that lies further right (see
// RowCells::writtenCells): short lines stay short. On failure error holds the
// platform's text and the old file is kept.
// progress: told the rows written now and then.
bool writeTableFile(const std::string& path, const TableWriteLayout& layout, StringGrid& grid, std::string& error,
                    const WriteFaults* faults = nullptr, ProgressScope* progress = nullptr);

}  // namespace tabulyst
