#include "support/TableModel.h"

#include <algorithm>

#include "core/files/Fields.h"
#include "support/LiteralTextOps.h"

namespace tabulyst::fuzz {

FileLines fileLines(std::string_view bytes) {
    FileLines file;
    bytes = bytes.substr(0, bytes.find('\x1A'));
    file.carriageReturns = bytes.find('\r') != std::string_view::npos;
    // A file without any line end at all keeps CR LF.
    file.lineEnd = file.carriageReturns || bytes.find('\n') == std::string_view::npos ? "\r\n" : "\n";
    const char end = file.carriageReturns ? '\r' : '\n';
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t stop = bytes.find(end, pos);
        if (stop == std::string_view::npos) {
            file.lines.push_back(bytes.substr(pos));
            break;
        }
        file.lines.push_back(bytes.substr(pos, stop - pos));
        pos = stop + 1;
        if (file.carriageReturns && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return file;
}

Rows delimitedRows(const FileLines& file, std::string_view delimiter) {
    Rows rows;
    std::vector<std::string_view> fields;
    for (std::string_view line : file.lines) {
        splitFields(line, delimiter, fields);
        rows.emplace_back(fields.begin(), fields.end());
    }
    return rows;
}

Rows fixedRows(const FileLines& file, const std::vector<int>& lengths, bool& mismatch) {
    Rows rows;
    mismatch = false;
    for (std::string_view line : file.lines) {
        std::vector<std::string> cells;
        std::size_t pos = 0;
        for (int length : lengths) {
            cells.emplace_back(pos < line.size() ? line.substr(pos, static_cast<std::size_t>(length)) : "");
            pos += static_cast<std::size_t>(length);
        }
        if (pos != line.size()) mismatch = true;
        rows.push_back(std::move(cells));
    }
    return rows;
}

bool convertFromUtf8(Rows& rows) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (rows.empty() || rows[0].empty() || rows[0][0].size() <= 2 || !rows[0][0].starts_with(kMark)) return false;
    rows[0][0].erase(0, kMark.size());
    for (auto& row : rows)
        for (auto& cell : row) cell = literal::utf8ToAnsi(cell);
    return true;
}

std::size_t widestRow(const Rows& rows) {
    std::size_t widest = 1;
    for (const auto& row : rows) widest = std::max(widest, row.size());
    return widest;
}

std::string savedBytes(const Rows& rows, bool delimited, std::string_view delimiter, std::string_view lineEnd,
                       bool utf8) {
    std::string out;
    if (utf8 && !rows.empty()) out = "\xEF\xBB\xBF";
    const std::size_t width = widestRow(rows);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < (delimited ? width : row.size()); ++c) {
            if (delimited && c > 0) out += delimiter;
            if (c < row.size()) out += utf8 ? literal::ansiToUtf8(row[c]) : row[c];
        }
        out += lineEnd;
    }
    return out;
}

}  // namespace tabulyst::fuzz
