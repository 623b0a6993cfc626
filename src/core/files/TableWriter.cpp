#include "core/files/TableWriter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/files/SafeFileWriter.h"
#include "core/grid/StringGrid.h"
#include "core/table/Utf8Codec.h"

namespace tabulyst {

namespace {

// Whether a row still showing its line of the file is written as the line
// stands: its fields are the cells they were read into and the layout cuts
// them as the file was cut, so joining the cells again gives the line back.
bool linesWrittenAsRead(const StringGrid& grid, const TableWriteLayout& layout, const std::vector<int>& columns) {
    const TableText* text = grid.text();
    if (!text || static_cast<int>(columns.size()) != grid.colCount() - 1 || !text->fieldsInPlace()) return false;
    if (layout.delimited) return text->delimited() && text->delimiter() == layout.delimiter;
    return !text->delimited() && !layout.pad && text->fieldLengths() == layout.fieldLengths;
}

// Untouched lines that follow each other in the file, already ended as this
// save ends them, go out as one piece.
class LineRun {
public:
    LineRun(SafeFileWriter& out, std::string_view lineEnd) : out_(out), lineEnd_(lineEnd) {}
    bool add(std::string_view line) {
        if (size_ > 0 && begin_ + size_ == line.data()) {
            size_ += line.size();
        } else {
            if (!flush()) return false;
            begin_ = line.data();
            size_ = line.size();
        }
        // The line end of the file counts only where it is exactly the one written.
        const char* after = begin_ + size_;
        if (std::memcmp(after, lineEnd_.data(), lineEnd_.size()) == 0) {
            size_ += lineEnd_.size();
            return true;
        }
        return flush() && out_.write(lineEnd_);
    }
    bool flush() {
        // In pieces the writer's own buffer takes, so a long run needs no copy of its size.
        constexpr std::size_t kPiece = std::size_t{256} << 10;
        for (std::size_t done = 0; done < size_; done += kPiece)
            if (!out_.write(std::string_view(begin_ + done, std::min(kPiece, size_ - done)))) return false;
        size_ = 0;
        return true;
    }

private:
    SafeFileWriter& out_;
    std::string_view lineEnd_;
    const char* begin_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace

bool writeTableFile(const std::string& path, const TableWriteLayout& layout, StringGrid& grid, std::string& error,
                    const WriteFaults* faults) {
    SafeFileWriter out(path, faults);
    if (!out.open()) {
        error = out.error();
        return false;
    }
    std::vector<int> columns;
    for (int c = 1; c < grid.colCount(); ++c)
        if (layout.includeHidden || !grid.isHidden(c)) columns.push_back(c);
    const std::string_view lineEnd = layout.lineEnds == LineEnds::Lf ? "\n" : "\r\n";
    if (layout.encoding.byteOrderMark && grid.rowCount() > 1) out.write("\xEF\xBB\xBF");

    const bool asRead = linesWrittenAsRead(grid, layout, columns);
    LineRun run(out, lineEnd);
    std::string line, padded, encoded;
    bool ok = true;
    for (int r = 1; r < grid.rowCount() && ok; ++r) {
        const RowCells& row = grid.rowCells(r);
        line.clear();
        if (asRead && row.text()) {
            const std::string_view text = row.text()->lineText(row.line());
            if (!layout.encoding.utf8) {
                ok = run.add(text);
                continue;
            }
            line.assign(text);
        } else {
            const std::size_t written = layout.delimited ? row.writtenCells() : SIZE_MAX;
            bool first = true;
            for (int c : columns) {
                if (static_cast<std::size_t>(c) >= written) break;
                if (layout.delimited && !first) line += layout.delimiter;
                first = false;
                std::string_view text = grid.cell(c, r);
                if (!layout.delimited && layout.pad && c <= static_cast<int>(layout.fieldLengths.size())) {
                    std::size_t length =
                        static_cast<std::size_t>(std::max(layout.fieldLengths[static_cast<std::size_t>(c - 1)], 0));
                    padded.assign(text.substr(0, length));
                    padded.resize(length, ' ');
                    if (padded != text) grid.setCell(c, r, padded);
                    text = grid.cell(c, r);
                }
                line += text;
            }
        }
        line += lineEnd;
        std::string_view bytes = line;
        if (layout.encoding.utf8) {
            if (encoded.size() < 3 * line.size()) encoded.resize(3 * line.size());  // only grows
            bytes = std::string_view(encoded.data(), encodeUtf8FromWindows1252(line, encoded.data()) - encoded.data());
        }
        ok = run.flush() && out.write(bytes);
    }
    if (ok) run.flush();
    if (!out.commit()) {
        error = out.error();
        return false;
    }
    return true;
}

}  // namespace tabulyst
