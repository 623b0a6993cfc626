#pragma once
// The quoting an edited cell gets when its row is written (the cell texts of
// quoted fields as read: grid/QuotedCellTexts.h).
#include <string>
#include <string_view>

#include "core/grid/QuotedCellTexts.h"

namespace tabulyst {

// Whether an edited cell must be written in quotes to be read back as
// itself: it holds the delimiter, a quote, CR or LF, or its end and the
// delimiter after it would make a delimiter that starts inside it.
bool cellNeedsQuotes(std::string_view cell, std::string_view delimiter);

// Appends the cell in quotes, each of its quotes doubled.
void appendQuoted(std::string& out, std::string_view cell);

// Appends the cell as an edited row writes it: quoted when it needs it or was
// quoted when read, else as it stands.
void appendWrittenCell(std::string& out, std::string_view cell, std::string_view delimiter, bool wasQuoted);

}  // namespace tabulyst
