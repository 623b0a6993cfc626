#pragma once
// The fast scanner of records with quoted fields (the rules: QuotedLayout.h).
// It keeps the 64-bytes-a-round design of scanLines: each round makes one bit
// mask per kind of byte (line end, the delimiter's first byte, upper byte,
// and quote or code 26). A round without a quote is taken the way scanLines
// takes it: the delimiters up to the next line end go to the sink as one
// mask. A round whose quotes are in the plain way (opening at field starts,
// closing before a delimiter or line end) is taken by masks as well, the
// quote state a prefix XOR of the quote mask. Only other rounds are walked
// event by event by the state machine of the rules; inside a quoted field it
// looks at quotes only, still a round at a time. A file without quotes thus
// pays two compares more per 16 bytes.
//
// A scan may cover a piece of a text that goes on behind end (textEnd
// false): a record that runs past the piece, because a quote is still open
// or no line end follows, is left to whoever scans on from its start.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/files/quoted/QuotedLayout.h"

namespace tabulyst {

enum class QuotedScanEnd {
    Done,        // every record up to the end was reported
    Stopped,     // the sink's line() asked to stop
    Unfinished,  // the record from unfinished on runs past end, which is not the text's end
};

struct QuotedScanResult {
    QuotedScanEnd how = QuotedScanEnd::Done;
    std::size_t end = 0;         // the text's end: end, or its first code 26 with stopAtCode26
    std::size_t unfinished = 0;  // with Unfinished: where the record not reported starts
};

namespace quotedscan {

struct Round {
    std::uint64_t ends = 0, delimiters = 0, quotes = 0, upper = 0, code26 = 0;
};

// Where a round holds a quote or a code 26, the two masks apart.
inline void rareBytes(const char* block, char quote, char code26, Round& r) {
    r.quotes = r.code26 = 0;
#if defined(__SSE2__)
    const __m128i vq = _mm_set1_epi8(quote), vz = _mm_set1_epi8(code26);
    for (unsigned part = 0; part < 4; ++part) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
        r.quotes |= static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vq))) << (16 * part);
        r.code26 |= static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vz))) << (16 * part);
    }
#else
    for (unsigned i = 0; i < 64; ++i) {
        if (block[i] == quote) r.quotes |= std::uint64_t{1} << i;
        if (block[i] == code26) r.code26 |= std::uint64_t{1} << i;
    }
#endif
    r.quotes &= ~r.ends;
    r.code26 &= ~r.ends;
}

// The bytes a round looks for, set up once a scan. A kind not looked for is
// given the line end's byte, and its mask comes out empty: no branch in the
// round. Quotes and code 26 come as one mask in quotes (code26 empty), taken
// apart by rareBytes where there are any.
class RoundBytes {
public:
    RoundBytes(char lineEnd, char delimiter, char quote, char code26)
#if defined(__SSE2__)
        : ends_(_mm_set1_epi8(lineEnd)), delimiters_(_mm_set1_epi8(delimiter)), quotes_(_mm_set1_epi8(quote)),
          code26_(_mm_set1_epi8(code26)) {
    }
#else
        : lineEnd_(lineEnd), delimiter_(delimiter), quote_(quote), code26_(code26) {
    }
#endif

    // The masks of the 64 bytes at block.
    [[gnu::always_inline]] Round at(const char* block) const {
        Round r;
#if defined(__SSE2__)
        part(r, block, 0);
        part(r, block, 16);
        part(r, block, 32);
        part(r, block, 48);
#else
        for (unsigned i = 0; i < 64; ++i) {
            const char c = block[i];
            const std::uint64_t bit = std::uint64_t{1} << i;
            if (c == lineEnd_) r.ends |= bit;
            if (c == delimiter_) r.delimiters |= bit;
            if (c == quote_ || c == code26_) r.quotes |= bit;
            if (static_cast<unsigned char>(c) >= 0x80) r.upper |= bit;
        }
#endif
        r.delimiters &= ~r.ends;
        r.quotes &= ~r.ends;
        return r;
    }

private:
#if defined(__SSE2__)
    [[gnu::always_inline]] void part(Round& r, const char* block, unsigned shift) const {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + shift));
        r.ends |= static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, ends_))) << shift;
        r.delimiters |= static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, delimiters_))) << shift;
        const __m128i rare = _mm_or_si128(_mm_cmpeq_epi8(v, quotes_), _mm_cmpeq_epi8(v, code26_));
        r.quotes |= static_cast<std::uint64_t>(_mm_movemask_epi8(rare)) << shift;
        r.upper |= static_cast<std::uint64_t>(_mm_movemask_epi8(v)) << shift;
    }
    __m128i ends_, delimiters_, quotes_, code26_;
