#pragma once
// Cells on the clipboard as spreadsheets write and read them: cells split by
// a separator (a tab), rows by line breaks, and a cell that holds the
// separator or a line break in quotes, each of its quotes doubled.
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

// Appends the cell as a copy writes it: quoted only when it holds the
// separator or a line break, or begins with a quote (which a paste would
// otherwise take for the start of a quoted cell).
void appendClipboardCell(std::string& out, std::string_view cell, std::string_view separator = "\t");

// The rows' cells joined with the separator, the rows with CR LF (none after the last).
std::string clipboardText(const std::vector<std::vector<std::string>>& rows, std::string_view separator = "\t");

// The cells of clipboard text, row by row. Rows end at CR LF, LF or CR;
// every break starts a row, a break at the very end too (a paste takes one
// off first). A cell that begins with a quote runs to the next quote
// followed by the separator, a line break or the end, "" inside it standing
// for "; when it never closes, its row is the text up to the next line break
// split without quotes. With an empty separator a row is one cell.
std::vector<std::vector<std::string>> parseClipboardTable(std::string_view text, std::string_view separator = "\t");

}  // namespace tabulyst
