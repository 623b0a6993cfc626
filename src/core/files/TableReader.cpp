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
#include <system_error>
#include <thread>

#include "core/files/FileSnapshot.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/TableReadAhead.h"
#include "core/files/TableScan.h"
#include "core/grid/HugePages.h"
#include "core/grid/StringGrid.h"
#include "core/grid/TableLimits.h"
#include "core/grid/TableText.h"
#include "core/platform/AdvanceTable.h"

namespace tabulyst {

namespace {

constexpr std::size_t kMinimumRoom = std::size_t{1} << 20;
constexpr std::size_t kReadInTwoFrom = std::size_t{1} << 20;

std::string errorText(int err) { return std::strerror(err); }

std::string limitText(TableLimit limit) {
    switch (limit) {
    case TableLimit::Records:
        return "Die Datei hat zu viele Zeilen und Felder (zusammen mehr als rund vier Milliarden).";
    case TableLimit::Fields:
        return "Eine Zeile der Datei hat zu viele Felder (mehr als 1.073.741.823).";
    case TableLimit::LineLength:
        break;
    }
    return "Eine Zeile der Datei ist zu lang (mehr als 4 GiB).";
}

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

// Reads count bytes at offset into to, as far as the file has them; how many.
std::size_t readAt(int fd, char* to, std::size_t count, std::size_t offset, int& err) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, to + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = errno;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Reads the whole file into the text's buffer; on a failure err is set and
// what was read before it stays. A big file's second half is read on another
// thread meanwhile: most of a read is the system's work on fresh pages.
void readWholeFile(int fd, TableText& text, int& err) {
    struct stat st {};
    const std::size_t expected =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : 0;
    text.reserve(expected + 4096);  // room to see the end without growing
    std::size_t size = 0;
    if (expected >= kReadInTwoFrom && std::thread::hardware_concurrency() > 1) {
        const std::size_t half = expected / 2;
        std::size_t second = 0;
        int secondErr = 0;
        try {
            std::thread helper([&] { second = readAt(fd, text.data() + half, expected - half, half, secondErr); });
            size = readAt(fd, text.data(), half, 0, err);
            helper.join();
        } catch (const std::system_error&) {
            // No second thread: read in one go below.
        }
        // Where the file has become shorter, what follows the gap is not taken.
        if (size == half && !err) {
            err = secondErr;
            size += second;
        }
        if (err || ::lseek(fd, static_cast<off_t>(size), SEEK_SET) < 0) {
            if (!err) err = errno;
            text.setSize(size);
            return;
        }
    }
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

// Offers every cell read to the width fit: the row numbers (the spare row's
// too) and the fields. Where widths are sums of advances, the widest sum of
// each column, worked out while splitting, stands for the column's fields.
void fitLines(const TableText& text, ColumnWidthFit& fit, const std::vector<int>* widest) {
    fit.addColumns(text.maxCells());
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
void fillGrid(std::unique_ptr<TableText> text, const TableLayout& layout, StringGrid& grid, ColumnWidthFit* fit,
              const std::vector<int>* widest, TableReadResult& result) {
    text->finish();
    if (const std::vector<std::size_t>& plain = text->plainRecords(); !plain.empty()) {
        result.unclosedQuoteRows = plain.size();
        std::uint32_t row = 0;
        text->forEachLine([&](TableText::Line line) {
            ++row;
            if (!result.firstUnclosedQuoteRow && text->lineStart(line) == plain.front()) result.firstUnclosedQuoteRow = row;
        });
    }
    if (fit) fitLines(*text, *fit, widest);
    const std::uint32_t lines = text->lineCount();
    std::vector<RowCells> rows;
    // Room for rows the user inserts: capacity never written costs no memory.
    rows.reserve(std::size_t{lines} + 2 + std::max<std::size_t>(lines / 16, 1024));
    preferHugePages(rows.data(), rows.capacity() * sizeof(RowCells));
    rows.emplace_back();  // row 0, the column numbers come later
    std::uint32_t row = 0;
    text->forEachLine([&](TableText::Line line) { rows.emplace_back(*text, line, ++row); });
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

namespace {

// Reads the whole file from its start and splits it with layout; nullptr when
// it cannot be read (err tells why).
// utf8Weights: what the fields of a UTF-8 file are summed with instead.
std::unique_ptr<TableText> readAndSplit(int fd, const TableLayout& layout, Utf8Detector& detector,
                                        const TableScan::Weights* weights, const TableScan::Weights* utf8Weights,
                                        TableReadResult& result, std::vector<int>& widest, int& err,
                                        ProgressScope* progress) {
    auto text = std::make_unique<TableText>(layout);
    // A big file is mapped where it can be kept unchanged so; else read.
    if (auto snapshot = FileSnapshot::take(fd, TableText::kSlack)) {
        text->adopt(std::move(snapshot));
    } else {
        if (::lseek(fd, 0, SEEK_SET) < 0) {
            err = errno;
            return nullptr;
        }
        readWholeFile(fd, *text, err);
        if (err != 0) return nullptr;
    }
    TableScan scan(*text, layout, detector);
    scan.sumWith(weights, utf8Weights);
    workOnAllProcessors(scan, 0, progress);
    if (scan.cancelled()) {
        result.cancelled = true;
        return nullptr;
    }
    scan.finish(weights, utf8Weights);
    result.format.lineEnds = scan.lineEnds();
    result.format.lastLineEnded = scan.lastLineEnded();
    result.lengthMismatch = scan.lengthMismatch();
    widest = std::move(scan.widest());
    return text;
}

}  // namespace

TableReadResult readTableFile(const std::string& path, const TableLayouts& layouts, StringGrid& grid,
                              ColumnWidthFit* fit, TableReadAhead* readAhead, ProgressScope* progress) {
    TableReadResult result;
    FileHandle file(path);
    if (file.fd() < 0) {
        result.error = errorText(errno);
        return result;
    }
    Utf8Detector detector;
    int err = 0;
    std::unique_ptr<TableText> text;
    const TableScan::Weights* weights = summableWeights(fit ? fit->advanceTable() : nullptr);
    const TableScan::Weights* utf8Weights =
        weights ? summableWeights(fit->advanceTable()->forUtf8Cells().advanceTable()) : nullptr;
    std::vector<int> widest;
    const TableLayout* layout = &layouts.windows1252;
    try {
        // The file named at start may have been read while the windows were made.
        std::optional<LinesReadAhead> ahead;
        if (readAhead) ahead = readAhead->take(file.fd(), *layout, weights, utf8Weights, progress);
        if (ahead && ahead->cancelled) {
            result.cancelled = true;
        } else if (ahead) {
            text = std::move(ahead->text);
            detector = ahead->detector;
            result.format.lineEnds = ahead->lineEnds;
            result.format.lastLineEnded = ahead->lastLineEnded;
            result.lengthMismatch = ahead->lengthMismatch;
            widest = std::move(ahead->widest);
        } else {
            text = readAndSplit(file.fd(), *layout, detector, weights, utf8Weights, result, widest, err, progress);
        }
        if (text && detector.encoding().utf8) {
            // Lines are cut alike in both encodings at a delimiter of plain
            // ASCII; any other layout cuts a UTF-8 file again in characters.
            if (layout->cutsAlikeInBothEncodings()) {
                text->setEncoding(text::TextEncoding::Utf8);
            } else {
                layout = &layouts.utf8;
                text.reset();
                detector = Utf8Detector();
                text = readAndSplit(file.fd(), *layout, detector, weights, utf8Weights, result, widest, err, progress);
            }
            if (fit) fit->measureUtf8Cells();
        }
        if (text) fillGrid(std::move(text), *layout, grid, fit, weights ? &widest : nullptr, result);
    } catch (const TableLimitReached& reached) {
        result.error = limitText(reached.limit());
    } catch (const std::length_error&) {
        result.error = limitText(TableLimit::LineLength);
    } catch (const std::bad_alloc&) {
        result.error = "Nicht genug Arbeitsspeicher, um die Datei zu laden.";
    }
    result.format.encoding = detector.encoding();
    result.notice = detector.notice();
    if (!result.error.empty() || result.cancelled) return result;
    if (err != 0) {
        result.error = errorText(err);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace tabulyst
