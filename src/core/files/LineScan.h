#pragma once
// One pass over a text that finds every line end and every one-byte delimiter,
// 64 bytes a round where the processor offers it: what splitting a file of a
// million lines spends its time on. It also tells for each line whether it
// holds a byte from 0x80 up, which only UTF-8 decoding has to look at.
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tabulyst {

// The code that ends a table file where it stands.
constexpr char kEndOfFileCode = 26;

// Reports, in the order of the text up to end (nothing behind it is read):
// sink.delimiter(lineStart, pos) for each delimiter (or
// sink.delimiters(lineStart, base, mask) for those at base + each bit of mask,
// where positions below lineStart are to be passed over), and
// sink.line(lineStart, stop, upper) for each line, the last one also without a
// line end; a false from it ends the scan. Positions count from data. With
// crLf a line feed right after a line end belongs to that line end. A
// delimiter equal to the line end is one. With stopAtCode26 the text ends at
// its first code 26, and *stoppedAt (when given) tells where, else end.
template <class Sink>
bool scanLines(const char* data, std::size_t end, char lineEnd, char delimiter, bool crLf, Sink& sink,
               bool stopAtCode26 = false, std::size_t* stoppedAt = nullptr) {
    std::size_t lineStart = 0;
    bool upper = false;
    if (stoppedAt) *stoppedAt = end;
#if defined(__SSE2__)
    // 64 bytes a round: one bit per byte in each mask, and the loop over the
    // events of a round is the only branch that is hard to predict.
    const __m128i ve = _mm_set1_epi8(lineEnd), vd = _mm_set1_epi8(delimiter);
    const __m128i vs = _mm_set1_epi8(stopAtCode26 ? kEndOfFileCode : lineEnd);
    alignas(16) char tail[64];
    for (std::size_t base = 0; base < end; base += 64) {
        std::uint64_t ends = 0, events = 0, high = 0, stops = 0;
        // The last round reads a copy: the bytes behind end may be another
        // thread's, which it may be writing.
        const char* block = data + base;
        if (end - base < 64) {
            std::memset(tail, 0, sizeof tail);
            std::memcpy(tail, block, end - base);
            block = tail;
        }
        for (unsigned part = 0; part < 4; ++part) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
            const auto e = static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, ve)));
            const auto d = static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vd)));
            const auto s = static_cast<std::uint64_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, vs)));
            ends |= e << (16 * part);
            events |= (e | d) << (16 * part);
            stops |= s << (16 * part);
            high |= static_cast<std::uint64_t>(_mm_movemask_epi8(v)) << (16 * part);
        }
        if (stopAtCode26 && (stops & ~ends) != 0) {
            // The text ends at the code: the events before it are all there is.
            const std::uint64_t code = stops & ~ends;
            const unsigned at = static_cast<unsigned>(__builtin_ctzll(code));
            if (base + at < end) {
                end = base + at;
                if (stoppedAt) *stoppedAt = end;
            }
        }
        if (end - base < 64) {
            const std::uint64_t valid = (std::uint64_t{1} << (end - base)) - 1;
            ends &= valid;
            events &= valid;
            high &= valid;
        }
        while (events) {
            // The delimiters up to the next line end go to the sink as one run.
            const std::uint64_t lineEnds = events & ends;
            const std::uint64_t before = lineEnds ? (lineEnds & (0 - lineEnds)) - 1 : ~std::uint64_t{0};
            if (events & before) sink.delimiters(lineStart, base, events & before);
            if (!lineEnds) break;
            events &= ~before;
            const unsigned bit = static_cast<unsigned>(__builtin_ctzll(events));
            events &= events - 1;
            const std::size_t pos = base + bit;
            if (pos < lineStart) continue;  // the line feed of a line end before
            const unsigned from = lineStart > base ? static_cast<unsigned>(lineStart - base) : 0;
            upper = upper || ((high >> from) & ((std::uint64_t{1} << (bit - from)) - 1)) != 0;
            if (!sink.line(lineStart, pos, upper)) return false;
            lineStart = pos + 1;
            if (crLf && lineStart < end && data[lineStart] == '\n') ++lineStart;
            upper = false;
        }
        const unsigned from = lineStart > base ? static_cast<unsigned>(lineStart - base) : 0;
        if (from < 64) upper = upper || (high >> from) != 0;
    }
#else
    for (std::size_t pos = 0; pos < end; ++pos) {
        const char c = data[pos];
        if (stopAtCode26 && c == kEndOfFileCode) {
            end = pos;
            if (stoppedAt) *stoppedAt = end;
            break;
        }
        if (c == lineEnd) {
            if (!sink.line(lineStart, pos, upper)) return false;
            lineStart = pos + 1;
            if (crLf && lineStart < end && data[lineStart] == '\n') pos = lineStart++;
            upper = false;
            continue;
        }
        if (c == delimiter) sink.delimiter(lineStart, pos);
        upper = upper || static_cast<unsigned char>(c) >= 0x80;
    }
#endif
    if (lineStart < end) return sink.line(lineStart, end, upper);
    return true;
}

}  // namespace tabulyst
