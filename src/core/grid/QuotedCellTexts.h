#pragma once
// A quoted field's cell text. A row that shows its line of the file keeps the
// line's bytes, quotes and all (so it is written back exactly as read); its
// cells show the text inside the quotes. Where that text holds no pair of
// quotes it is a plain part of the line; a field with pairs has its text,
// with each pair made one quote, in a side table made once while reading
// (QuotedCellTexts), keyed by where the field starts in the file's buffer.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst {

// The inside of a quoted field (the field with its enclosing quotes).
inline std::string_view insideQuotes(std::string_view field) { return field.substr(1, field.size() - 2); }

// Whether the inside of a quoted field holds a pair of quotes.
inline bool holdsQuotePair(std::string_view inside) { return inside.find("\"\"") != std::string_view::npos; }

// The cell text of a quoted field: inside its quotes, each pair one quote.
std::string unquotedField(std::string_view field);

// The cell texts of the quoted fields that hold pairs of quotes, in the order
// of the fields in the buffer.
class QuotedCellTexts {
public:
    // The quoted field field starts at offset in the buffer, after any added before.
    void add(std::size_t offset, std::string_view field);
    // The cell text of the field added at offset; empty when none was.
    std::string_view find(std::size_t offset) const;
    // Forgets the fields from offset on (a record read again).
    void dropFrom(std::size_t offset);
    // Takes the fields of other from offset from on, which follow those here
    // (the next piece of the same buffer).
    void append(const QuotedCellTexts& other, std::size_t from = 0);
    std::size_t size() const { return offsets_.size(); }

private:
    std::vector<std::size_t> offsets_;
    std::vector<std::size_t> ends_;  // where each text ends in bytes_
    std::string bytes_;
};

// The cell a field of a record with quoted fields shows; offset: where the
// field starts in the buffer. A field that begins with a quote there is a
// quoted field (one that never closed made the whole record read plain).
inline std::string_view quotedFieldCell(std::string_view field, std::size_t offset, const QuotedCellTexts& texts) {
    if (field.empty() || field.front() != '"') return field;
    const std::string_view inside = insideQuotes(field);
    return holdsQuotePair(inside) ? texts.find(offset) : inside;
}

}  // namespace tabulyst
