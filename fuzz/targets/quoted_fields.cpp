// Reading records with quoted fields: the fast scanner, in one pass and in
// pieces joined, finds exactly the records of the plain reference splitter;
// a quoted field's cell shown through the side table of fields with pairs is
// its reference cell; every cell written again as an edited row writes it
// reads back as the same cell; and the cells copied to the clipboard paste
// back as the same cells.
//
// Input: the delimiter in its notation (raw when it does not decode), a line
// feed, the file's text. Lines end at CR when the text has one, else at LF,
// and code 26 ends it, as when a file is read.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/files/DelimiterNotation.h"
#include "core/files/quoted/ClipboardTable.h"
#include "core/files/quoted/QuotedFields.h"
#include "core/files/quoted/QuotedPieces.h"
#include "core/files/quoted/QuotedReference.h"
#include "core/files/quoted/QuotedScan.h"
#include "support/Check.h"
#include "support/Input.h"

using namespace tabulyst;
using namespace tabulyst::fuzz;

namespace {

std::string describe(std::string_view text, std::string_view delimiter) {
    return "text \"" + printable(text) + "\" at \"" + printable(delimiter) + "\"";
}

// Every record written again from its cells, as a save writes edited rows.
std::string rewritten(std::string_view text, const std::vector<QuotedRecord>& records, const QuotedLayout& layout) {
    std::string out;
    for (const QuotedRecord& record : records) {
        const std::vector<std::string> cells = recordCells(text, record, layout.delimiter);
        const std::vector<std::string_view> raw = rawFields(text, record, layout.delimiter);
        std::size_t quoted = 0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += layout.delimiter;
            const auto at = static_cast<std::size_t>(raw[c].data() - text.data());
            const bool wasQuoted = quoted < record.quoted.size() && record.quoted[quoted].open == at;
            if (wasQuoted) ++quoted;
            appendWrittenCell(out, cells[c], layout.delimiter, wasQuoted);
        }
        out += layout.crLf ? "\r\n" : "\n";
    }
    return out;
}

std::vector<std::vector<std::string>> cellsOf(std::string_view text, const std::vector<QuotedRecord>& records,
                                              std::string_view delimiter) {
    std::vector<std::vector<std::string>> rows;
    for (const QuotedRecord& record : records) rows.push_back(recordCells(text, record, delimiter));
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto [header, text] = splitHeader(data, size);
    std::string delimiter = DecodeDelimiter(header);
    if (IsDecodeError(delimiter)) delimiter = std::string(header);

    QuotedLayout layout;
    layout.delimiter = delimiter;
    layout.stopAtCode26 = true;
    const std::string_view read = text.substr(0, text.find('\x1A'));
    layout.crLf = read.find('\r') != std::string_view::npos;
    layout.lineEnd = layout.crLf ? '\r' : '\n';

    const std::vector<QuotedRecord> expected = splitQuotedReference(text, layout);
    QuotedRecordList fast;
    const QuotedScanResult result = scanQuotedRecords(text.data(), text.size(), true, layout, fast);
    FUZZ_CHECK(result.how == QuotedScanEnd::Done && result.end == read.size(), describe(text, delimiter));
    FUZZ_CHECK(fast.records() == expected, "one pass against the reference: " + describe(text, delimiter));

    for (std::size_t share : {std::size_t{1} + text.size() / 7, std::size_t{3}}) {
        const std::vector<std::size_t> starts = quotedPieceStarts(text, layout, share);
        FUZZ_CHECK(scanQuotedInPieces(text, layout, starts, 1).records == expected,
                   "pieces of " + std::to_string(share) + " bytes joined: " + describe(text, delimiter));
    }

    // A quoted field's cell as a row showing its line gives it: only records
    // with quoted fields are marked to have their fields looked at.
    QuotedCellTexts pairs;
    for (const QuotedRecord& record : expected)
        for (const QuotedSpan& span : record.quoted)
            if (span.pairs) pairs.add(span.open, text.substr(span.open, span.close + 1 - span.open));
    for (const QuotedRecord& record : expected) {
        if (record.quoted.empty()) continue;
        const std::vector<std::string> cells = recordCells(text, record, delimiter);
        const std::vector<std::string_view> raw = rawFields(text, record, delimiter);
        for (std::size_t c = 0; c < raw.size(); ++c) {
            const auto at = static_cast<std::size_t>(raw[c].data() - text.data());
            FUZZ_CHECK_BYTES(std::string(quotedFieldCell(raw[c], at, pairs)), cells[c],
                             "cell shown from the line: " + describe(text, delimiter));
        }
    }

    const auto cells = cellsOf(text, expected, delimiter);
    if (quotingActive(layout)) {
        const std::string written = rewritten(text, expected, layout);
        FUZZ_CHECK(cellsOf(written, splitQuotedReference(written, layout), delimiter) == cells,
                   "written again and read: " + describe(text, delimiter) + "\nwritten: \"" + printable(written) + "\"");
    }

    if (!cells.empty()) {
        auto rows = cells;
        for (auto& row : rows)
            if (row.empty()) row.emplace_back();  // a row without cells pastes as one empty cell
        FUZZ_CHECK(parseClipboardTable(clipboardText(rows)) == rows, "copied and pasted: " + describe(text, delimiter));
    }
    return 0;
}
