#pragma once
// How the lines of a table file map to cells: split at a delimiter, or cut
// into fixed field lengths. The reader, the writer and the text a table was
// read into all take this one value.
#include <string>
#include <utility>
#include <vector>

#include "core/text/TextEncoding.h"

namespace tabulyst {

struct TableLayout {
    bool delimited = true;
    std::string delimiter;          // delimited: decoded, never empty for a read
    std::vector<int> fieldLengths;  // fixed lengths: column 1 first, in characters
    // What the delimiter's bytes are written in and what a field length counts.
    text::TextEncoding encoding = text::TextEncoding::Windows1252;
    // Delimited: a field that begins with a quote runs to its closing quote,
    // delimiters and line ends inside it included (see files/quoted/).
    bool quoted = false;

    static TableLayout delimitedBy(std::string delimiter,
                                   text::TextEncoding encoding = text::TextEncoding::Windows1252) {
        return {true, std::move(delimiter), {}, encoding, false};
    }
    static TableLayout quotedBy(std::string delimiter, text::TextEncoding encoding = text::TextEncoding::Windows1252) {
        return {true, std::move(delimiter), {}, encoding, true};
    }
    static TableLayout fixed(std::vector<int> lengths, text::TextEncoding encoding = text::TextEncoding::Windows1252) {
        return {false, {}, std::move(lengths), encoding, false};
    }
    // Whether lines are cut the same in either encoding: at a delimiter of plain ASCII.
    bool cutsAlikeInBothEncodings() const {
        if (!delimited) return false;
        for (char c : delimiter)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    }
    bool operator==(const TableLayout&) const = default;
};

// The layout a file is cut with in either encoding: which of them holds is
// known only once the file is read.
struct TableLayouts {
    TableLayout windows1252;
    TableLayout utf8;
    const TableLayout& in(text::TextEncoding encoding) const {
        return encoding == text::TextEncoding::Utf8 ? utf8 : windows1252;
    }
    // The same delimiter bytes or field lengths in either encoding.
    static TableLayouts alike(const TableLayout& layout) {
        TableLayouts both{layout, layout};
        both.windows1252.encoding = text::TextEncoding::Windows1252;
        both.utf8.encoding = text::TextEncoding::Utf8;
        return both;
    }
};

}  // namespace tabulyst
