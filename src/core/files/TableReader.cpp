#include "core/files/TableReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>

#include "core/files/FitColumnWidths.h"
#include "core/grid/StringGrid.h"
#include "core/grid/TableText.h"

namespace tabulyst {

namespace {

constexpr char kEndOfFile = 26;
constexpr std::size_t kMinimumRoom = std::size_t{1} << 20;

std::string errorText(int err) { return std::strerror(err); }

class FileHandle {
public:
    explicit FileHandle(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Reads the whole file into the text's buffer; on a failure err is set and
// what was read before it stays.
void readWholeFile(int fd, TableText& text, int& err) {
    struct stat st {};
    const std::size_t expected =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : 0;
    text.reserve(expected + 4096);  // room to see the end without growing
    std::size_t size = 0;
    for (;;) {
        // A file that grows while it is read, or one of no known size, grows the buffer.
        if (size == text.capacity()) text.reserve(std::max(size * 2, kMinimumRoom));
        const ssize_t n = ::read(fd, text.data() + size, text.capacity() - size);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
    }
    text.setSize(size);
}

bool hasUpperByte(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & kHighBits) return true;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return true;
    return false;
}

// Cuts each line into its fields, records where they end in the text and
// offers every cell to the width fit.
class LineSplitter {
public:
    LineSplitter(const TableReadLayout& layout, TableText& text, ColumnWidthFit* fit)
        : layout_(layout), text_(text), fit_(fit) {}

    // The line's text starts at start in the buffer (decoded in place for a UTF-8 file).
    void line(std::size_t start, std::string_view line) {
        if (line.size() > UINT32_MAX) throw std::length_error("line longer than 4 GiB");
        text_.beginLine(start);
        ++lines_;
        if (fit_) {
            char number[16];
            const char* end = std::to_chars(number, number + sizeof number, lines_).ptr;
            fit_->offer(0, std::string_view(number, static_cast<std::size_t>(end - number)));
        }
        if (layout_.delimited) splitAtDelimiter(line);
        else cutIntoLengths(line);
    }

    bool mismatch() const { return mismatch_; }

private:
    void field(std::size_t& col, std::string_view line, std::size_t begin, std::size_t end) {
        text_.addEnd(end);
        if (fit_) fit_->offer(++col, line.substr(begin, end - begin));
    }

    // As splitFields cuts it: n delimiters give n + 1 fields; an empty
    // delimiter gives the line as one field, an empty line none.
    void splitAtDelimiter(std::string_view line) {
        const std::string_view delimiter = layout_.delimiter;
        std::size_t col = 0;
        if (delimiter.empty()) {
            if (!line.empty()) field(col, line, 0, line.size());
            return;
        }
        std::size_t begin = 0;
        if (delimiter.size() == 1) {
            const char d = delimiter[0];
            for (;;) {
                const void* hit = std::memchr(line.data() + begin, d, line.size() - begin);
                if (!hit) break;
                const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - line.data());
                field(col, line, begin, at);
                begin = at + 1;
            }
        } else {
            for (std::size_t at; (at = line.find(delimiter, begin)) != std::string_view::npos;
                 begin = at + delimiter.size())
                field(col, line, begin, at);
        }
        field(col, line, begin, line.size());
    }

    void cutIntoLengths(std::string_view line) {
        std::size_t col = 0, pos = 0;
        for (int length : layout_.fieldLengths) {
            const std::size_t begin = std::min(pos, line.size());
            pos += static_cast<std::size_t>(std::max(length, 0));
            field(col, line, begin, std::min(pos, line.size()));
        }
        if (pos != line.size()) mismatch_ = true;
    }

