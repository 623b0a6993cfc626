#include "core/files/quoted/QuotedFields.h"

namespace tabulyst {

bool cellNeedsQuotes(std::string_view cell, std::string_view delimiter) {
    if (cell.find_first_of("\"\r\n") != std::string_view::npos) return true;
    if (delimiter.empty()) return false;
    if (cell.find(delimiter) != std::string_view::npos) return true;
    // With a delimiter like "ab" a cell ending in "a" would be cut one byte early.
    for (std::size_t k = 1; k < delimiter.size() && k <= cell.size(); ++k)
        if (cell.ends_with(delimiter.substr(0, k)) && delimiter.substr(k) == delimiter.substr(0, delimiter.size() - k))
            return true;
    return false;
}

void appendQuoted(std::string& out, std::string_view cell) {
    out += '"';
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendWrittenCell(std::string& out, std::string_view cell, std::string_view delimiter, bool wasQuoted) {
    if (wasQuoted || cellNeedsQuotes(cell, delimiter)) appendQuoted(out, cell);
    else out += cell;
}

}  // namespace tabulyst
