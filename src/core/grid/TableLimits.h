#pragma once
// What a table read from a file can hold. Reading past one of these stops
// with this error, so the file is refused whole rather than cut short.
#include <stdexcept>

namespace tabulyst {

enum class TableLimit {
    LineLength,  // a line of more than 4 GiB
    Records,     // lines and fields together: a record takes three words a line and one a field, 2^32 words in all
    Fields,      // fields in one line, as many as the grid has columns
};

class TableLimitReached : public std::length_error {
public:
    explicit TableLimitReached(TableLimit limit) : std::length_error("table limit reached"), limit_(limit) {}
    TableLimit limit() const { return limit_; }

private:
    TableLimit limit_;
};

}  // namespace tabulyst
