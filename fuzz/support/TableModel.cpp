#include "support/TableModel.h"

#include <algorithm>

#include "core/files/Fields.h"

namespace tabulyst::fuzz {

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// How many bytes each character takes goes to sizes.
bool validUtf8(std::string_view line, std::vector<std::size_t>* sizes = nullptr) {
    for (std::size_t i = 0; i < line.size();) {
        const auto b = static_cast<unsigned char>(line[i]);
        std::size_t n = 0;
        char32_t cp = 0, least = 0;
        if (b < 0x80) n = 1, cp = b;
        else if (b >= 0xC2 && b <= 0xDF) n = 2, cp = b & 0x1F, least = 0x80;
        else if (b >= 0xE0 && b <= 0xEF) n = 3, cp = b & 0x0F, least = 0x800;
        else if (b >= 0xF0 && b <= 0xF4) n = 4, cp = b & 0x07, least = 0x10000;
        else return false;
        if (i + n > line.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(line[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = cp << 6 | (c & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (sizes) sizes->push_back(n);
        i += n;
    }
    return true;
}

}  // namespace

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
            file.lastLineEnded = false;
            break;
        }
        file.lines.push_back(bytes.substr(pos, stop - pos));
        file.lastLineEnded = true;
        pos = stop + 1;
        if (file.carriageReturns && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    return file;
}

FileText fileText(const FileLines& file) {
    FileText text;
    text.lines.assign(file.lines.begin(), file.lines.end());
    text.lastLineEnded = file.lastLineEnded;
    if (text.lines.empty()) text.lines.emplace_back();
    if (!text.lines.empty() && text.lines[0].starts_with(kMark)) {
        text.mark = true;
        text.lines[0].erase(0, kMark.size());
    }
    bool multiByte = false;
    for (const std::string& line : text.lines) {
        if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) continue;
        if (!validUtf8(line)) return text;
        multiByte = true;
    }
    text.utf8 = text.mark || multiByte;
    return text;
}

Rows delimitedRows(const FileText& text, std::string_view delimiter) {
    Rows rows;
    std::vector<std::string_view> fields;
    for (const std::string& line : text.lines) {
        splitFields(line, delimiter, fields);
        rows.emplace_back(fields.begin(), fields.end());
    }
    return rows;
}

Rows fixedRows(const FileText& text, const std::vector<int>& lengths, bool& mismatch) {
    Rows rows;
    mismatch = false;
    for (std::string_view line : text.lines) {
        std::vector<std::string> cells;
        // A character is a byte, or in a UTF-8 table a whole sequence.
        std::vector<std::size_t> sizes;
        if (!text.utf8 || !validUtf8(line, &sizes)) sizes.assign(line.size(), 1);
        std::size_t pos = 0, at = 0;  // the byte, and the character it starts
        bool shortLine = false;
        for (int length : lengths) {
            std::size_t end = pos;
            for (int k = 0; k < length; ++k) {
                if (at == sizes.size()) {
                    shortLine = true;
                    break;
                }
                end += sizes[at++];
            }
            cells.emplace_back(line.substr(pos, end - pos));
            pos = end;
        }
        if (shortLine || pos != line.size()) mismatch = true;
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::size_t widestRow(const Rows& rows) {
    std::size_t widest = 1;
    for (const auto& row : rows) widest = std::max(widest, row.size());
    return widest;
}

std::string savedBytes(const Rows& rows, bool delimited, std::string_view delimiter, std::string_view lineEnd,
                       const FileText& text) {
    std::string out;
    if (text.mark && !rows.empty()) out = kMark;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[r];
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (delimited && c > 0) line += delimiter;
            line += row[c];
        }
        if (text.lastLineEnded || r + 1 < rows.size()) line += lineEnd;
        out += line;
    }
    return out;
}

}  // namespace tabulyst::fuzz
