#pragma once
// Records as a splitter finds them, in a form both the reference splitter and
// the fast scanner produce: where each record starts and stops, the
// delimiters that split it and its quoted fields. What tests, the fuzz target
// and the benchmark compare and turn into cells.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/quoted/QuotedLayout.h"

namespace tabulyst {

// A quoted field: its opening and its closing quote; pairs: it holds "" (its
// cell text is not a plain part of the record).
struct QuotedSpan {
    std::size_t open = 0, close = 0;
    bool pairs = false;
    bool operator==(const QuotedSpan&) const = default;
};

struct QuotedRecord {
    std::size_t start = 0;  // its first byte
    std::size_t stop = 0;   // its line end, or the text's end for a last record without one
    bool upper = false;     // a byte from 0x80 up lies in [start, stop)
    // Read as if quoting were off, since the quote at unclosedAt never closes.
    bool plain = false;
    std::size_t unclosedAt = 0;
    std::vector<std::size_t> delimiters;  // where each delimiter that splits it starts
    std::vector<QuotedSpan> quoted;
    bool operator==(const QuotedRecord&) const = default;
};

// Where the record after one that stops at stop starts.
inline std::size_t nextRecordStart(const char* data, std::size_t end, std::size_t stop, const QuotedLayout& layout) {
    if (stop >= end) return end;
    std::size_t next = stop + 1;
    if (layout.crLf && next < end && data[next] == '\n') ++next;
    return next;
}

// The record's fields as they stand in the text, quotes and all (what a row
// writes back untouched). As the reader cuts a line: with no delimiter an
// empty record has no field at all, else one empty field.
std::vector<std::string_view> rawFields(std::string_view text, const QuotedRecord& record, std::string_view delimiter);

// The record's cells: quoted fields without their quotes and with "" as ".
std::vector<std::string> recordCells(std::string_view text, const QuotedRecord& record, std::string_view delimiter);

// Takes what the scanner reports (see scanQuotedRecords) as records.
class QuotedRecordList {
public:
    // origin: where the scanned text starts in the whole text; the records
    // keep positions in the whole text.
    explicit QuotedRecordList(std::size_t origin = 0) : origin_(origin) {}

    void delimiter(std::size_t lineStart, std::size_t pos) {
        open(lineStart);
        records_.back().delimiters.push_back(origin_ + pos);
    }
    void delimiters(std::size_t lineStart, std::size_t base, std::uint64_t mask) {
        open(lineStart);
        for (; mask; mask &= mask - 1)
            records_.back().delimiters.push_back(origin_ + base + static_cast<unsigned>(__builtin_ctzll(mask)));
    }
    void quoted(std::size_t lineStart, std::size_t open, std::size_t close, bool pairs) {
        this->open(lineStart);
        records_.back().quoted.push_back({origin_ + open, origin_ + close, pairs});
    }
    bool line(std::size_t lineStart, std::size_t stop, bool upper) {
        open(lineStart);
        QuotedRecord& record = records_.back();
        record.stop = origin_ + stop;
        record.upper = upper;
        open_ = false;
        return !stop_ || !stop_(record);
    }
    void restartPlain(std::size_t lineStart, std::size_t quote) {
        drop(lineStart);
        open(lineStart);
        records_.back().plain = true;
        records_.back().unclosedAt = origin_ + quote;
    }
    void drop(std::size_t lineStart) {
        if (open_ && records_.back().start == origin_ + lineStart) records_.pop_back();
        open_ = false;
    }

    // The scan ends after the first record for which stop returns true.
    void stopWhen(std::function<bool(const QuotedRecord&)> stop) { stop_ = std::move(stop); }
    std::vector<QuotedRecord>& records() { return records_; }

private:
    void open(std::size_t lineStart) {
        if (open_) return;
        records_.emplace_back();
        records_.back().start = origin_ + lineStart;
        open_ = true;
    }

    std::size_t origin_;
    std::vector<QuotedRecord> records_;
    bool open_ = false;
    std::function<bool(const QuotedRecord&)> stop_;
};

}  // namespace tabulyst