#else
    char lineEnd_, delimiter_, quote_, code26_;
#endif
};

// The bits from bit from on (none from 64 on).
inline std::uint64_t bitsFrom(std::size_t from) { return from >= 64 ? 0 : ~std::uint64_t{0} << from; }
// The bits below bit to.
inline std::uint64_t bitsBelow(std::size_t to) { return to >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << to) - 1; }

// Sink as for scanQuotedRecords.
template <class Sink>
class Scanner {
public:
    Scanner(const char* data, std::size_t end, bool textEnd, const QuotedLayout& layout, Sink& sink)
        : data_(data), end_(end), textEnd_(textEnd), layout_(layout), sink_(sink), quoting_(quotingActive(layout)),
          usable_(delimiterUsable(layout)), delimiter_(usable_ ? layout.delimiter[0] : '\0'),
          length_(layout.delimiter.size()), fast_(!usable_ || length_ == 1),
          bytes_(layout.lineEnd, usable_ ? delimiter_ : layout.lineEnd, quoting_ ? kQuote : layout.lineEnd,
                 layout.stopAtCode26 ? '\x1A' : layout.lineEnd) {}

    QuotedScanResult run() {
        alignas(16) char tail[64];
        while (true) {
            if (base_ >= end_) {
                // The text is over.
                if (inQuote_) {
                    if (!textEnd_) return unfinished();
                    restartPlain();
                    continue;
                }
                if (lineStart_ < end_) {
                    if (!textEnd_) return unfinished();
                    if (!sink_.line(lineStart_, end_, upper_)) return {QuotedScanEnd::Stopped, end_, 0};
                }
                return {QuotedScanEnd::Done, end_, 0};
            }
            if (fast_ && !plain_ && pos_ == base_) {
                if (!fastRounds()) return {QuotedScanEnd::Stopped, end_, 0};
                if (base_ >= end_) continue;
            }
            // The last round reads a copy: the bytes behind end may be another thread's.
            const char* block = data_ + base_;
            if (end_ - base_ < 64) {
                std::memset(tail, 0, sizeof tail);
                std::memcpy(tail, block, end_ - base_);
                block = tail;
            }
            round_ = bytes_.at(block);
            if (round_.quotes && layout_.stopAtCode26) rareBytes(block, quoting_ ? kQuote : layout_.lineEnd, '\x1A', round_);
            std::size_t length = 64;
            if (end_ - base_ < 64 || round_.code26) {
                length = std::min<std::size_t>(64, end_ - base_);
                if (const std::uint64_t code = round_.code26 & bitsBelow(length)) {
                    length = static_cast<unsigned>(__builtin_ctzll(code));
                    end_ = base_ + length;
                    textEnd_ = true;
                    if (length == 0) continue;
                }
                const std::uint64_t valid = bitsBelow(length);
                round_.ends &= valid;
                round_.delimiters &= valid;
                round_.quotes &= valid;
                round_.upper &= valid;
            }
            blockEnd_ = base_ + length;
            const Step step = walkRound();
            if (step == Step::Rewound) continue;
            if (step == Step::Unfinished) return unfinished();
            if (step == Step::Stopped) return {QuotedScanEnd::Stopped, end_, 0};
            if (lineStart_ < blockEnd_) upper_ = upper_ || (round_.upper & bitsFrom(fromInRound(lineStart_))) != 0;
            base_ = blockEnd_;
        }
    }

private:
    enum class Step { Next, Rewound, Unfinished, Stopped, NotPlain };

