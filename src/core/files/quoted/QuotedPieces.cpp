#include "core/files/quoted/QuotedPieces.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "core/files/quoted/QuotedScan.h"

namespace tabulyst {

std::vector<std::size_t> quotedPieceStarts(std::string_view text, const QuotedLayout& layout, std::size_t share) {
    std::vector<std::size_t> starts{0};
    if (share == 0) return starts;
    for (std::size_t from = share; from < text.size(); from = std::max(from + share, starts.back())) {
        const std::size_t at = text.find(layout.lineEnd, from);
        if (at == std::string_view::npos) break;
        const std::size_t start = nextRecordStart(text.data(), text.size(), at, layout);
        if (start >= text.size()) break;
        starts.push_back(start);
    }
    return starts;
}

namespace {

struct Piece {
    std::size_t begin = 0, end = 0;
    QuotedScanResult result;
    std::vector<QuotedRecord> records;

    // Where its records stop covering the text: where the last one ends, or
    // where the one that runs on behind the piece starts.
    std::size_t covered() const { return result.how == QuotedScanEnd::Unfinished ? result.unfinished : result.end; }
    bool startsRecordAt(std::size_t pos) const {
        const auto it = std::lower_bound(records.begin(), records.end(), pos,
                                         [](const QuotedRecord& r, std::size_t p) { return r.start < p; });
        return it != records.end() && it->start == pos;
    }
};

void scanPiece(std::string_view text, const QuotedLayout& layout, Piece& piece) {
    QuotedRecordList list(piece.begin);
    piece.result = scanQuotedRecords(text.data() + piece.begin, piece.end - piece.begin, piece.end == text.size(),
                                     layout, list);
    piece.result.end += piece.begin;
    piece.result.unfinished += piece.begin;
    piece.records = std::move(list.records());
}

}  // namespace

QuotedPiecesOutcome scanQuotedInPieces(std::string_view text, const QuotedLayout& layout,
                                       const std::vector<std::size_t>& starts, unsigned threads) {
    std::vector<Piece> pieces(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        pieces[i].begin = starts[i];
        pieces[i].end = i + 1 < starts.size() ? starts[i + 1] : text.size();
    }
    std::atomic<std::size_t> nextPiece{0};
    auto work = [&] {
        for (std::size_t i; (i = nextPiece.fetch_add(1)) < pieces.size();) scanPiece(text, layout, pieces[i]);
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads && t < pieces.size(); ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();

    std::size_t textEnd = text.size();
    if (layout.stopAtCode26) textEnd = std::min(textEnd, text.find('\x1A'));
    QuotedPiecesOutcome out;
    auto pieceAt = [&](std::size_t pos) {
        return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
    };
    std::size_t next = 0;  // where the next record of the one pass starts
    for (std::size_t i = 0; i < pieces.size();) {
        const Piece& piece = pieces[i];
        if (next == piece.covered() || piece.startsRecordAt(next)) {
            for (const QuotedRecord& record : piece.records)
                if (record.start >= next) out.records.push_back(record);
            next = piece.covered();
            if (piece.result.how == QuotedScanEnd::Done) {
                if (piece.result.end < piece.end || piece.end == text.size()) break;  // the text ends in it
                ++i;
                continue;
            }
        }
        // One pass on from next, up to a record start that a piece shares.
        QuotedRecordList list(next);
        std::size_t synced = SIZE_MAX;
        list.stopWhen([&](const QuotedRecord& record) {
            const std::size_t start = nextRecordStart(text.data(), textEnd, record.stop, layout);
            if (start >= textEnd) return false;
            const Piece& later = pieces[pieceAt(start)];
            if (start >= later.covered() || !later.startsRecordAt(start)) return false;
            synced = start;
            return true;
        });
        scanQuotedRecords(text.data() + next, textEnd - next, true, layout, list);
        out.scannedAgain += (synced == SIZE_MAX ? textEnd : synced) - next;
        for (QuotedRecord& record : list.records()) out.records.push_back(std::move(record));
        if (synced == SIZE_MAX) break;
        next = synced;
        i = pieceAt(synced);
    }
    return out;
}

}  // namespace tabulyst
