#pragma once
// Splitting a table file's text into lines, in pieces that any number of
// threads take in turn: a big file is split on every processor at once, and
// the file named at start is split while the windows are made, before the
// advances its widths are summed with are known. Each piece after the first
// goes into a text and through an encoding detector of its own; finish joins
// the pieces in order, and splits the rest again after the last piece kept.
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "core/files/TableReader.h"

namespace tabulyst {

class AdvanceTable;
class LineSums;
class ProgressScope;
class TableText;

class TableScan {
public:
    using Weights = std::array<int, 256>;

    // text holds the whole file; detector takes its lines from the first on.
    // Both must outlive the scan.
    TableScan(TableText& text, const TableLayout& layout, Utf8Detector& detector);
    ~TableScan();
    TableScan(const TableScan&) = delete;
    TableScan& operator=(const TableScan&) = delete;

    // The pieces split from now on have their fields summed with weights,
    // which must stay unchanged as long as the scan lives; with utf8Weights
    // instead when the file's start looks like UTF-8 (finish sums again what
    // turns out wrong).
    void sumWith(const Weights* weights, const Weights* utf8Weights = nullptr);
    // Splits pieces until none is left to begin, then sums the pieces split
    // before there were weights. Any number of threads may work at once.
    // afterPiece, when given, is asked after each piece this thread split
    // whether to go on; false cancels the scan.
    void work(const std::function<bool()>& afterPiece = {});
    // No piece is begun any more (the scan is given up).
    void cancel();
    bool cancelled() const { return cancelled_.load(); }
    // How many pieces are split so far, of pieceCount().
    std::size_t piecesSplit() const { return piecesSplit_.load(std::memory_order_relaxed); }
    // Once every thread's work is over: sums with weights (nullptr for no
    // sums; utf8Weights instead where the file turns out UTF-8 and they are
    // given) what is not summed with them yet, and joins the pieces in order.
    // A failure of the first piece is thrown again, the lines before it kept
    // in the text.
    void finish(const Weights* weights, const Weights* utf8Weights = nullptr);
    // After work: whether the lines split are UTF-8, as far as they tell.
    bool foundUtf8() const;

    LineEnds lineEnds() const { return lineEnds_; }
    // After finish: whether the file's last line has a line end (false for an empty file).
    bool lastLineEnded() const;
    bool lengthMismatch() const;
    // For each field place, the widest sum of advances of the lines joined.
    std::vector<int>& widest() { return widest_; }
    std::size_t pieceCount() const { return pieces_.size(); }

private:
    struct Piece;
    void split(Piece& piece, std::size_t index, LineSums* sums, const Weights* weights);
    void sum(std::size_t index, const Weights& weights, std::unique_ptr<LineSums>& sums, bool headsApart);
    // Drops the piece's first lines (quoted: they lie before the lines kept)
    // and takes its widths.
    void takeWidths(std::size_t index, const Weights* weights, std::unique_ptr<LineSums>& sums, std::size_t dropped);
    void joinQuoted(const Weights* weights, std::unique_ptr<LineSums>& sums);
    void splitAgainFrom(std::size_t index, const Weights* weights);
    void joinWidest(const std::vector<int>& more);

    TableText& text_;
    const TableLayout layout_;
    Utf8Detector& detector_;
    LineEnds lineEnds_ = LineEnds::CrLf;
    char lineEnd_ = '\n';
    bool crLf_ = false;
    bool markTaken_ = false;  // quoted: the first piece starts behind the byte-order mark
    std::size_t end_ = 0;  // where the text ends: its size, or its first code 26
    std::vector<std::unique_ptr<Piece>> pieces_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> cancelled_{false};
    std::atomic<std::size_t> piecesSplit_{0};
    std::atomic<const Weights*> weights_{nullptr};
    std::vector<int> widest_;
    bool mismatch_ = false;
    bool startLooksUtf8_ = false;
};

// The advances a reader sums fields with, or nullptr where widths are not
// sums of advances that fit (each small enough to add two in 16 bits).
const TableScan::Weights* summableWeights(const AdvanceTable* advances);

// Splits the scan's pieces on as many processors as it can use, this thread
// included, but for those left free for other work. This thread reports each
// piece split to progress, and cancels the scan when told to stop.
void workOnAllProcessors(TableScan& scan, unsigned leftFree = 0, ProgressScope* progress = nullptr);

}  // namespace tabulyst
