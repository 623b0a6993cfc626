#include "core/files/TableScan.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>

#include "core/files/LineScan.h"
#include "core/files/quoted/QuotedScan.h"
#include "core/grid/LineSums.h"
#include "core/grid/TableLimits.h"
#include "core/grid/TableText.h"
#include "core/platform/AdvanceTable.h"
#include "core/platform/Progress.h"
#include "core/text/TextLength.h"
#include "core/text/Utf8Text.h"

namespace tabulyst {

namespace {

// Cuts a line into its fields as splitFields does (n delimiters give n + 1
// fields; an empty delimiter gives the line as one field, an empty line none)
// or into the field lengths, and adds it to the text.
class LineSplitter {
public:
    LineSplitter(const TableLayout& layout, TableText& text) : layout_(layout), text_(text) {}

    // The line's text starts at start in the buffer.
    void line(std::size_t start, std::string_view line) {
        if (line.size() > UINT32_MAX) throw TableLimitReached(TableLimit::LineLength);
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
        text::LengthCutter cutter(line, layout_.encoding);
        for (int length : layout_.fieldLengths) text_.addEnd(cutter.next(static_cast<std::size_t>(std::max(length, 0))));
        if (!cutter.fits()) mismatch_ = true;
    }

    const TableLayout& layout_;
    TableText& text_;
    bool mismatch_ = false;
};

// Takes the lines the scan finds. A one-byte delimiter is found by the scan
// itself, and its ends go straight into the text's storage; any other layout
// cuts each line on its own. Only the first line (for its mark) and lines with
// upper bytes are shown to the detector; the first line is split again
// without its mark. Where widths are sums of advances, each line's fields are
// summed as soon as it is split, while its bytes are still at hand.
class LineTaker {
public:
    // sums: the running sums with the advances, or nullptr for no sums;
    // widest takes the fields' widest sums. inTheMiddle: the lines follow
    // others of the file (the first line has no mark to look for).
    LineTaker(TableText& text, Utf8Detector& detector, LineSplitter& splitter, const TableLayout& layout,
              LineSums* sums, std::vector<int>& widest, bool inTheMiddle)
        : text_(text), detector_(detector), splitter_(splitter), quoted_(layout.delimited && layout.quoted),
          scanSplits_(layout.delimited && (layout.delimiter.size() == 1 || quoted_)),
          delimiter_(layout.delimited && layout.delimiter.size() == 1 ? layout.delimiter[0] : '\0'),
          noDelimiter_(layout.delimited && layout.delimiter.empty()), sums_(sums), widest_(widest),
          first_(!inTheMiddle) {}

    bool scanSplits() const { return scanSplits_; }
    bool quoted() const { return quoted_; }
    // The first lines' sums go one by one into heads (up to kHeadLines of
    // them) instead of widest: a piece may begin inside a quoted field, and
    // its first lines be dropped when the pieces are joined.
    static constexpr std::size_t kHeadLines = 4;
    void sumHeadsApart(std::vector<std::vector<int>>* heads) { heads_ = heads; }
    // After each line: stop(where the next line starts) ends the scan when true.
    void stopWhen(const std::function<bool(std::size_t)>* stop) { stop_ = stop; }
    char delimiter() const { return delimiter_; }
    // Positions the scan reports count from here in the buffer.
    void setOrigin(std::size_t origin) { origin_ = origin; }
    // The file's line end: a line split again cannot hold it.
    void setLineEnd(char lineEnd) { lineEnd_ = lineEnd; }

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

    void quoted(std::size_t, std::size_t, std::size_t, bool) { text_.noteQuotedField(); }
    // The line is split again without quotes: the quote at quote never closes.
    void restartPlain(std::size_t lineStart, std::size_t) {
        drop(lineStart);
        plainStart_ = origin_ + lineStart;
    }
    // What was found of the line is forgotten.
    void drop(std::size_t) {
        sync();
        text_.dropLine();
        open_ = false;
    }

