#include "support/TableModel.h"

#include <algorithm>
#include <array>

#include "core/files/Fields.h"

namespace tabulyst::fuzz {

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

// The characters of Windows-1252 at 0x80..0x9F; the five bytes it leaves
// unassigned stand for the control characters of the same number.
constexpr std::array<char32_t, 32> kHigh{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePoint(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F ? kHigh[byte - 0x80] : byte; }

// The Windows-1252 byte of a code point, or -1.
int windows1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

enum class LineKind { Ascii, Decoded, Unrepresentable, Invalid };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
LineKind decodeLine(std::string_view line, std::string& out) {
    out.clear();
    if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return LineKind::Ascii;
    bool unrepresentable = false;
    for (std::size_t i = 0; i < line.size();) {
        const auto b = static_cast<unsigned char>(line[i]);
        std::size_t n = 0;
        char32_t cp = 0, least = 0;
        if (b < 0x80) n = 1, cp = b;
        else if (b >= 0xC2 && b <= 0xDF) n = 2, cp = b & 0x1F, least = 0x80;
        else if (b >= 0xE0 && b <= 0xEF) n = 3, cp = b & 0x0F, least = 0x800;
        else if (b >= 0xF0 && b <= 0xF4) n = 4, cp = b & 0x07, least = 0x10000;
        else return LineKind::Invalid;
        if (i + n > line.size()) return LineKind::Invalid;
        for (std::size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(line[i + k]);
            if ((c & 0xC0) != 0x80) return LineKind::Invalid;
            cp = cp << 6 | (c & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return LineKind::Invalid;
        const int byte = windows1252(cp);
        if (byte < 0) unrepresentable = true;
        else out += static_cast<char>(byte);
        i += n;
    }
    return unrepresentable ? LineKind::Unrepresentable : LineKind::Decoded;
}

std::string utf8Of(std::string_view text) {
    std::string out;
    for (char c : text) appendUtf8(out, codePoint(static_cast<unsigned char>(c)));
    return out;
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
    std::vector<std::string> decoded(text.lines.size());
    bool multiByte = false, unrepresentable = false;
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
        switch (decodeLine(text.lines[i], decoded[i])) {
        case LineKind::Ascii: decoded[i] = text.lines[i]; break;
        case LineKind::Decoded: multiByte = true; break;
        case LineKind::Unrepresentable: unrepresentable = true; break;
        case LineKind::Invalid: return text;
        }
    }
    if (unrepresentable) {
        text.rawUtf8 = true;
        return text;
    }
    text.utf8 = text.mark || multiByte;
    if (text.utf8) text.lines = std::move(decoded);
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
        out += text.utf8 ? utf8Of(line) : line;
    }
    return out;
}

}  // namespace tabulyst::fuzz
