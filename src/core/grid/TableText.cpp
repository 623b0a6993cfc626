#include "core/grid/TableText.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "core/grid/HugePages.h"
#include "core/grid/LineSums.h"
#include "core/grid/MemoryRequests.h"
#include "core/grid/RowCells.h"
#include "core/grid/TableLimits.h"

namespace tabulyst {

void TableText::ChunkRelease::operator()(std::uint16_t* words) const {
    ::munmap(words, kChunkWords * sizeof(std::uint16_t));
}

TableText::TableText(TableLayout layout)
    : layout_(std::move(layout)),
      gap_(layout_.delimited ? layout_.delimiter.size() : 0),
      startSpan_(std::min<std::size_t>(recordStartSpan, 0xFFFFFFFF)) {}

TableText::~TableText() {
    if (!bytes_ && !borrowed_) std::free(data_);
}

void TableText::adopt(std::unique_ptr<TextBytes> bytes) {
    if (!bytes_ && !borrowed_) std::free(data_);
    borrowed_ = false;
    bytes_ = std::move(bytes);
    data_ = bytes_->data();
    capacity_ = size_ = bytes_->size();
}

char* TableText::reserve(std::size_t size) {
    if (size <= capacity_) return data_;
    auto* fresh = memoryRequestRefused() ? nullptr : static_cast<char*>(std::malloc(size + kSlack));
    if (!fresh) throw std::bad_alloc();
    preferHugePages(fresh, size + kSlack);
    if (size_ > 0) std::memcpy(fresh, data_, size_);
    if (!bytes_ && !borrowed_) std::free(data_);
    bytes_.reset();
    borrowed_ = false;
    data_ = fresh;
    capacity_ = size;
    return data_;
}

void TableText::setSize(std::size_t size) {
    size_ = std::min(size, capacity_);
    // Kept bytes come with their slack zeroed, and must not be written unasked.
    if (data_ && !bytes_) std::memset(data_ + size_, 0, kSlack);
}

// --- records ---

void TableText::newChunk(std::size_t base) {
    // A row keeps where its line's record starts in 32 bits.
    if (chunks_.size() >= (std::size_t{1} << (32 - kChunkBits)) - 1) throw TableLimitReached(TableLimit::Records);
    chunks_.reserve(chunks_.size() + 1);
    used_.reserve(used_.size() + 1);
    bases_.reserve(bases_.size() + 1);
    void* words = memoryRequestRefused() ? MAP_FAILED
                                         : ::mmap(nullptr, kChunkWords * sizeof(std::uint16_t), PROT_READ | PROT_WRITE,
                                                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (words == MAP_FAILED) throw std::bad_alloc();
    std::unique_ptr<std::uint16_t[], ChunkRelease> chunk(static_cast<std::uint16_t*>(words));
    chunks_.push_back(std::move(chunk));  // unmapped again if this throws
    used_.push_back(0);
    bases_.push_back(base);
    base_ = base;
    pos_ = 0;
    backed_ = 0;
    backWordsUpTo(0);
}

// Where fresh memory is costly to fault in page by page (virtual machines
// above all), the next stretch of the chunk is asked for in one call; where the
// system cannot, its pages fault in as they are written.
void TableText::backWordsUpTo(std::size_t words) {
    constexpr std::size_t kStretch = (std::size_t{64} << 10) / sizeof(std::uint16_t);
    const std::size_t from = backed_;
    backed_ = std::min(kChunkWords, (std::max(backed_, words) / kStretch + 1) * kStretch);
#ifdef MADV_POPULATE_WRITE
    ::madvise(chunks_.back().get() + from, (backed_ - from) * sizeof(std::uint16_t), MADV_POPULATE_WRITE);
#else
    (void)from;
#endif
}

void TableText::beginLineElsewhere(std::size_t start) {
    if (wide_) {
        if (wideRecords_.size() >= UINT32_MAX - 3) throw TableLimitReached(TableLimit::Records);
        openAt_ = wideRecords_.size();
        wideRecords_.push_back(static_cast<std::uint32_t>(start));
        wideRecords_.push_back(static_cast<std::uint32_t>(std::uint64_t{start} >> 32));
        wideRecords_.push_back(0);
        open_ = true;
        return;
    }
    if (!chunks_.empty() && kChunkWords - pos_ >= 3 && start - base_ <= startSpan_) backWordsUpTo(pos_ + 3);
    else newChunk(start);  // the last one is full, too far behind, or there is none
    beginLine(start);
}

std::uint16_t* TableText::endRoomElsewhere(std::size_t& room) {
    room = 0;
    if (wide_ || !open_) return nullptr;
    if (pos_ == kChunkWords) {
        // The open record moves whole to a fresh chunk.
        const std::size_t words = openWords();
        const std::uint16_t* from = chunks_.back().get() + openAt_;
        newChunk(base_ + (from[0] | std::size_t{from[1]} << 16));
        std::copy(from + 2, from + words, chunks_.back().get() + 2);
        chunks_.back()[0] = chunks_.back()[1] = 0;
        pos_ = words;
        openAt_ = 0;
    }
    if (pos_ >= backed_) backWordsUpTo(pos_ + 1);
    room = backed_ - pos_;
    return chunks_.back().get() + pos_;
}

void TableText::addEnd(std::size_t end) {
    if (end > UINT32_MAX) throw TableLimitReached(TableLimit::LineLength);
    if (!wide_ && end > 0xFFFF) goWide();
    if (wide_) {
        wideRecords_.push_back(static_cast<std::uint32_t>(end));
        return;
    }
    std::size_t room = 0;
    endRoom(room)[0] = static_cast<std::uint16_t>(end);
    ++pos_;
}

void TableText::endLineElsewhere() {
    const std::size_t fields = (wide_ ? wideRecords_.size() : pos_) - openAt_ - 3;
    if (!wide_ && fields > 0xFFFF) goWide();
    if (wide_) {
        wideRecords_[openAt_ + 2] = static_cast<std::uint32_t>(fields);
    } else {
        chunks_.back()[openAt_ + 2] = static_cast<std::uint16_t>(fields);
        used_.back() = pos_;
    }
    open_ = false;
    maxCells_ = std::max(maxCells_, static_cast<std::uint32_t>(fields + 1));
    ++lines_;
}

void TableText::dropLine() {
    if (!open_) return;
    open_ = false;
    if (wide_) wideRecords_.resize(openAt_);
    else pos_ = openAt_;
}

TableText::Line TableText::lineAfter(Line line) const {
    if (wide_) {
        const std::size_t at = line + 3 + wideRecords_[line + 2];
        return at < wideRecords_.size() ? static_cast<Line>(at) : kNoLine;
    }
    std::size_t piece = line >> kChunkBits;
    std::size_t at = (line & (kChunkWords - 1)) + 3 + narrowRecord(line)[2];
    while (at >= used_[piece]) {
        if (++piece == used_.size()) return kNoLine;
        at = 0;
    }
    return static_cast<Line>((piece << kChunkBits) + at);
}

void TableText::dropFirstLines(std::size_t count) {
    if (count == 0 || open_) return;
    count = std::min<std::size_t>(count, lines_);
    if (!wide_) {
        // They lie at the head of the first chunk, unless a piece began with thousands of them.
        std::size_t words = 0, dropped = 0;
        while (dropped < count && words < used_[0]) {
            words += 3 + chunks_[0][words + 2];
            ++dropped;
        }
        if (dropped < count) goWide();
        else {
            std::uint16_t* chunk = chunks_[0].get();
            std::memmove(chunk, chunk + words, (used_[0] - words) * sizeof(std::uint16_t));
            used_[0] -= words;
            if (chunks_.size() == 1) {
                pos_ -= words;
            } else if (used_[0] == 0) {
                // Line 0 is where the next chunk starts.
                chunks_.erase(chunks_.begin());
                used_.erase(used_.begin());
                bases_.erase(bases_.begin());
            }
        }
    }
    if (wide_) {
        std::size_t words = 0;
        for (std::size_t dropped = 0; dropped < count; ++dropped) words += 3 + wideRecords_[words + 2];
        wideRecords_.erase(wideRecords_.begin(), wideRecords_.begin() + static_cast<std::ptrdiff_t>(words));
    }
    lines_ -= static_cast<std::uint32_t>(count);
    maxCells_ = 0;
    forEachLine([&](Line line) { maxCells_ = std::max(maxCells_, cellCount(line)); });
}

std::string_view TableText::quotedCell(Line line, std::string_view field) const {
    if (field.size() < 2 || readPlain(line)) return field;
    const std::string_view inside = insideQuotes(field);
    if (!holdsQuotePair(inside)) return inside;
    const auto offset = static_cast<std::size_t>(field.data() - data_);
    if (auto known = unquoted_.find(offset); known != unquoted_.end()) return known->second;
    unquotedTexts_.push_back(unquotedField(field));
    return unquoted_.emplace(offset, unquotedTexts_.back()).first->second;
}

bool TableText::wasQuoted(Line line, std::size_t index) const {
    if (!hasQuoted_) return false;
    std::size_t p = index;
    if (!identity_) {
        if (index >= map_.size() || map_[index] <= 0) return false;
        p = static_cast<std::size_t>(map_[index]);
    }
    if (p == 0) return false;
    const std::string_view field = fieldOf(line, p);
    return field.size() >= 2 && field.front() == '"' && !readPlain(line);
}

void TableText::goWide() {
    // Every record so far, the open one too, moves to 32-bit words.
    std::vector<std::uint32_t> wide;
    auto move = [&wide](const std::uint16_t* record, std::size_t base, std::size_t words) {
        const std::uint64_t start = base + (record[0] | std::size_t{record[1]} << 16);
        wide.push_back(static_cast<std::uint32_t>(start));
        wide.push_back(static_cast<std::uint32_t>(start >> 32));
        wide.insert(wide.end(), record + 2, record + words);
    };
    for (std::size_t piece = 0; piece < used_.size(); ++piece)
        for (std::size_t at = 0; at < used_[piece]; at += 3 + chunks_[piece][at + 2])
            move(chunks_[piece].get() + at, bases_[piece], 3 + chunks_[piece][at + 2]);
    if (open_) {
        const std::size_t at = wide.size();
        move(chunks_.back().get() + openAt_, base_, openWords());
        openAt_ = at;
    }
    wideRecords_ = std::move(wide);
    chunks_.clear();
    used_.clear();
    bases_.clear();
    pos_ = 0;
    backed_ = 0;
    wide_ = true;
}

void TableText::finish() {
    dropLine();
    // Column numbers stay far from the largest int.
    if (maxCells_ > kMostCells) throw TableLimitReached(TableLimit::Fields);
    maxCells_ = std::max<std::uint32_t>(maxCells_, 1);
    reserveHuge(map_, maxCells_);  // a line of a million fields
    reserveHuge(readCells_, maxCells_ + 1);
    map_.resize(maxCells_);
    for (std::uint32_t i = 0; i < maxCells_; ++i) map_[i] = static_cast<int>(i);
    readCells_.resize(maxCells_ + 1);
    for (std::uint32_t p = 0; p <= maxCells_; ++p) readCells_[p] = p;
    recomputeSizes();
}

std::string_view TableText::lineText(Line line) const {
    if (wide_) {
        const std::uint32_t* record = &wideRecords_[line];
        return {data_ + (record[0] | std::size_t{record[1]} << 32), record[2] == 0 ? 0 : record[2 + record[2]]};
    }
    const std::uint16_t* record = narrowRecord(line);
    return {data_ + lineStart(line), record[2] == 0 ? std::size_t{0} : record[2 + record[2]]};
}

void TableText::addFieldSums(Line line, LineSums& sums, std::vector<int>& best) const {
    if (wide_) {
        forEachField(line, [&](std::size_t p, std::string_view field) {
            int sum = 0;
            for (char ch : field) sum += sums.weights()[static_cast<unsigned char>(ch)];
            best[p] = std::max(best[p], sum);
        });
        return;
    }
    // The running sums over the whole line, then one subtraction per field: a
    // loop per field, of a length the processor cannot foresee, costs more
    // than the sums themselves.
    const std::uint16_t* record = narrowRecord(line);
    const std::size_t fields = record[2];
    if (fields == 0) return;
    const auto* text = reinterpret_cast<const unsigned char*>(data_ + lineStart(line));
    sums.take(text, record[2 + fields]);
    // Between two fields lies the delimiter, of the same weight every time.
    int gapWeight = 0;
    if (layout_.delimited)
        for (char ch : layout_.delimiter) gapWeight += sums.weights()[static_cast<unsigned char>(ch)];
    int* top = best.data();
    int from = 0;
    for (std::size_t p = 1; p <= fields; ++p) {
        const int to = sums.before(record[2 + p]);
        top[p] = std::max(top[p], to - from);
        from = to + gapWeight;
    }
}

void TableText::borrowBuffer(TableText& owner) {
    if (!bytes_ && !borrowed_) std::free(data_);
    bytes_.reset();
    borrowed_ = true;
    lender_ = owner.bytes_.get();
    data_ = owner.data_;
    capacity_ = owner.capacity_;
    size_ = owner.size_;
}

bool TableText::canAppend(const TableText& part) const {
    if (open_ || part.open_) return false;
    if (wide_ || part.wide_) return wideWords() + part.wideWords() < UINT32_MAX - 3;
    return chunks_.size() + part.chunks_.size() < (std::size_t{1} << (32 - kChunkBits)) - 1;
}

std::size_t TableText::wideWords() const {
    if (wide_) return wideRecords_.size();
    std::size_t words = 0;
    for (std::size_t used : used_) words += used;  // a record takes as many words either way
    return words;
}

bool TableText::append(TableText& part) {
    if (!canAppend(part)) return false;
    // The part's quoted fields from its first line on (it may have dropped lines before it).
    if (part.lines_ > 0) {
        const std::size_t first = part.lineStart(0);
        hasQuoted_ = hasQuoted_ || part.hasQuoted_;
        for (std::size_t start : part.plainRecords_)
            if (start >= first) plainRecords_.push_back(start);
    }
    if (wide_ || part.wide_) {
        // A line too long for 16-bit records in either: all records take 32 bits.
        if (!wide_) goWide();
        if (!part.wide_) part.goWide();
        wideRecords_.insert(wideRecords_.end(), part.wideRecords_.begin(), part.wideRecords_.end());
        part.wideRecords_.clear();
        lines_ += part.lines_;
        maxCells_ = std::max(maxCells_, part.maxCells_);
        part.lines_ = 0;
        return true;
    }
    for (auto& chunk : part.chunks_) chunks_.push_back(std::move(chunk));
    used_.insert(used_.end(), part.used_.begin(), part.used_.end());
    bases_.insert(bases_.end(), part.bases_.begin(), part.bases_.end());
    if (!part.chunks_.empty()) {
        base_ = part.base_;
        pos_ = part.pos_;
        backed_ = part.backed_;
        openAt_ = part.openAt_;
    }
    lines_ += part.lines_;
    maxCells_ = std::max(maxCells_, part.maxCells_);
    part.chunks_.clear();
    part.used_.clear();
    part.bases_.clear();
    part.lines_ = 0;
    return true;
}

}  // namespace tabulyst
