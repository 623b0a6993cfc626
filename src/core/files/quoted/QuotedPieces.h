#pragma once
// Scanning a text for records with quoted fields in pieces, on several
// threads, and joining the pieces into exactly what one pass from the start
// gives. The model of how the table reader's pieces take quotes.
//
// A piece starts right after a line end and is scanned as if a record began
// there; but the line end may lie inside a quoted field, which no one knows
// before the pieces ahead are scanned. What one pass does from a record's
// start depends on nothing but that place, so a piece's records agree with
// the one pass from the first record start the two share on. Joining keeps
// that in mind: a piece is taken from where the records before it end, when
// it has a record starting there; otherwise (or where a piece's last record
// runs on behind its end) the text is scanned on from there, one pass, until
// it reaches a record start of a later piece, and that piece is taken from
// there on.
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/files/quoted/QuotedLayout.h"
#include "core/files/quoted/QuotedRecords.h"

namespace tabulyst {

// Where pieces of a text start: 0, then right after the first line end from
// every share of the text on (as the table reader cuts a big file).
std::vector<std::size_t> quotedPieceStarts(std::string_view text, const QuotedLayout& layout, std::size_t share);

struct QuotedPiecesOutcome {
    std::vector<QuotedRecord> records;
    std::size_t scannedAgain = 0;  // bytes the join scanned once more
};

// The records of text, scanned in pieces from starts (ascending, the first
// 0) on up to threads threads, and joined.
QuotedPiecesOutcome scanQuotedInPieces(std::string_view text, const QuotedLayout& layout,
                                       const std::vector<std::size_t>& starts, unsigned threads);

}  // namespace tabulyst
