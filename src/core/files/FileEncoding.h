#pragma once
// How a table file is encoded, and finding it out while the lines are read: a
// file that is valid UTF-8 throughout and has a byte-order mark or a
// multi-byte sequence is a UTF-8 table, whose cells hold the file's bytes as
// they stand; any other file is a Windows-1252 table, one byte a character.
#include <string_view>

#include "core/text/TextEncoding.h"

namespace tabulyst {

struct FileEncoding {
    bool byteOrderMark = false;  // the file began with EF BB BF: it goes back in front
    bool utf8 = false;           // the cells hold UTF-8, else Windows-1252
    text::TextEncoding cells() const { return utf8 ? text::TextEncoding::Utf8 : text::TextEncoding::Windows1252; }
    bool operator==(const FileEncoding&) const = default;
};

// "UTF-8", "UTF-8 mit BOM" or "Windows-1252": what the next save writes.
const char* encodingCaption(const FileEncoding& encoding);

enum class LineEnds { CrLf, Lf };

// What a save must write back as the file had it: the encoding, the line
// ends, and whether the last line ends with one. A new table is Windows-1252
// with CR LF.
struct FileFormat {
    FileEncoding encoding;
    LineEnds lineEnds = LineEnds::CrLf;  // Lf: line feeds but no carriage return at all
    bool lastLineEnded = true;           // false: the last line (or an empty file) has no line end
    bool operator==(const FileFormat&) const = default;
};

// Whether the file open at fd begins with the UTF-8 byte-order mark.
bool fileStartsWithByteOrderMark(int fd);

// Looks at the lines of a file as they are read and tells its encoding. Only
// the first line (for the mark) and lines with a byte from 0x80 up need to be
// shown to it; it never changes a line.
class Utf8Detector {
public:
    // Sets text to the line without the byte-order mark (only the first line has one).
    void take(std::string_view line, std::string_view& text);

    // Whether no later line can change the outcome any more (a line that is
    // not UTF-8 was seen).
    bool settled() const { return invalid_; }

    // For reading a file in pieces at once: this detector takes a later
    // piece's lines (no mark to look for), on its own.
    void startInTheMiddle() { first_ = false; }
    // Takes in what a detector of the lines right after this one's found.
    void join(const Utf8Detector& later);

    FileEncoding encoding() const { return {mark_, mark_ ? !invalid_ : (multiByte_ && !invalid_)}; }
    // The status text for a file with a mark that is not UTF-8 after all;
    // nullptr when there is nothing to tell.
    const char* notice() const;

private:
    bool first_ = true;
    bool mark_ = false;
    bool multiByte_ = false;  // a line held a multi-byte sequence
    bool invalid_ = false;
};

}  // namespace tabulyst
