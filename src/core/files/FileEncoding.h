#pragma once
// How a table file is encoded, as far as saving it again needs to know, and the
// line-by-line detection while reading: a file that is UTF-8 throughout (with a
// byte-order mark, or without one but with a multi-byte sequence) is decoded
// into Windows-1252 when the code page holds every character; any other file
// is read as its bytes stand.
#include <string>
#include <string_view>

namespace tabulyst {

struct FileEncoding {
    bool byteOrderMark = false;  // the file began with EF BB BF: it goes back in front
    bool utf8 = false;           // cells were decoded from UTF-8: they are encoded again
    bool rawUtf8 = false;        // UTF-8 with characters the code page lacks, read as it stands: cells hold UTF-8
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

class LineDecoder {
public:
    // decode: false to read every line as it stands, still taking the
    // byte-order mark aside (the second reading after take refused a line).
    explicit LineDecoder(bool decode = true) : decode_(decode) {}

    // Sets text to what the line's fields are taken from: the line decoded or
    // as it stands, without the byte-order mark. Returns false when lines
    // handed on decoded before must be read again as they stand, because this
    // one shows the file is not to be decoded.
    bool take(std::string_view line, std::string_view& text);

    // Whether no later line can change the outcome any more (a line that is
    // not UTF-8 was seen): every further line reads as it stands.
    bool settled() const { return invalid_; }

    // For reading a file in two halves at once: this decoder takes the second
    // half's lines (no mark to look for), on its own.
    void startInTheMiddle() { first_ = false; }
    bool decodes() const { return decode_; }
    // Whether the lines later took, after the lines this one took, stand as
    // taken; if so this decoder goes on as if it had taken them itself. When
    // not, they must be taken again by this decoder.
    bool goOnAfter(const LineDecoder& later);

    FileEncoding encoding() const;
    // The status text for a file with a mark or multi-byte text that was not
    // decoded; nullptr when there is nothing to tell.
    const char* notice() const;

private:
    bool first_ = true;
    bool mark_ = false;
    bool decode_;
    bool decoded_ = false;  // a line held a multi-byte sequence
    bool unrepresentable_ = false;
    bool invalid_ = false;
    std::string buffer_;
};

}  // namespace tabulyst