    // The quotes of a round walked by masks, and the quoted field open.
    struct QuoteMarks {
        std::uint64_t events = 0, opens = 0, firstOfPairs = 0;
        std::size_t open = 0;
        bool pairs = false;
    };

    std::size_t fromInRound(std::size_t pos) const { return pos > base_ ? pos - base_ : 0; }

    // Whether a field starts at pos (outside quotes). A delimiter of one byte
    // right before it is one that splits the record: a quoted field ends in a
    // quote. So the rounds walked like scanLines need not keep fieldStart_.
    bool atFieldStart(std::size_t pos) const {
        if (pos == lineStart_) return true;
        if (!usable_) return false;
        return length_ == 1 ? data_[pos - 1] == delimiter_ : pos == fieldStart_;
    }

    // Whether the quote at pos opens a field, with the bytes before it
    // outside quotes (a delimiter of one byte, or none).
    bool opensField(std::size_t pos, std::size_t lineStart) const {
        if (pos == lineStart) return true;
        const char before = data_[pos - 1];
        if (usable_ && before == delimiter_) return true;
        if (before == layout_.lineEnd) return true;
        return layout_.crLf && before == '\n' && pos >= 2 && data_[pos - 2] == '\r';
    }

    // Walks the delimiters and line ends of events (a round's, none inside
    // quotes) as scanLines does; with kQuotes also reports the quoted fields
    // of marks, each before its record's line. False when the sink stopped.
    template <bool kQuotes>
    [[gnu::always_inline]] bool walkEvents(Sink& sink, const char* data, std::size_t end, bool crLf, std::uint64_t events,
                                           std::uint64_t ends, std::uint64_t upperBytes, std::size_t base,
                                           std::size_t& lineStart, bool& upper, QuoteMarks& marks) {
        while (events) {
            const std::uint64_t lineEnds = events & ends;
            const std::uint64_t before = lineEnds ? (lineEnds & (0 - lineEnds)) - 1 : ~std::uint64_t{0};
            if (events & before) sink.delimiters(lineStart, base, events & before);
            if (!lineEnds) break;
            events &= ~before;
            const unsigned bit = static_cast<unsigned>(__builtin_ctzll(events));
            events &= events - 1;
            if (kQuotes && marks.events) reportQuotes(marks, base, lineStart, before);
            const unsigned from = lineStart > base ? static_cast<unsigned>(lineStart - base) : 0;
            upper = upper || ((upperBytes >> from) & ((std::uint64_t{1} << (bit - from)) - 1)) != 0;
            if (!sink.line(lineStart, base + bit, upper)) return false;
            lineStart = base + bit + 1;
            upper = false;
            if (crLf && lineStart < end && data[lineStart] == '\n') {
                ++lineStart;
                // A delimiter of that byte is part of the line end.
                if (bit < 63) events &= ~(std::uint64_t{2} << bit);
            }
        }
        if (kQuotes && marks.events) reportQuotes(marks, base, lineStart, ~std::uint64_t{0});
        const std::size_t rest = lineStart > base ? lineStart - base : 0;
        if (rest < 64) upper = upper || (upperBytes >> rest) != 0;
        return true;
    }

    // Walks whole rounds from base_ on (where pos_ is) as scanLines walks
    // them, the state in locals. A round with a quote (or a quote open) goes
    // to quotedRound. Leaves the first round it cannot take to walkRound.
    bool fastRounds() {
        Sink& sink = sink_;
        const char* const data = data_;
        const std::size_t end = end_;
        const RoundBytes bytes = bytes_;
        // A line feed that ends a line in the next round and is a delimiter's byte as well.
        const bool lfDelimiter = layout_.crLf && usable_ && delimiter_ == '\n';
        const bool crLf = layout_.crLf;
        std::size_t base = base_, lineStart = lineStart_;
        bool upper = upper_, inside = inQuote_;
        QuoteMarks none;
        while (end - base >= 64) {
            const Round r = bytes.at(data + base);
            if (r.quotes | static_cast<std::uint64_t>(inside)) {
                base_ = base;
                lineStart_ = lineStart;
                upper_ = upper;
                const Step step = quotedRound();
                if (step == Step::Stopped) return false;
                if (step != Step::Next) break;
                base = base_;
                lineStart = lineStart_;
                upper = upper_;
                inside = inQuote_;
                if (lfDelimiter && lineStart > base) break;
                continue;
            }
            if (!walkEvents<false>(sink, data, end, crLf, r.ends | r.delimiters, r.ends, r.upper, base, lineStart, upper,
                                   none))
                return false;
            base += 64;
            if (lfDelimiter && lineStart > base) break;
        }
        base_ = base;
        lineStart_ = lineStart;
        upper_ = upper;
        pos_ = std::max(lineStart_, base_);
        return true;
    }

