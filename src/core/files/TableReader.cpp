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
#include <optional>
#include <stdexcept>
#include <string_view>
#include <thread>

#include "core/files/FileSnapshot.h"
#include "core/files/FileSnapshotAhead.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/LineScan.h"
#include "core/grid/LineSums.h"
#include "core/grid/StringGrid.h"
#include "core/grid/TableText.h"
#include "core/platform/AdvanceTable.h"

namespace tabulyst {

namespace {

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

// Cuts a line into its fields as splitFields does (n delimiters give n + 1
// fields; an empty delimiter gives the line as one field, an empty line none)
// or into the field lengths, and adds it to the text.
class LineSplitter {
public:
    LineSplitter(const TableReadLayout& layout, TableText& text) : layout_(layout), text_(text) {}

    // The line's text starts at start in the buffer (decoded in place for a UTF-8 file).
    void line(std::size_t start, std::string_view line) {
        if (line.size() > UINT32_MAX) throw std::length_error("line longer than 4 GiB");
        text_.beginLine(start);
        if (layout_.delimited) splitAtDelimiter(line);
        else cutIntoLengths(line);
        text_.endLine();
    }

    bool mismatch() const { return mismatch_; }
    void noteMismatch() { mismatch_ = true; }

private:
    void splitAtDelimiter(std::string_view line) {
        const std::string_view delimiter = layout_.delimiter;
        if (delimiter.empty()) {
            if (!line.empty()) text_.addEnd(line.size());
            return;
        }
        for (std::size_t at = 0; (at = line.find(delimiter, at)) != std::string_view::npos; at += delimiter.size())
            text_.addEnd(at);
        text_.addEnd(line.size());
    }

    void cutIntoLengths(std::string_view line) {
        std::size_t pos = 0;
        for (int length : layout_.fieldLengths) {
            pos += static_cast<std::size_t>(std::max(length, 0));
            text_.addEnd(std::min(pos, line.size()));
        }
        if (pos != line.size()) mismatch_ = true;
    }

    const TableReadLayout& layout_;
    TableText& text_;
    bool mismatch_ = false;
};

// Takes the lines the scan finds. A one-byte delimiter is found by the scan
// itself, and its ends go straight into the text's storage; any other layout
// cuts each line on its own. Only the first line (for its mark) and lines with
// upper bytes can change the decoder's mind; a line it decodes is split again
// in its decoded text. Where widths are sums of advances, each line's fields
// are summed as soon as it is split, while its bytes are still at hand.
class LineTaker {
public:
    // weights: the advances, or nullptr. inTheMiddle: the lines are the
    // second half of a file (the first line has no mark to look for).
    LineTaker(TableText& text, LineDecoder& decoder, LineSplitter& splitter, const TableReadLayout& layout,
              const std::array<int, 256>* weights, bool inTheMiddle = false)
        : text_(text), decoder_(decoder), splitter_(splitter),
          scanSplits_(layout.delimited && layout.delimiter.size() == 1),
          delimiter_(scanSplits_ ? layout.delimiter[0] : '\0'), weights_(weights), first_(!inTheMiddle) {
        if (weights_) sums_.emplace(*weights_);
    }

    bool scanSplits() const { return scanSplits_; }
    char delimiter() const { return delimiter_; }
    // Positions the scan reports count from here in the buffer.
    void setOrigin(std::size_t origin) { origin_ = origin; }
    // Whether a decoded line was written over the file's bytes.
    bool wrote() const { return wrote_; }
    // The file's line end: a decoded line, split again, cannot hold it.
    void setLineEnd(char lineEnd) { lineEnd_ = lineEnd; }

    // For each field place, the widest sum of advances among the lines taken.
    std::vector<int>& widest() { return widest_; }

