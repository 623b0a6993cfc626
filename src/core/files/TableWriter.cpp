#include "core/files/TableWriter.h"

#include "core/files/SafeFileWriter.h"
#include "core/grid/StringGrid.h"
#include "core/table/CharsetConversions.h"

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
    if (layout.utf8 && grid.rowCount() > 1) out.write("\xEF\xBB\xBF");

    std::string line, padded;
    for (int r = 1; r < grid.rowCount(); ++r) {
        line.clear();
        bool first = true;
        for (int c : columns) {
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
            if (layout.utf8) line += AnsiToUtf8Text(text);
            else line += text;
        }
        line += lineEnd;
        if (!out.write(line)) break;
    }
    if (!out.commit()) {
        error = out.error();
        return false;
    }
    return true;
}

}  // namespace tabulyst