    // A whole round with quotes, at pos_ == base_, taken by masks where they
    // are in the plain way: they toggle the state (a prefix XOR, the state
    // carried from round to round), every quote that toggles in stands at a
    // field's start, every one that toggles out is followed by the delimiter
    // or the line end, and a pair toggles out and in right away (as "" does
    // under the rules). Next when taken (base_ moves on), NotPlain when the
    // round is left to walkRound.
    Step quotedRound() {
        if (!quoting_ || failedFrom_ != SIZE_MAX) return Step::NotPlain;
        const std::size_t base = base_;
        Round r = bytes_.at(data_ + base);
        const char lineEnd = layout_.lineEnd;
        if (layout_.stopAtCode26 && r.quotes) {
            rareBytes(data_ + base, kQuote, '\x1A', r);
            if (r.code26) return Step::NotPlain;
        }
        const bool inside = inQuote_;
        const std::uint64_t quotes = r.quotes;
        std::uint64_t x = quotes;
        x ^= x << 1;
        x ^= x << 2;
        x ^= x << 4;
        x ^= x << 8;
        x ^= x << 16;
        x ^= x << 32;
        const std::uint64_t insideAfter = inside ? ~x : x;
        const std::uint64_t insideBefore = (insideAfter << 1) | (inside ? 1 : 0);
        const std::uint64_t toggleIn = quotes & ~insideBefore, toggleOut = quotes & insideBefore;
        const std::uint64_t firstOfPairs = toggleOut & (toggleIn >> 1);
        const std::uint64_t opens = toggleIn & ~(firstOfPairs << 1), closes = toggleOut & ~firstOfPairs;
        // A closing quote is followed by the delimiter or the line end (the round's last by the next byte).
        if (((closes << 1) & ~(r.ends | r.delimiters)) != 0) return Step::NotPlain;
        if (closes >> 63) {
            if (base + 64 >= end_) return Step::NotPlain;
            const char next = data_[base + 64];
            if (next != lineEnd && !(usable_ && next == delimiter_)) return Step::NotPlain;
        }
        for (std::uint64_t m = opens; m; m &= m - 1)
            if (!opensField(base + static_cast<unsigned>(__builtin_ctzll(m)), lineStart_)) return Step::NotPlain;
        QuoteMarks& marks = marks_;
        marks.events = opens | closes | firstOfPairs;
        marks.opens = opens;
        marks.firstOfPairs = firstOfPairs;
        marks.open = open_;
        marks.pairs = pairs_;
        const std::uint64_t ends = r.ends & ~insideBefore;
        std::size_t lineStart = lineStart_;
        bool upper = upper_;
        if (!walkEvents<true>(sink_, data_, end_, layout_.crLf, (ends | r.delimiters) & ~insideBefore, ends, r.upper, base,
                              lineStart, upper, marks))
            return Step::Stopped;
        inQuote_ = (insideAfter >> 63) != 0;
        open_ = marks.open;
        pairs_ = marks.pairs;
        lineStart_ = lineStart;
        upper_ = upper;
        base_ = base + 64;
        return Step::Next;
    }

