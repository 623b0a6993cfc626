#include "core/files/quoted/ClipboardTable.h"

#include "core/files/quoted/QuotedFields.h"

namespace tabulyst {

void appendClipboardCell(std::string& out, std::string_view cell, std::string_view separator) {
    const bool quote = (!separator.empty() && cell.find(separator) != std::string_view::npos) ||
                       cell.find_first_of("\r\n") != std::string_view::npos || cell.starts_with('"');
    if (quote) appendQuoted(out, cell);
    else out += cell;
}

std::string clipboardText(const std::vector<std::vector<std::string>>& rows, std::string_view separator) {
    std::string text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) text += "\r\n";
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (c > 0) text += separator;
            appendClipboardCell(text, rows[r][c], separator);
        }
    }
    return text;
}

namespace {

class ClipboardParser {
public:
    ClipboardParser(std::string_view text, std::string_view separator)
        : text_(text), separator_(separator), quoting_(separator.find_first_of("\"\r\n") == std::string_view::npos) {}

    std::vector<std::vector<std::string>> rows() {
        std::vector<std::vector<std::string>> rows;
        for (std::size_t start = 0;;) {
            rows.emplace_back();
            std::size_t next = 0;
            if (!row(start, quoting_, rows.back(), next)) {
                rows.back().clear();
                row(start, false, rows.back(), next);
            }
            if (next == std::string_view::npos) return rows;
            start = next;
        }
    }

private:
    // The length of the line break at at, or 0.
    std::size_t breakAt(std::size_t at) const {
        if (at >= text_.size()) return 0;
        if (text_[at] == '\n') return 1;
        if (text_[at] != '\r') return 0;
        return at + 1 < text_.size() && text_[at + 1] == '\n' ? 2 : 1;
    }
    bool separatorAt(std::size_t at) const { return !separator_.empty() && text_.substr(at).starts_with(separator_); }

    // Reads the row from start into cells; next: where the row after it
    // starts, npos at the end. False when a quoted cell never closes.
    bool row(std::size_t start, bool quoting, std::vector<std::string>& cells, std::size_t& next) const {
        for (std::size_t at = start;;) {
            if (quoting && at < text_.size() && text_[at] == '"') {
                const std::size_t close = closingQuote(at);
                if (close == std::string_view::npos) return false;
                cells.push_back(unquotedField(text_.substr(at, close + 1 - at)));
                at = close + 1;
            } else {
                const std::size_t begin = at;
                while (at < text_.size() && !breakAt(at) && !separatorAt(at)) ++at;
                cells.emplace_back(text_.substr(begin, at - begin));
            }
            if (at == text_.size()) {
                next = std::string_view::npos;
                return true;
            }
            if (const std::size_t length = breakAt(at)) {
                next = at + length;
                return true;
            }
            at += separator_.size();
        }
    }

    std::size_t closingQuote(std::size_t open) const {
        for (std::size_t at = open + 1; at < text_.size(); ++at) {
            if (text_[at] != '"') continue;
            if (at + 1 < text_.size() && text_[at + 1] == '"') {
                ++at;
                continue;
            }
            if (at + 1 == text_.size() || breakAt(at + 1) || separatorAt(at + 1)) return at;
        }
        return std::string_view::npos;
    }

    std::string_view text_;
    std::string_view separator_;
    bool quoting_;  // a separator with a quote or a line break leaves no quoted cells
};

}  // namespace

std::vector<std::vector<std::string>> parseClipboardTable(std::string_view text, std::string_view separator) {
    return ClipboardParser(text, separator).rows();
}

}  // namespace tabulyst