    void delimiter(std::size_t lineStart, std::size_t pos) {
        open(lineStart);
        addEnd(pos - lineStart);
    }
    // A run of delimiters in one line, with the next end's place kept at hand.
    void delimiters(std::size_t lineStart, std::size_t base, std::uint64_t mask) {
        if (lineStart > base) mask &= lineStart - base >= 64 ? 0 : ~std::uint64_t{0} << (lineStart - base);
        if (!mask) return;
        open(lineStart);
        std::uint16_t* out = out_;
        do {
            const std::size_t pos = base + static_cast<unsigned>(__builtin_ctzll(mask));
            mask &= mask - 1;
            const std::size_t end = pos - lineStart;
            if (out < limit_ && end <= 0xFFFF) {
                *out++ = static_cast<std::uint16_t>(end);
                continue;
            }
            out_ = out;
            addEnd(end);
            out = out_;
        } while (mask);
        out_ = out;
    }

    bool line(std::size_t lineStart, std::size_t stop, bool upper) {
        char* data = text_.data();
        const std::size_t start = origin_ + lineStart;
        std::string_view line(data + start, stop - lineStart);
        if (!redoing_ && (first_ || (upper && !decoder_.settled()))) {
            first_ = false;
            std::string_view decoded;
            if (!decoder_.take(line, decoded)) return false;
            if (decoded.data() < line.data() || decoded.data() > line.data() + line.size()) {
                text_.makeWritable();
                std::memcpy(data + start, decoded.data(), decoded.size());  // never longer than the line
                wrote_ = true;
                decoded = std::string_view(data + start, decoded.size());
            }
            if (decoded != line || decoded.data() != line.data()) {
                splitAgain(static_cast<std::size_t>(decoded.data() - data), decoded);
                lineDone();
                return true;
            }
        }
        if (!scanSplits_) {
            splitAgain(start, line);
            lineDone();
            return true;
        }
        open(lineStart);
        addEnd(stop - lineStart);  // the last field ends at the line end
        sync();
        text_.endLine();
        open_ = false;
        if (!redoing_) lineDone();
        return true;
    }

private:
    void lineDone() {
        if (!weights_) return;
        if (widest_.size() < text_.maxCells()) widest_.resize(text_.maxCells(), 0);
        text_.addFieldSums(text_.lastLine(), *sums_, widest_);
    }
    void open(std::size_t lineStart) {
        if (open_) return;
        text_.beginLine(origin_ + lineStart);
        open_ = true;
        restartRoom();
    }
    void addEnd(std::size_t end) {
        if (out_ < limit_ && end <= 0xFFFF) {
            *out_++ = static_cast<std::uint16_t>(end);
            return;
        }
        sync();
        text_.addEnd(end);
        restartRoom();
    }
    void sync() {
        text_.endsWritten(static_cast<std::size_t>(out_ - written_));
        written_ = out_;
    }
    void restartRoom() {
        std::size_t room = 0;
        out_ = written_ = text_.endRoom(room);
        limit_ = out_ ? out_ + room : nullptr;
    }
    // Drops what the scan found of the line and splits its (decoded) text anew.
    void splitAgain(std::size_t start, std::string_view line) {
        sync();
        text_.dropLine();
        open_ = false;
        if (scanSplits_) {
            redoing_ = true;
            const std::size_t origin = origin_;
            origin_ = start;
            // The scan reports no line for no text: an empty line is taken as it is.
            if (line.empty()) this->line(0, 0, false);
            else scanLines(line.data(), line.size(), lineEnd_, delimiter_, false, *this);
            origin_ = origin;
            redoing_ = false;
        } else {
            splitter_.line(start, line);
        }
    }