    // Reports, in order, the quoted fields that close before the bits below.
    void reportQuotes(QuoteMarks& marks, std::size_t base, std::size_t lineStart, std::uint64_t below) {
        for (std::uint64_t m = marks.events & below; m; m &= m - 1) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctzll(m));
            const std::uint64_t one = std::uint64_t{1} << bit;
            if (one & marks.opens) {
                marks.open = base + bit;
                marks.pairs = false;
            } else if (one & marks.firstOfPairs) {
                marks.pairs = true;
            } else {
                sink_.quoted(lineStart, marks.open, base + bit, marks.pairs);
            }
        }
        marks.events &= ~below;
    }

    // The events of the round from pos_ on.
    Step walkRound() {
        while (pos_ < blockEnd_) {
            const std::uint64_t live = bitsFrom(pos_ - base_);
            if (inQuote_) {
                const Step step = inQuote(live);
                if (step != Step::Next) return step;
                continue;
            }
            if (!quoting_ || plain_ || (round_.quotes & live) == 0) {
                const Step step = withoutQuotes(live);
                if (step != Step::Next) return step;
                continue;
            }
            const std::uint64_t events = (round_.ends | round_.delimiters | round_.quotes) & live;
            const unsigned bit = static_cast<unsigned>(__builtin_ctzll(events));
            const std::size_t pos = base_ + bit;
            const std::uint64_t one = std::uint64_t{1} << bit;
            if (round_.ends & one) {
                if (!endRecord(pos)) return Step::Stopped;
            } else if (round_.quotes & one) {
                if (atFieldStart(pos)) {
                    inQuote_ = true;
                    open_ = pos;
                    pairs_ = false;
                }
                pos_ = pos + 1;
            } else if (delimiterAt(data_, end_, pos, layout_.delimiter)) {
                sink_.delimiter(lineStart_, pos);
                pos_ = fieldStart_ = pos + length_;
            } else {
                pos_ = pos + 1;
            }
        }
        return Step::Next;
    }

    // Inside a quoted field: only its quotes count.
    Step inQuote(std::uint64_t live) {
        const std::uint64_t quotes = round_.quotes & live;
        const std::size_t q = quotes ? base_ + static_cast<unsigned>(__builtin_ctzll(quotes)) : blockEnd_;
        // A scan that failed to close a quote passed every byte but quotes from
        // failedFrom_ on in the same state as this one: reaching such a byte, this one fails too.
        if (std::max(pos_, failedFrom_) < q) {
            restartPlain();
            return Step::Rewound;
        }
        if (!quotes) {
            pos_ = blockEnd_;
            return Step::Next;
        }
        if (q + 1 >= end_) {
            if (!textEnd_) return Step::Unfinished;
            return close(q);
        }
        const char next = data_[q + 1];
        if (next == kQuote) {
            pairs_ = true;
            pos_ = q + 2;
            return Step::Next;
        }
        if (next == layout_.lineEnd || (layout_.stopAtCode26 && next == '\x1A')) return close(q);
        if (usable_ && next == delimiter_) {
            if (q + 1 + length_ > end_ && !textEnd_) return Step::Unfinished;
            if (delimiterAt(data_, end_, q + 1, layout_.delimiter)) return close(q);
        }
        pos_ = q + 1;  // an ordinary quote inside the field
        return Step::Next;
    }

    Step close(std::size_t q) {
        sink_.quoted(lineStart_, open_, q, pairs_);
        inQuote_ = false;
        pos_ = q + 1;
        return Step::Next;
    }

    // No quote opens a field from pos_ on in this round: as scanLines.
    Step withoutQuotes(std::uint64_t live) {
        std::uint64_t events = (round_.ends | round_.delimiters) & live;
        while (events) {
            const std::uint64_t lineEnds = events & round_.ends;
            const std::uint64_t before = lineEnds ? (lineEnds & (0 - lineEnds)) - 1 : ~std::uint64_t{0};
            if (const std::uint64_t delimiters = events & before) takeDelimiters(delimiters);
            if (!lineEnds) break;
            const std::size_t pos = base_ + static_cast<unsigned>(__builtin_ctzll(lineEnds));
            const bool wasPlain = plain_;
            if (!endRecord(pos)) return Step::Stopped;
            if (pos_ >= blockEnd_) return Step::Next;
            const std::uint64_t rest = bitsFrom(pos_ - base_);
            // Quotes that the plain record passed over count again after it.
            if (quoting_ && wasPlain && (round_.quotes & rest)) return Step::Next;
            events &= rest;
        }
        pos_ = std::max(pos_, blockEnd_);
        return Step::Next;
    }

    void takeDelimiters(std::uint64_t mask) {
        if (length_ == 1) {
            sink_.delimiters(lineStart_, base_, mask);
            pos_ = fieldStart_ = base_ + 64 - static_cast<unsigned>(__builtin_clzll(mask));
            return;
        }
        // A longer delimiter: its first byte found, the rest compared, matches never overlapping.
        for (; mask; mask &= mask - 1) {
            const std::size_t pos = base_ + static_cast<unsigned>(__builtin_ctzll(mask));
            if (pos < pos_ || !delimiterAt(data_, end_, pos, layout_.delimiter)) continue;
            sink_.delimiter(lineStart_, pos);
            pos_ = fieldStart_ = pos + length_;
        }
    }

    bool endRecord(std::size_t pos) {
        const std::size_t from = fromInRound(lineStart_);
        upper_ = upper_ || (round_.upper & bitsFrom(from) & bitsBelow(pos - base_)) != 0;
        if (!sink_.line(lineStart_, pos, upper_)) return false;
        lineStart_ = pos + 1;
        if (layout_.crLf && lineStart_ < end_ && data_[lineStart_] == '\n') ++lineStart_;
        pos_ = fieldStart_ = lineStart_;
        upper_ = false;
        plain_ = false;
        return true;
    }

    // The quote at open_ never closes: the record is read again from its
    // start as one line without quoting.
    void restartPlain() {
        failedFrom_ = std::min(failedFrom_, open_ + 1);
        sink_.restartPlain(lineStart_, open_);
        inQuote_ = false;
        plain_ = true;
        pos_ = fieldStart_ = base_ = lineStart_;
        upper_ = false;
    }

    QuotedScanResult unfinished() {
        sink_.drop(lineStart_);
        return {QuotedScanEnd::Unfinished, end_, lineStart_};
    }

    const char* data_;
    std::size_t end_;
    bool textEnd_;
    const QuotedLayout& layout_;
    Sink& sink_;
    const bool quoting_;
    const bool usable_;
    const char delimiter_;
    const std::size_t length_;
    const bool fast_;  // rounds without quotes can be walked as scanLines walks them
    const RoundBytes bytes_;

    Round round_;
    std::size_t base_ = 0, blockEnd_ = 0;
    std::size_t pos_ = 0;         // the next byte to look at
    std::size_t lineStart_ = 0;   // the record's start
    std::size_t fieldStart_ = 0;  // the field's start, kept for delimiters of more than one byte
    bool upper_ = false;
    bool plain_ = false;  // the record is read without quoting
    bool inQuote_ = false;
    std::size_t open_ = 0;  // the open field's quote
    bool pairs_ = false;
    std::size_t failedFrom_ = SIZE_MAX;
    QuoteMarks marks_;  // the quotes of the round quotedRound takes
};

}  // namespace quotedscan

// Reports the records of data[0, end) in order, positions counted from data:
// sink.delimiter(lineStart, pos) for a delimiter, or sink.delimiters(lineStart,
// base, mask) for those at base + each bit of mask; sink.quoted(lineStart,
// open, close, pairs) for a quoted field; sink.line(lineStart, stop, upper)
// for each record (a false ends the scan), the last one also without a line
// end when textEnd. sink.restartPlain(lineStart, quote) takes back what was
// reported of the record since lineStart: the quote never closes, and the
// record comes again read without quoting. sink.drop(lineStart) takes it back
// for good: it runs past end, which is not the text's end (textEnd false).
template <class Sink>
QuotedScanResult scanQuotedRecords(const char* data, std::size_t end, bool textEnd, const QuotedLayout& layout,
                                   Sink& sink) {
    quotedscan::Scanner<Sink> scanner(data, end, textEnd, layout, sink);
    return scanner.run();
}

}  // namespace tabulyst
