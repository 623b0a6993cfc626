#include "core/files/TableReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>

#include "core/files/Fields.h"
#include "core/grid/StringGrid.h"

namespace tabulyst {

namespace {

constexpr std::size_t kBlock = 4 << 20;
constexpr char kEndOfFile = 26;

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

    // Reads up to size bytes; -1 on error.
    ssize_t read(char* buffer, std::size_t size) {
        for (;;) {
            ssize_t n = ::read(fd_, buffer, size);
            if (n < 0 && errno == EINTR) continue;
            return n;
        }
    }

private:
    int fd_;
};

// Whether the file's lines end at carriage returns: true as soon as one is
// seen before the end of the file (or a code 26). lineFeed tells whether a
// line feed came before that point.
bool hasCarriageReturn(FileHandle& file, std::string& buffer, int& err, bool& lineFeed) {
    lineFeed = false;
    for (;;) {
        ssize_t n = file.read(buffer.data(), buffer.size());
        if (n < 0) {
            err = errno;
            return true;
        }
        if (n == 0) return false;
        std::string_view block(buffer.data(), static_cast<std::size_t>(n));
        std::size_t cr = block.find('\r');
        std::size_t eof = block.find(kEndOfFile);
        std::size_t lf = block.find('\n');
        if (lf != std::string_view::npos && (eof == std::string_view::npos || lf < eof)) lineFeed = true;
        if (cr != std::string_view::npos && (eof == std::string_view::npos || cr < eof)) return true;
        if (eof != std::string_view::npos) return false;
    }
}

// Builds the grid rows line by line.
class RowBuilder {
public:
    RowBuilder(const TableReadLayout& layout, StringGrid& grid) : layout_(layout), grid_(grid) {
        rows_.emplace_back(RowCells());  // row 0, the column numbers come later
    }

    void line(std::string_view text) {
        std::size_t row = rows_.size();
        auto [end, ec] = std::to_chars(number_, number_ + sizeof number_, row);
        (void)ec;
        cells_.clear();
        cells_.emplace_back(number_, static_cast<std::size_t>(end - number_));
        if (layout_.delimited) {
            splitFields(text, layout_.delimiter, fields_);
            cells_.insert(cells_.end(), fields_.begin(), fields_.end());
            maxCols_ = std::max(maxCols_, fields_.size() + 1);
        } else {
            std::size_t pos = 0;
            for (int length : layout_.fieldLengths) {
                std::size_t len = static_cast<std::size_t>(std::max(length, 0));
                cells_.push_back(pos < text.size() ? text.substr(pos, len) : std::string_view());
                pos += len;
            }
            if (pos != text.size()) mismatch_ = true;
        }
        rows_.push_back(RowCells::fromCells(cells_, static_cast<std::uint32_t>(cells_.size())));
    }

    // Hands the rows to the grid with the spare row after the last one.
    void finish() {
        rows_.emplace_back(RowCells());
        int cols = layout_.delimited ? static_cast<int>(std::max<std::size_t>(maxCols_, 2))
                                     : static_cast<int>(layout_.fieldLengths.size()) + 1;
        grid_.setColCount(std::max(cols, grid_.colCount()));
        grid_.setRows(std::move(rows_));
    }

    bool mismatch() const { return mismatch_; }

private:
    const TableReadLayout& layout_;
    StringGrid& grid_;
    std::vector<RowCells> rows_;
    std::vector<std::string_view> fields_;
    std::vector<std::string_view> cells_;
    std::size_t maxCols_ = 2;
    bool mismatch_ = false;
    char number_[24];
};

// False, with the grid untouched, when the decoder refused a line after it had
// decoded others: the caller reads the file again without decoding.
bool readLines(FileHandle& file, std::string& buffer, bool cr, LineDecoder& decoder, const TableReadLayout& layout,
               StringGrid& grid, TableReadResult& result, int& err);

}  // namespace

TableReadResult readTableFile(const std::string& path, const TableReadLayout& layout, StringGrid& grid) {
    TableReadResult result;
    FileHandle file(path);
    if (file.fd() < 0) {
        result.error = errorText(errno);
        return result;
    }
    result.opened = true;
    // A small file needs no 4 MiB block: filling one costs more than reading
    // the file (cyclic reloading reads small files many times a second).
    struct stat st {};
    std::size_t block = kBlock;
    if (::fstat(file.fd(), &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) < kBlock)
        block = static_cast<std::size_t>(st.st_size) + 1;  // + 1: a file still growing is read on in blocks
    std::string buffer(block, '\0');
    int err = 0;
    bool lineFeed = false;
    const bool cr = hasCarriageReturn(file, buffer, err, lineFeed);
    if (err == 0 && ::lseek(file.fd(), 0, SEEK_SET) < 0) err = errno;
    // A file without any line end (empty, or one unended line) keeps CR LF.
    result.lineEnds = cr || !lineFeed ? LineEnds::CrLf : LineEnds::Lf;

    LineDecoder decoder;
    try {
        if (!readLines(file, buffer, cr, decoder, layout, grid, result, err)) {
            decoder = LineDecoder(false);
            if (::lseek(file.fd(), 0, SEEK_SET) < 0) err = errno;
            else readLines(file, buffer, cr, decoder, layout, grid, result, err);
        }
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

namespace {

bool readLines(FileHandle& file, std::string& buffer, bool cr, LineDecoder& decoder, const TableReadLayout& layout,
               StringGrid& grid, TableReadResult& result, int& err) {
    const char lineEnd = cr ? '\r' : '\n';
    RowBuilder rows(layout, grid);
    std::string_view text;
    // Hands a line on decoded or as it stands; false to start again.
    auto line = [&](std::string_view raw) {
        if (!decoder.take(raw, text)) return false;
        rows.line(text);
        return true;
    };
    std::string pending;       // a line that continues in the next block
    bool skipLf = false;       // a CR ended the last block: a LF may follow
    bool ended = false;
    try {
        while (err == 0 && !ended) {
            ssize_t n = file.read(buffer.data(), buffer.size());
            if (n < 0) {
                err = errno;
                break;
            }
            if (n == 0) break;
            std::string_view block(buffer.data(), static_cast<std::size_t>(n));
            if (std::size_t eof = block.find(kEndOfFile); eof != std::string_view::npos) {
                block = block.substr(0, eof);
                ended = true;
            }
            std::size_t pos = 0;
            if (skipLf && !block.empty()) {
                if (block[0] == '\n') pos = 1;
                skipLf = false;
            }
            while (pos < block.size()) {
                const char* hit = static_cast<const char*>(std::memchr(block.data() + pos, lineEnd, block.size() - pos));
                if (!hit) {
                    pending.append(block.data() + pos, block.size() - pos);
                    break;
                }
                std::size_t stop = static_cast<std::size_t>(hit - block.data());
                if (pending.empty()) {
                    if (!line(block.substr(pos, stop - pos))) return false;
                } else {
                    pending.append(block.data() + pos, stop - pos);
                    if (!line(pending)) return false;
                    pending.clear();
                }
                pos = stop + 1;
                if (cr) {
                    if (pos < block.size()) {
                        if (block[pos] == '\n') ++pos;
                    } else {
                        skipLf = true;
                    }
                }
            }
        }
        if (!pending.empty() && !line(pending)) return false;
    } catch (...) {
        rows.finish();  // what was read stays in the grid
        throw;
    }
    rows.finish();
    result.lengthMismatch = rows.mismatch();
    return true;
}

}  // namespace

}  // namespace tabulyst