    TableText& text_;
    LineDecoder& decoder_;
    LineSplitter& splitter_;
    const bool scanSplits_;
    const char delimiter_;
    const std::array<int, 256>* weights_;
    std::vector<int> widest_;
    std::optional<LineSums> sums_;  // the running sums over a line
    char lineEnd_ = '\n';
    bool wrote_ = false;
    bool first_;
    bool open_ = false;                 // the text has the line begun
    bool redoing_ = false;              // splitting a decoded line again
    std::size_t origin_ = 0;            // where the scanned text (or the line split again) starts
    std::uint16_t* out_ = nullptr;      // where the next end goes, up to limit_ in place
    std::uint16_t* limit_ = nullptr;
    std::uint16_t* written_ = nullptr;  // the ends before it are counted by the text
};

// Files from this size on are split in two halves at once where there are two processors.
constexpr std::size_t kSplitInTwoFrom = std::size_t{1} << 20;

// Where a second scan can start: right after the first line end from the
// middle of the text on; end when there is none.
std::size_t secondHalf(const char* data, std::size_t end, char lineEnd, bool crLf) {
    const auto* at = static_cast<const char*>(std::memchr(data + end / 2, lineEnd, end - end / 2));
    if (!at) return end;
    std::size_t start = static_cast<std::size_t>(at - data) + 1;
    if (crLf && start < end && data[start] == '\n') ++start;
    return start;
}

// Splits the text read into lines. False when the decoder refused a line after
// it had decoded others: the file must be read again without decoding. A big
// text is split in two halves at once, each with its own decoder; the second
// half's lines are kept when they were decoded (or not) just as the first
// half's decoder would have done, else they are split again after the first
// (or, where they were decoded in place, the file is read again as it stands).
bool splitLines(TableText& text, LineTaker& taker, LineSplitter& splitter, const TableReadLayout& layout,
                LineDecoder& decoder, const std::array<int, 256>* weights, LineEnds& lineEnds) {
    const char* data = text.data();
    const std::size_t size = text.size();
    // Code 26 ends the file: the scan stops at it, and a line end after it counts for nothing.
    auto firstBeforeCode26 = [&](char ch) {
        const auto* at = static_cast<const char*>(std::memchr(data, ch, size));
        return at && !std::memchr(data, kEndOfFileCode, static_cast<std::size_t>(at - data));
    };
    // Lines end at carriage returns when the file has one; else at line feeds.
    const bool cr = firstBeforeCode26('\r');
    // A file without any line end (empty, or one unended line) keeps CR LF.
    lineEnds = cr || !firstBeforeCode26('\n') ? LineEnds::CrLf : LineEnds::Lf;
    const char lineEnd = cr ? '\r' : '\n';
    const char stop = taker.scanSplits() ? taker.delimiter() : lineEnd;
    taker.setLineEnd(lineEnd);
    const std::size_t mid =
        size >= kSplitInTwoFrom && std::thread::hardware_concurrency() > 1 ? secondHalf(data, size, lineEnd, cr) : size;
    if (mid >= size) return scanLines(data, size, lineEnd, stop, cr, taker, true);

    TableText part(layout.delimited, layout.delimiter, layout.fieldLengths);
    part.borrowBuffer(text);
    LineSplitter partSplitter(layout, part);
    LineDecoder partDecoder(decoder.decodes());
    partDecoder.startInTheMiddle();
    LineTaker partTaker(part, partDecoder, partSplitter, layout, weights, true);
    partTaker.setOrigin(mid);
    partTaker.setLineEnd(lineEnd);
    bool partDone = false;
    std::thread helper([&] {
        try {
            partDone = scanLines(data + mid, size - mid, lineEnd, stop, cr, partTaker, true);
        } catch (...) {
            // Split again in order below, where the failure is reported.
        }
    });
    bool ok = false;
    std::size_t stoppedAt = mid;  // the first half's end, or its code 26
    try {
        ok = scanLines(data, mid, lineEnd, stop, cr, taker, true, &stoppedAt);
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (!ok) return false;
    if (stoppedAt < mid) return true;  // the second half lies behind the file's end
    if (partDone && text.canAppend(part) && decoder.goOnAfter(partDecoder)) {
        text.append(part);
        std::vector<int>& widest = taker.widest();
        const std::vector<int>& more = partTaker.widest();
        if (widest.size() < more.size()) widest.resize(more.size(), 0);
        for (std::size_t p = 0; p < more.size(); ++p) widest[p] = std::max(widest[p], more[p]);
        if (partSplitter.mismatch()) splitter.noteMismatch();
        return true;
    }
    // Decoded lines not kept have changed the bytes the first half's decoder
    // would now see; every outcome that rejects them reads the file as it stands.
    if (partTaker.wrote()) return false;
    taker.setOrigin(mid);
    ok = scanLines(data + mid, size - mid, lineEnd, stop, cr, taker, true);
    taker.setOrigin(0);
    return ok;
}

// Offers every cell read to the width fit: the row numbers (the spare row's
// too) and the fields. Where widths are sums of advances, the widest sum of
// each column, worked out while splitting, stands for the column's fields.
void fitLines(const TableText& text, ColumnWidthFit& fit, const std::vector<int>* widest) {
    fit.offerNumbers(std::uint64_t{text.lineCount()} + 1);
    if (!widest) {
        text.forEachLine([&](TableText::Line line) {
            text.forEachField(line, [&fit](std::size_t col, std::string_view field) { fit.offer(col, field); });
        });
        return;
    }
    for (std::size_t col = 1; col < widest->size(); ++col)
        if ((*widest)[col] > 0) fit.offerWidth(col, (*widest)[col]);
}

// Hands the lines read to the grid, each row showing its line of the text,
// with the spare row after the last one.
// widest: the sums worked out while splitting, or nullptr.
void fillGrid(std::unique_ptr<TableText> text, const TableReadLayout& layout, StringGrid& grid, ColumnWidthFit* fit,
              const std::vector<int>* widest) {
    text->finish();
    if (fit) fitLines(*text, *fit, widest);
    const std::uint32_t lines = text->lineCount();
    std::vector<RowCells> rows;
    // Room for rows the user inserts: capacity never written costs no memory.
    rows.reserve(std::size_t{lines} + 2 + std::max<std::size_t>(lines / 16, 1024));
    rows.emplace_back();  // row 0, the column numbers come later
    std::uint32_t row = 0;
    text->forEachLine([&](TableText::Line line) { rows.push_back(RowCells::onLine(*text, line, ++row)); });
    char number[16];
    const char* end = std::to_chars(number, number + sizeof number, std::size_t{lines} + 1).ptr;
    const std::string_view spare(number, static_cast<std::size_t>(end - number));
    rows.push_back(RowCells::fromCells(std::span(&spare, 1)));
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
    LineDecoder decoder;
    int err = 0;
    std::unique_ptr<TableText> text;
    // Where widths are sums of advances (each small enough to add two in 16
    // bits), the fields are summed while they are split.
    const AdvanceTable* advances = fit ? fit->advanceTable() : nullptr;
    const std::array<int, 256>* weights = advances ? &advances->advances() : nullptr;
    if (weights && std::any_of(weights->begin(), weights->end(), [](int a) { return a < 0 || a > 0x7FFF; }))
        weights = nullptr;
    std::vector<int> widest;
    try {
        for (bool decode = true;; decode = false) {
            text = std::make_unique<TableText>(layout.delimited, layout.delimiter, layout.fieldLengths);
            if (!decode) {
                // The lines decoded so far were changed in the buffer: the file is read again as it stands.
                decoder = LineDecoder(false);
                if (::lseek(file.fd(), 0, SEEK_SET) < 0) {
                    err = errno;
                    text.reset();
                    break;
                }
            }
            // A big file is mapped where it can be kept unchanged so; else read.
            // A file that starts as UTF-8 is read: its decoded lines change the buffer.
            std::unique_ptr<FileSnapshot> snapshot;
            if (!fileStartsWithByteOrderMark(file.fd())) {
                snapshot = takeSnapshotAhead(file.fd());
                if (!snapshot) snapshot = FileSnapshot::take(file.fd(), TableText::kSlack);
            }
            if (snapshot) text->adopt(std::move(snapshot));
            else readWholeFile(file.fd(), *text, err);
            LineSplitter splitter(layout, *text);
            LineTaker taker(*text, decoder, splitter, layout, weights);
            try {
                if (!splitLines(*text, taker, splitter, layout, decoder, weights, result.lineEnds)) continue;
            } catch (...) {
                // What was read before stays in the grid (the line being read is dropped).
                fillGrid(std::move(text), layout, grid, fit, weights ? &taker.widest() : nullptr);
                throw;
            }
            result.lengthMismatch = splitter.mismatch();
            widest = std::move(taker.widest());
            break;
        }
        if (text) fillGrid(std::move(text), layout, grid, fit, weights ? &widest : nullptr);
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
