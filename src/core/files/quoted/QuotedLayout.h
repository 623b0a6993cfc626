#pragma once
// How a delimited text is cut into records when fields may be in quotes: the
// settings the reference splitter and the fast scanner share, and the few
// byte tests both make, so that the two cannot differ in them.
//
// A field that begins with a quote (at a record's start or right after a
// delimiter) runs to the next quote followed by the delimiter, the line end
// or the end of the text; a pair of quotes inside it is one quote and never
// closes it. Delimiters and line ends inside belong to the field. A quote
// anywhere else is an ordinary byte. When a field's quote never closes, the
// record is instead the one physical line from its start, split as if
// quoting were off; reading goes on with quoting after that line.
#include <cstddef>
#include <cstring>
#include <string_view>

namespace tabulyst {

struct QuotedLayout {
    char lineEnd = '\n';          // the file's line end: CR when it has any CR, else LF
    bool crLf = false;            // a LF right after the line end belongs to it
    std::string_view delimiter;   // decoded; empty: a record is one field
    bool quoted = true;           // the layout's "Felder in Anführungszeichen"
    bool stopAtCode26 = false;    // the text ends at its first code 26
};

constexpr char kQuote = '"';

// Whether quotes open fields at all: a delimiter that holds a quote would make
// the closing quote and the delimiter after it ambiguous, so such a layout
// reads quotes as ordinary bytes.
inline bool quotingActive(const QuotedLayout& layout) {
    return layout.quoted && layout.delimiter.find(kQuote) == std::string_view::npos;
}

// Whether the delimiter can split a record at all. One equal to the line end
// is the line end; one that holds the line end can never lie inside a line;
// one that holds code 26 would run past the text's end.
inline bool delimiterUsable(const QuotedLayout& layout) {
    const std::string_view d = layout.delimiter;
    if (d.empty() || d.find(layout.lineEnd) != std::string_view::npos) return false;
    return !(layout.stopAtCode26 && d.find('\x1A') != std::string_view::npos);
}

// Whether the delimiter stands at pos of data[0, end).
inline bool delimiterAt(const char* data, std::size_t end, std::size_t pos, std::string_view delimiter) {
    return pos + delimiter.size() <= end && std::memcmp(data + pos, delimiter.data(), delimiter.size()) == 0;
}

}  // namespace tabulyst
