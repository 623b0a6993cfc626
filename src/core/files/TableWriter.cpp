#include "core/files/TableWriter.h"

#include <cstdint>

#include "core/files/SafeFileWriter.h"
#include "core/grid/StringGrid.h"
#include "core/table/Utf8Codec.h"

namespace tabulyst {

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

    std::string line, padded, encoded;
    for (int r = 1; r < grid.rowCount(); ++r) {
        line.clear();
        const std::size_t written = layout.delimited ? grid.rowCells(r).writtenCells() : SIZE_MAX;
        bool first = true;
        for (int c : columns) {
            if (static_cast<std::size_t>(c) >= written) break;
            if (layout.delimited && !first) line += layout.delimiter;
            first = false;
            std::string_view text = grid.cell(c, r);
            if (!layout.delimited && layout.pad && c <= static_cast<int>(layout.fieldLengths.size())) {
                std::size_t length = static_cast<std::size_t>(std::max(layout.fieldLengths[static_cast<std::size_t>(c - 1)], 0));
                padded.assign(text.substr(0, length));
                padded.resize(length, ' ');
                if (padded != text) grid.setCell(c, r, padded);
                text = grid.cell(c, r);
            }
            line += text;
        }
        line += lineEnd;
        std::string_view bytes = line;
        if (layout.encoding.utf8) {
            if (encoded.size() < 3 * line.size()) encoded.resize(3 * line.size());  // only grows
            bytes = std::string_view(encoded.data(), encodeUtf8FromWindows1252(line, encoded.data()) - encoded.data());
        }
        if (!out.write(bytes)) break;
    }
    if (!out.commit()) {
        error = out.error();
        return false;
    }
    return true;
}

}  // namespace tabulyst
