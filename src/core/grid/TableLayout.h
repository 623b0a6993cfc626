#pragma once
// How the lines of a table file map to cells: split at a delimiter, or cut
// into fixed field lengths. The reader, the writer and the text a table was
// read into all take this one value.
#include <string>
#include <utility>
#include <vector>

namespace tabulyst {

struct TableLayout {
    bool delimited = true;
    std::string delimiter;          // delimited: decoded, never empty for a read
    std::vector<int> fieldLengths;  // fixed lengths: column 1 first

    static TableLayout delimitedBy(std::string delimiter) { return {true, std::move(delimiter), {}}; }
    static TableLayout fixed(std::vector<int> lengths) { return {false, {}, std::move(lengths)}; }
    bool operator==(const TableLayout&) const = default;
};

}  // namespace tabulyst