    bool line(std::size_t lineStart, std::size_t stop, bool upper) {
        char* data = text_.data();
        const std::size_t start = origin_ + lineStart;
        std::string_view line(data + start, stop - lineStart);
        if (!redoing_ && (first_ || (upper && !detector_.settled()))) {
            first_ = false;
            std::string_view text;
            detector_.take(line, text);
            if (text.data() != line.data()) {  // the mark taken off
                splitAgain(static_cast<std::size_t>(text.data() - data), text);
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
        // The last field ends at the line end (an empty line has none without a delimiter).
        if (!noDelimiter_ || stop > lineStart) addEnd(stop - lineStart);
        sync();
        text_.endLine();
        open_ = false;
        if (plainStart_ == start) {
            text_.notePlainRecord(start);
            plainStart_ = SIZE_MAX;
        }
        if (!redoing_) lineDone();
        return !stop_ || !(*stop_)(origin_ + stop);
    }

private:
    void lineDone() {
        if (!sums_) return;
        if (heads_ && heads_->size() < kHeadLines) {
            heads_->emplace_back(text_.maxCells(), 0);
            text_.addFieldSums(text_.lastLine(), *sums_, heads_->back());
            return;
        }
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
    // Drops what the scan found of the line and splits its text anew.
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
    Utf8Detector& detector_;
    LineSplitter& splitter_;
    const bool quoted_;
    const bool scanSplits_;
    const char delimiter_;
    const bool noDelimiter_;
    LineSums* sums_;
    std::vector<int>& widest_;
    std::vector<std::vector<int>>* heads_ = nullptr;
    const std::function<bool(std::size_t)>* stop_ = nullptr;
    std::size_t plainStart_ = SIZE_MAX;  // the line being split again without quotes
    char lineEnd_ = '\n';
    bool first_;
    bool open_ = false;                 // the text has the line begun
    bool redoing_ = false;              // splitting the first line again
    std::size_t origin_ = 0;            // where the scanned text (or the line split again) starts
    std::uint16_t* out_ = nullptr;      // where the next end goes, up to limit_ in place
    std::uint16_t* limit_ = nullptr;
    std::uint16_t* written_ = nullptr;  // the ends before it are counted by the text
};

// Scans text[begin, end) of the buffer into taker; see scanLines.
bool scanRange(LineTaker& taker, const char* data, std::size_t begin, std::size_t end, char lineEnd, bool crLf,
               std::size_t* stoppedAt = nullptr) {
    taker.setOrigin(begin);
    taker.setLineEnd(lineEnd);
    const char stop = taker.scanSplits() ? taker.delimiter() : lineEnd;
    return scanLines(data + begin, end - begin, lineEnd, stop, crLf, taker, true, stoppedAt);
}

// Scans text[begin, end) of the buffer for records with quoted fields into
// taker; textEnd: the text ends at end. Positions in the result count from
// the buffer's start.
QuotedScanResult scanQuotedRange(LineTaker& taker, const char* data, std::size_t begin, std::size_t end,
                                 bool textEnd, const TableLayout& layout, char lineEnd, bool crLf) {
    taker.setOrigin(begin);
    taker.setLineEnd(lineEnd);
    const QuotedLayout quoted{lineEnd, crLf, layout.delimiter, true, true};
    QuotedScanResult result = scanQuotedRecords(data + begin, end - begin, textEnd, quoted, taker);
    result.end += begin;
    result.unfinished += begin;
    return result;
}

}  // namespace

namespace {

// Files from this size on are split in pieces where there are two processors
// or more: about 32 of them, so that a thread joining late still finds work.
constexpr std::size_t kSplitFrom = std::size_t{1} << 20;
constexpr std::size_t kPieces = 32;
constexpr std::size_t kSmallestPiece = std::size_t{128} << 10;

// The first ch in data[0, size), or nullptr. A file without a carriage
// return is searched to its end, a big one in two halves at once: the first
// touch of a mapped file's pages is most of the work.
const char* firstOf(const char* data, std::size_t size, char ch) {
    if (size < kSplitFrom || std::thread::hardware_concurrency() < 2) return static_cast<const char*>(std::memchr(data, ch, size));
    const std::size_t half = size / 2;
    const char* later = nullptr;
    std::thread helper;
    try {
        helper = std::thread([&] { later = static_cast<const char*>(std::memchr(data + half, ch, size - half)); });
    } catch (const std::system_error&) {
        return static_cast<const char*>(std::memchr(data, ch, size));
    }
    const auto* first = static_cast<const char*>(std::memchr(data, ch, half));
    helper.join();
    return first ? first : later;
}

// Whether a file's start suggests UTF-8: a byte-order mark, or upper bytes
// that are valid UTF-8 (a sequence cut at the end of the look counts not).
bool looksUtf8(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) return true;
    text = text.substr(0, std::size_t{64} << 10);
    while (!text.empty() && static_cast<unsigned char>(text.back()) >= 0x80) text.remove_suffix(1);
    return !text::isAscii(text) && text::isValidUtf8(text);
}

// A mapped file's pages come into the map in one call rather than a fault
// every few pages; where the system cannot, they fault in as they are read.
void mapAhead(const char* data, std::size_t size) {
#ifdef MADV_POPULATE_READ
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data) & ~(page - 1);
    ::madvise(reinterpret_cast<void*>(begin), reinterpret_cast<std::uintptr_t>(data) + size - begin, MADV_POPULATE_READ);
#else
    (void)data;
    (void)size;
#endif
}

}  // namespace

struct TableScan::Piece {
    enum State { kWaiting, kSplit, kSumming };
    std::size_t begin = 0, end = 0;
    // Of every piece but the first, which goes straight into the text.
    std::unique_ptr<TableText> text;
    std::unique_ptr<Utf8Detector> detector;
    std::unique_ptr<LineSplitter> splitter;
    bool done = false;     // split to its end, or to a code 26
    bool stopped = false;  // at a code 26: the file ends in this piece
    std::size_t stopAt = 0;  // where, when stopped
    std::exception_ptr error;
    std::vector<int> widest;
    std::vector<std::vector<int>> heads;  // quoted: the first lines' sums, one by one
    const Weights* summedWith = nullptr;
    std::atomic<int> state{kWaiting};
    // Quoted: how the scan ended, and where the lines looked up start (see recordAt).
    QuotedScanResult quoted;
    TableText::Line cursor = 0;
    std::size_t passed = 0;