    const TableReadLayout& layout_;
    TableText& text_;
    ColumnWidthFit* fit_;
    std::size_t lines_ = 0;
    bool mismatch_ = false;
};

// Splits the text read into lines. False when the decoder refused a line after
// it had decoded others: the file must be read again without decoding.
bool splitLines(TableText& text, LineDecoder& decoder, LineSplitter& splitter, LineEnds& lineEnds) {
    char* data = text.data();
    std::string_view all(data, text.size());
    const std::size_t end = std::min(all.find(kEndOfFile), all.size());  // code 26 ends the file
    all = all.substr(0, end);
    // Lines end at carriage returns when the file has one; else at line feeds.
    const bool cr = all.find('\r') != std::string_view::npos;
    // A file without any line end (empty, or one unended line) keeps CR LF.
    lineEnds = cr || all.find('\n') == std::string_view::npos ? LineEnds::CrLf : LineEnds::Lf;
    const char lineEnd = cr ? '\r' : '\n';
    bool first = true;
    for (std::size_t pos = 0; pos < end;) {
        const void* hit = std::memchr(data + pos, lineEnd, end - pos);
        const std::size_t stop = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : end;
        std::string_view line(data + pos, stop - pos);
        // Only the first line (for its mark) and lines with upper bytes can
        // change the decoder's mind; every other line reads as it stands.
        if (first || (!decoder.settled() && hasUpperByte(line))) {
            first = false;
            std::string_view decoded;
            if (!decoder.take(line, decoded)) return false;
            if (decoded.data() < line.data() || decoded.data() > line.data() + line.size()) {
                std::memcpy(data + pos, decoded.data(), decoded.size());  // never longer than the line
                decoded = std::string_view(data + pos, decoded.size());
            }
            line = decoded;
        }
        splitter.line(static_cast<std::size_t>(line.data() - data), line);
        if (!hit) break;
        pos = stop + 1;
        if (cr && pos < end && data[pos] == '\n') ++pos;  // a line feed after a carriage return ends the line too
    }
    return true;
}

// Hands the lines read to the grid, each row showing its line of the text,
// with the spare row after the last one.
void fillGrid(std::unique_ptr<TableText> text, const TableReadLayout& layout, StringGrid& grid, ColumnWidthFit* fit) {
    text->finish();
    const std::uint32_t lines = text->lineCount();
    std::vector<RowCells> rows;
    rows.reserve(std::size_t{lines} + 2);
    rows.emplace_back();  // row 0, the column numbers come later
    for (std::uint32_t i = 0; i < lines; ++i) rows.push_back(RowCells::onLine(*text, i, i + 1));
    char number[16];
    const char* end = std::to_chars(number, number + sizeof number, std::size_t{lines} + 1).ptr;
    const std::string_view spare(number, static_cast<std::size_t>(end - number));
    rows.push_back(RowCells::fromCells(std::span(&spare, 1)));
    if (fit) fit->offer(0, spare);
    const int cols = layout.delimited ? static_cast<int>(std::max<std::uint32_t>(text->maxCells(), 2))
                                      : static_cast<int>(layout.fieldLengths.size()) + 1;
    grid.setColCount(std::max(cols, grid.colCount()));
    grid.setRows(std::move(rows), std::move(text));
}

}  // namespace

TableReadResult readTableFile(const std::string& path, const TableReadLayout& layout, StringGrid& grid,
                              ColumnWidthFit* fit) {
    TableReadResult result;
    FileHandle file(path);
    if (file.fd() < 0) {
        result.error = errorText(errno);
        return result;
    }
    result.opened = true;
    const auto fitBefore = fit ? std::make_unique<ColumnWidthFit>(*fit) : nullptr;
    LineDecoder decoder;
    int err = 0;
    std::unique_ptr<TableText> text;
    try {
        for (bool decode = true;; decode = false) {
            text = std::make_unique<TableText>(layout.delimited, layout.delimiter, layout.fieldLengths);
            if (!decode) {
                // The lines decoded so far were changed in the buffer: the file is read again as it stands.
                decoder = LineDecoder(false);
                if (fit) *fit = *fitBefore;
                if (::lseek(file.fd(), 0, SEEK_SET) < 0) {
                    err = errno;
                    text.reset();
                    break;
                }
            }
            readWholeFile(file.fd(), *text, err);
            LineSplitter splitter(layout, *text, fit);
            try {
                if (!splitLines(*text, decoder, splitter, result.lineEnds)) continue;
            } catch (...) {
                text->dropOpenLine();  // what was read before stays in the grid
                fillGrid(std::move(text), layout, grid, fit);
                throw;
            }
            result.lengthMismatch = splitter.mismatch();
            break;
        }
        if (text) fillGrid(std::move(text), layout, grid, fit);
    } catch (const std::length_error&) {
        result.error = "Eine Zeile der Datei ist zu lang (mehr als 4 GiB).";
    } catch (const std::bad_alloc&) {
        result.error = "Nicht genug Arbeitsspeicher, um die Datei zu laden.";
    }
    // Also for the rows kept after a failure: they are decoded or not.
    result.encoding = decoder.encoding();
    result.notice = decoder.notice();
    if (!result.error.empty()) return result;
    if (err != 0) {
        result.error = errorText(err);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace tabulyst
