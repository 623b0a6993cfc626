#include "core/files/TableWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/files/SafeFileWriter.h"
#include "core/files/quoted/QuotedFields.h"
#include "core/files/quoted/QuotedLayout.h"
#include "core/grid/StringGrid.h"
#include "core/platform/Progress.h"
#include "core/text/TextLength.h"

namespace tabulyst {

namespace {

// Whether a row still showing its line of the file is written as the line
// stands: its fields are the cells they were read into and the layout cuts
// them as the file was cut, so joining the cells again gives the line back.
bool linesWrittenAsRead(const StringGrid& grid, const TableWriteLayout& write, const std::vector<int>& columns) {
    const TableText* text = grid.text();
    if (!text || static_cast<int>(columns.size()) != grid.colCount() - 1 || !text->fieldsInPlace()) return false;
    return text->layout() == write.layout && (write.layout.delimited || !write.pad);
}

// Where the lines go: untouched lines that follow each other in the file,
// already ended as this save ends them, go out as one piece; every other line
// is gathered and goes out in pieces the writer's own buffer takes, so
// nothing is copied twice.
class LineOutput {
public:
    LineOutput(SafeFileWriter& out, std::string_view lineEnd) : out_(out), lineEnd_(lineEnd) {}

    // A line of the file's text as it stands; ended: with a line end after it.
    bool untouched(std::string_view line, bool ended = true) {
        if (!flushGathered()) return false;
        if (size_ > 0 && begin_ + size_ == line.data()) {
            size_ += line.size();
        } else {
            if (!flushRun()) return false;
            begin_ = line.data();
            size_ = line.size();
        }
        if (!ended) return true;
        // The line end of the file counts only where it is exactly the one written.
        if (std::memcmp(begin_ + size_, lineEnd_.data(), lineEnd_.size()) == 0) {
            size_ += lineEnd_.size();
            return true;
        }
        return flushRun() && out_.write(lineEnd_);
    }

    // A line joined from the cells.
    bool built(std::string_view line, bool ended = true) {
        if (!flushRun()) return false;
        gathered_.append(line);
        if (ended) gathered_.append(lineEnd_);
        return gathered_.size() < kPiece || flushGathered();
    }

    bool finish() { return flushRun() && flushGathered(); }

private:
    static constexpr std::size_t kPiece = std::size_t{256} << 10;

    bool flushRun() {
        for (std::size_t done = 0; done < size_; done += kPiece)
            if (!out_.write(std::string_view(begin_ + done, std::min(kPiece, size_ - done)))) return false;
        size_ = 0;
        return true;
    }
    bool flushGathered() {
        const bool ok = gathered_.empty() || out_.write(gathered_);
        gathered_.clear();
        return ok;
    }

    SafeFileWriter& out_;
    std::string_view lineEnd_;
    const char* begin_ = nullptr;  // the run of untouched lines
    std::size_t size_ = 0;
    std::string gathered_;
};

constexpr int kRowsPerReport = 8192;

}  // namespace

bool writeTableFile(const std::string& path, const TableWriteLayout& write, StringGrid& grid, std::string& error,
                    const WriteFaults* faults, ProgressScope* progress) {
    SafeFileWriter out(path, faults);
    if (!out.open()) {
        error = out.error();
        return false;
    }
    std::vector<int> columns;
    for (int c = 1; c < grid.colCount(); ++c)
        if (write.includeHidden || !grid.isHidden(c)) columns.push_back(c);
    const std::string_view lineEnd = write.format.lineEnds == LineEnds::Lf ? "\n" : "\r\n";
    if (write.format.encoding.byteOrderMark && grid.rowCount() > 1) out.write("\xEF\xBB\xBF");

    const bool asRead = linesWrittenAsRead(grid, write, columns);
    // A cell that would not read back as itself goes in quotes, and so does one read from quotes.
    const bool quoting = write.layout.delimited && quotingActive({'\n', false, write.layout.delimiter,
                                                                   write.layout.quoted, false});
    LineOutput lines(out, lineEnd);
    std::string line, padded;
    bool ok = true;
    for (int r = 1; r < grid.rowCount() && ok; ++r) {
        if (progress && r % kRowsPerReport == 0) progress->report(static_cast<std::uint64_t>(r), grid.rowCount());
        const RowCells& row = grid.rowCells(r);
        const bool ended = write.format.lastLineEnded || r + 1 < grid.rowCount();
        if (asRead && row.text()) {
            ok = lines.untouched(row.text()->lineText(row.line()), ended);
            continue;
        }
        line.clear();
        const std::size_t written = write.layout.delimited ? row.writtenCells() : SIZE_MAX;
        bool first = true;
        for (int c : columns) {
            if (static_cast<std::size_t>(c) >= written) break;
            if (write.layout.delimited && !first) line += write.layout.delimiter;
            first = false;
            std::string_view text = grid.cell(c, r);
            if (!write.layout.delimited && write.pad && c <= static_cast<int>(write.layout.fieldLengths.size())) {
                std::size_t length =
                    static_cast<std::size_t>(std::max(write.layout.fieldLengths[static_cast<std::size_t>(c - 1)], 0));
                text::fixedLength(text, length, write.layout.encoding, padded);
                if (padded != text) grid.setCell(c, r, padded);
                text = grid.cell(c, r);
            }
            if (quoting) appendWrittenCell(line, text, write.layout.delimiter, row.wasQuoted(static_cast<std::size_t>(c)));
            else line += text;
        }
        ok = lines.built(line, ended);
    }
    if (ok) lines.finish();
    if (!out.commit()) {
        error = out.error();
        return false;
    }
    return true;
}

}  // namespace tabulyst