    // Where its lines stop covering the text: where the last one ends, or
    // where the one that runs on behind the piece starts.
    std::size_t covered() const { return quoted.how == QuotedScanEnd::Unfinished ? quoted.unfinished : quoted.end; }
    // Whether one of its lines starts at pos; before: how many start ahead
    // of it. Asked with pos growing from call to call.
    bool recordAt(std::size_t pos, std::size_t& before) {
        if (text->lineCount() == 0) return false;
        while (cursor != TableText::kNoLine && text->lineStart(cursor) < pos) {
            cursor = text->lineAfter(cursor);
            ++passed;
        }
        before = passed;
        return cursor != TableText::kNoLine && text->lineStart(cursor) == pos;
    }
};

TableScan::TableScan(TableText& text, const TableLayout& layout, Utf8Detector& detector)
    : text_(text), layout_(layout), detector_(detector) {
    const char* data = text.data();
    const std::size_t size = text.size();
    end_ = size;
    // Code 26 ends the file: the scan stops at it, and a line end after it counts for nothing.
    auto firstBeforeCode26 = [&](char ch) {
        const char* at = firstOf(data, size, ch);
        return at && !std::memchr(data, kEndOfFileCode, static_cast<std::size_t>(at - data));
    };
    // Lines end at carriage returns when the file has one; else at line feeds.
    crLf_ = firstBeforeCode26('\r');
    // A file without any line end (empty, or one unended line) keeps CR LF.
    lineEnds_ = crLf_ || !firstBeforeCode26('\n') ? LineEnds::CrLf : LineEnds::Lf;
    lineEnd_ = crLf_ ? '\r' : '\n';
    startLooksUtf8_ = looksUtf8(std::string_view(data, size));

    // Each piece after the first starts right after the first line end from its share of the text on.
    std::vector<std::size_t> starts{0};
    if (size >= kSplitFrom && std::thread::hardware_concurrency() > 1) {
        const std::size_t share = std::max(size / kPieces, kSmallestPiece);
        for (std::size_t from = share; from < size; from = std::max(from + share, starts.back())) {
            const auto* at = static_cast<const char*>(std::memchr(data + from, lineEnd_, size - from));
            if (!at) break;
            std::size_t start = static_cast<std::size_t>(at - data) + 1;
            if (crLf_ && start < size && data[start] == '\n') ++start;
            if (start >= size) break;
            starts.push_back(start);
        }
    }
    // With quotes the first record must start behind the byte-order mark,
    // where a quote can open its first field: the detector sees the mark alone.
    if (layout_.delimited && layout_.quoted && size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
        std::string_view rest;
        detector_.take(std::string_view(data, 3), rest);
        markTaken_ = true;
        starts[0] = 3;
    }
    for (std::size_t i = 0; i < starts.size(); ++i) {
        auto piece = std::make_unique<Piece>();
        piece->begin = starts[i];
        piece->end = i + 1 < starts.size() ? starts[i + 1] : size;
        if (i > 0) {
            piece->text = std::make_unique<TableText>(layout_);
            piece->text->borrowBuffer(text_);
            piece->detector = std::make_unique<Utf8Detector>();
            piece->detector->startInTheMiddle();
        }
        piece->splitter = std::make_unique<LineSplitter>(layout_, i > 0 ? *piece->text : text_);
        pieces_.push_back(std::move(piece));
    }
}

TableScan::~TableScan() = default;

void TableScan::sumWith(const Weights* weights, const Weights* utf8Weights) {
    weights_.store(utf8Weights && startLooksUtf8_ ? utf8Weights : weights, std::memory_order_release);
}

void TableScan::cancel() {
    cancelled_.store(true);
    next_.store(pieces_.size() + (std::size_t{1} << 30));
}

void TableScan::split(Piece& piece, std::size_t index, LineSums* sums, const Weights* weights) {
    TableText& text = index == 0 ? text_ : *piece.text;
    LineTaker taker(text, index == 0 ? detector_ : *piece.detector, *piece.splitter, layout_, sums, piece.widest,
                    index != 0 || markTaken_);
    try {
        mapAhead(text_.data() + piece.begin, piece.end - piece.begin);
        // A piece without any quote is split as lines are: its records are its lines.
        const bool plainPiece = taker.quoted() && layout_.delimiter.size() == 1 &&
                                !std::memchr(text_.data() + piece.begin, '"', piece.end - piece.begin);
        if (plainPiece) {
            if (index > 0) taker.sumHeadsApart(&piece.heads);
            std::size_t stoppedAt = 0;
            piece.done = scanRange(taker, text_.data(), piece.begin, piece.end, lineEnd_, crLf_, &stoppedAt);
            piece.stopped = stoppedAt < piece.end - piece.begin;
            piece.stopAt = piece.begin + stoppedAt;
            piece.quoted = {QuotedScanEnd::Done, piece.stopAt, 0};
        } else if (taker.quoted()) {
            if (index > 0) taker.sumHeadsApart(&piece.heads);
            piece.quoted = scanQuotedRange(taker, text_.data(), piece.begin, piece.end, piece.end == text_.size(),
                                           layout_, lineEnd_, crLf_);
            piece.done = true;
            piece.stopped = piece.quoted.end < piece.end;
            piece.stopAt = piece.quoted.end;
        } else {
            std::size_t stoppedAt = 0;
            piece.done = scanRange(taker, text_.data(), piece.begin, piece.end, lineEnd_, crLf_, &stoppedAt);
            piece.stopped = stoppedAt < piece.end - piece.begin;
            piece.stopAt = piece.begin + stoppedAt;
        }
    } catch (...) {
        piece.done = false;
        piece.error = std::current_exception();
        text.dropLine();
    }
    if (sums) piece.summedWith = weights;
}

void TableScan::sum(std::size_t index, const Weights& weights, std::unique_ptr<LineSums>& sums, bool headsApart) {
    Piece& piece = *pieces_[index];
    const TableText& text = index == 0 ? text_ : *piece.text;
    if (!sums || sums->weights() != weights) sums = std::make_unique<LineSums>(weights);
    piece.widest.assign(text.maxCells(), 0);
    piece.heads.clear();
    text.forEachLine([&](TableText::Line line) {
        if (headsApart && piece.heads.size() < LineTaker::kHeadLines) {
            piece.heads.emplace_back(text.maxCells(), 0);
            text.addFieldSums(line, *sums, piece.heads.back());
            return;
        }
        text.addFieldSums(line, *sums, piece.widest);
    });
    piece.summedWith = &weights;
}

// Runs on threads of its own: a failure here only leaves work to finish,
// which reports it where it fails again.
void TableScan::work(const std::function<bool()>& afterPiece) {
    std::unique_ptr<LineSums> sums;
    for (;;) {
        const std::size_t index = next_.fetch_add(1);
        if (index >= pieces_.size()) break;
        Piece& piece = *pieces_[index];
        const Weights* weights = weights_.load(std::memory_order_acquire);
        try {
            if (weights && (!sums || sums->weights() != *weights)) sums = std::make_unique<LineSums>(*weights);
        } catch (...) {
            sums.reset();
        }
        split(piece, index, sums ? sums.get() : nullptr, weights);
        piece.state.store(Piece::kSplit, std::memory_order_release);
        piecesSplit_.fetch_add(1, std::memory_order_relaxed);
        if (afterPiece && !afterPiece()) {
            cancel();
            return;
        }
    }
    // The pieces split before there were weights are summed now, where they are.
    const Weights* weights = weights_.load(std::memory_order_acquire);
    if (!weights) return;
    for (std::size_t index = 0; index < pieces_.size() && !cancelled_.load(); ++index) {
        Piece& piece = *pieces_[index];
        int split = Piece::kSplit;
        if (!piece.state.compare_exchange_strong(split, Piece::kSumming, std::memory_order_acq_rel)) continue;
        try {
            if (!piece.summedWith && piece.done) sum(index, *weights, sums, index > 0 && layout_.delimited && layout_.quoted);
        } catch (...) {
            piece.summedWith = nullptr;
        }
        piece.state.store(Piece::kSplit, std::memory_order_release);
    }
}

bool TableScan::lengthMismatch() const { return mismatch_ || pieces_[0]->splitter->mismatch(); }

void TableScan::joinWidest(const std::vector<int>& more) {
    if (widest_.size() < more.size()) widest_.resize(more.size(), 0);
    for (std::size_t p = 0; p < more.size(); ++p) widest_[p] = std::max(widest_[p], more[p]);
}

void TableScan::takeWidths(std::size_t index, const Weights* weights, std::unique_ptr<LineSums>& sums,
                           std::size_t dropped) {
    Piece& piece = *pieces_[index];
    const bool summed = weights && piece.summedWith && *piece.summedWith == *weights;
    if (dropped > 0) (index == 0 ? text_ : *piece.text).dropFirstLines(dropped);
    if (!weights) return;
    // Lines dropped beyond those summed apart leave sums that cannot be taken back.
    if (!summed || dropped > piece.heads.size()) sum(index, *weights, sums, false);
    for (std::size_t h = dropped; h < piece.heads.size(); ++h) joinWidest(piece.heads[h]);
    joinWidest(piece.widest);
}

bool TableScan::foundUtf8() const {
    Utf8Detector all = detector_;
    for (std::size_t index = 1; index < pieces_.size(); ++index)
        if (pieces_[index]->detector) all.join(*pieces_[index]->detector);
    return all.encoding().utf8;
}

void TableScan::finish(const Weights* weights, const Weights* utf8Weights) {
    if (utf8Weights && foundUtf8()) weights = utf8Weights;
    // A piece kept is summed with weights (where it was not yet) and its widths taken.
    std::unique_ptr<LineSums> sums;
    widest_.clear();
    Piece& first = *pieces_[0];
    // The lines of a failed first piece stay in the grid: they are summed too.
    if (first.done || first.error) takeWidths(0, weights, sums, 0);
    if (first.error) std::rethrow_exception(first.error);
    if (first.stopped) {
        end_ = first.stopAt;
        return;
    }
    if (layout_.delimited && layout_.quoted) {
        joinQuoted(weights, sums);
        return;
    }
    for (std::size_t index = 1; index < pieces_.size(); ++index) {
        Piece& piece = *pieces_[index];
        if (!piece.done || !text_.canAppend(*piece.text)) {
            splitAgainFrom(index, weights);
            return;
        }
        detector_.join(*piece.detector);
        takeWidths(index, weights, sums, 0);
        text_.append(*piece.text);
        mismatch_ = mismatch_ || piece.splitter->mismatch();
        if (piece.stopped) {
            end_ = piece.stopAt;
            return;  // the pieces after it lie behind the file's end
        }
    }
}

// What one pass from a record's start does depends on that place alone: a
// piece agrees with the one pass from the first record start the two share.
// A piece that follows one ending inside a quoted field began inside it too;
// the text is then scanned on in one pass from where the lines kept end,
// until a line start that a later piece has, and that piece is taken from there.
void TableScan::joinQuoted(const Weights* weights, std::unique_ptr<LineSums>& sums) {
    std::size_t next = pieces_[0]->covered();  // where the lines kept end
    std::size_t index = 1, before = 0;
    bool synced = false;
    for (;;) {
        if (index < pieces_.size()) {
            Piece& piece = *pieces_[index];
            const bool joinable = piece.done && text_.canAppend(*piece.text);
            if (joinable && (synced || next == piece.begin)) {
                detector_.join(*piece.detector);
                takeWidths(index, weights, sums, synced ? before : 0);
                text_.append(*piece.text);
                next = piece.covered();
                synced = false;
                if (piece.stopped) {
                    end_ = piece.stopAt;
                    return;
                }
                ++index;
                if (piece.quoted.how != QuotedScanEnd::Unfinished) continue;
            } else if (!joinable) {
                index = pieces_.size();  // the rest in one pass
            }
        }
        if (next >= text_.size()) return;
        // One pass on from next, up to a line start of a piece from index on.
        std::function<bool(std::size_t)> stop = [&](std::size_t lineEnd) {
            std::size_t start = lineEnd + 1;
            if (crLf_ && start < text_.size() && text_.data()[start] == '\n') ++start;
            if (start >= text_.size()) return false;
            std::size_t k = index;
            while (k + 1 < pieces_.size() && pieces_[k + 1]->begin <= start) ++k;
            if (k >= pieces_.size() || pieces_[k]->begin > start) return false;
            Piece& later = *pieces_[k];
            if (!later.done || start >= later.covered() || !later.recordAt(start, before)) return false;
            index = k;
            next = start;
            return true;
        };
        std::unique_ptr<LineSums> lineSums;
        if (weights) lineSums = std::make_unique<LineSums>(*weights);
        LineTaker taker(text_, detector_, *pieces_[0]->splitter, layout_, lineSums.get(), widest_, true);
        taker.stopWhen(&stop);
        const QuotedScanResult result =
            scanQuotedRange(taker, text_.data(), next, text_.size(), true, layout_, lineEnd_, crLf_);
        if (result.how != QuotedScanEnd::Stopped) {
            end_ = result.end;
            return;
        }
        synced = true;
    }
}

void TableScan::splitAgainFrom(std::size_t index, const Weights* weights) {
    std::unique_ptr<LineSums> sums;
    if (weights) sums = std::make_unique<LineSums>(*weights);
    LineTaker taker(text_, detector_, *pieces_[0]->splitter, layout_, sums.get(), widest_, true);
    std::size_t stoppedAt = 0;
    const std::size_t begin = pieces_[index]->begin;
    scanRange(taker, text_.data(), begin, text_.size(), lineEnd_, crLf_, &stoppedAt);
    end_ = begin + stoppedAt;
}

bool TableScan::lastLineEnded() const {
    const char* data = text_.data();
    if (end_ == 0) return false;
    if (!crLf_) return data[end_ - 1] == '\n';
    return data[end_ - 1] == '\r' || (end_ >= 2 && data[end_ - 1] == '\n' && data[end_ - 2] == '\r');
}

const TableScan::Weights* summableWeights(const AdvanceTable* advances) {
    if (!advances) return nullptr;
    const TableScan::Weights& weights = advances->advances();
    if (std::any_of(weights.begin(), weights.end(), [](int a) { return a < 0 || a > 0x7FFF; })) return nullptr;
    return &weights;
}

void workOnAllProcessors(TableScan& scan, unsigned leftFree, ProgressScope* progress) {
    std::vector<std::thread> helpers;
    if (scan.pieceCount() > 1) {
        const unsigned processors = std::min(std::thread::hardware_concurrency(), 8u);
        try {
            for (unsigned i = 1 + leftFree; i < processors; ++i) helpers.emplace_back([&scan] { scan.work(); });
        } catch (...) {
            // Fewer threads: the pieces are split all the same.
        }
    }
    // The helpers are joined on every way out: a failure here (the report's
    // own memory, say) must not leave a running thread behind.
    struct Joiner {
        std::vector<std::thread>& threads;
        ~Joiner() {
            for (std::thread& thread : threads)
                if (thread.joinable()) thread.join();
        }
    } joiner{helpers};
    if (progress) {
        scan.work([&] { return progress->report(scan.piecesSplit(), scan.pieceCount()); });
    } else {
        scan.work();
    }
}

}  // namespace tabulyst
