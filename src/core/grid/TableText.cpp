#include "core/grid/TableText.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <stdexcept>

#include "core/grid/HugePages.h"
#include "core/grid/LineSums.h"
#include "core/grid/MemoryRequests.h"
#include "core/grid/RowCells.h"
#include "core/grid/TableLimits.h"

namespace tabulyst {

TableText::RecordChunk::RecordChunk(std::size_t words, bool isWide) : wide(isWide), memory_(nullptr), bytes_(0) {
    const std::size_t bytes = words * wordSize(wide);
    void* memory = memoryRequestRefused()
                       ? MAP_FAILED
                       : ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    memory_ = memory;
    bytes_ = bytes;
}

TableText::RecordChunk::RecordChunk(RecordChunk&& other) noexcept
    : used(other.used), base(other.base), wide(other.wide), memory_(other.memory_), bytes_(other.bytes_) {
    other.memory_ = nullptr;
    other.bytes_ = 0;
}

TableText::RecordChunk& TableText::RecordChunk::operator=(RecordChunk&& other) noexcept {
    if (this != &other) {
        if (memory_) ::munmap(memory_, bytes_);
        used = other.used;
        base = other.base;
        wide = other.wide;
        memory_ = std::exchange(other.memory_, nullptr);
        bytes_ = std::exchange(other.bytes_, 0);
    }
    return *this;
}

TableText::RecordChunk::~RecordChunk() {
    if (memory_) ::munmap(memory_, bytes_);
}

void TableText::RecordChunk::grow(std::size_t words) {
    const std::size_t bytes = words * wordSize(wide);
    if (bytes <= bytes_) return;
    void* memory = memoryRequestRefused() ? MAP_FAILED : ::mremap(memory_, bytes_, bytes, MREMAP_MAYMOVE);
    if (memory == MAP_FAILED) throw std::bad_alloc();
    memory_ = memory;
    bytes_ = bytes;
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

void TableText::newChunk(std::size_t base, bool wide, std::size_t words) {
    // A row keeps where its line's record starts in 32 bits.
    if (chunks_.size() >= kMostChunks) throw TableLimitReached(TableLimit::Records);
    // Whole stretches, so that each stretch given memory starts on a page.
    const std::size_t stretch = kStretchBytes / RecordChunk::wordSize(wide);
    words = std::max(words, wide ? kChunkWords / 2 : kChunkWords);
    words = (words + stretch - 1) / stretch * stretch;
    chunks_.reserve(chunks_.size() + 1);
    chunks_.emplace_back(words, wide);
    chunks_.back().base = base;
    pos_ = 0;
    backed_ = 0;
    lastChunkChanged();
    backWordsUpTo(0);
}

void TableText::lastChunkChanged() {
    last_ = chunks_.empty() ? nullptr : chunks_.back().memory();
    lastWide_ = !chunks_.empty() && chunks_.back().wide;
    base_ = chunks_.empty() ? 0 : chunks_.back().base;
}

// Where fresh memory is costly to fault in page by page (virtual machines
// above all), the next stretch of the chunk is asked for in one call; where the
// system cannot, its pages fault in as they are written.
void TableText::backWordsUpTo(std::size_t words) {
    const std::size_t size = RecordChunk::wordSize(lastWide_);
    const std::size_t stretch = kStretchBytes / size;
    const std::size_t from = backed_;
    backed_ = std::min(chunks_.back().capacity(), (std::max(backed_, words) / stretch + 1) * stretch);
#ifdef MADV_POPULATE_WRITE
    if (backed_ > from) ::madvise(static_cast<char*>(last_) + from * size, (backed_ - from) * size, MADV_POPULATE_WRITE);
#else
    (void)from;
#endif
}

void TableText::beginLineElsewhere(std::size_t start) {
    // A record starts where a line can name it, and as far from its chunk's base as two words say.
    const bool fits = last_ && pos_ < kChunkWords && chunks_.back().capacity() - pos_ >= 3 && start - base_ <= startSpan_;
    if (!fits) newChunk(start, false);
    if (pos_ + 3 > backed_) backWordsUpTo(pos_ + 3);
    openAt_ = pos_;
    const std::size_t at = start - base_;
    RecordChunk& chunk = chunks_.back();
    chunk.setWord(pos_++, at);  // the low word keeps what it can hold
    chunk.setWord(pos_++, at >> (8 * RecordChunk::wordSize(lastWide_)));
    chunk.setWord(pos_++, 0);
    open_ = true;
}

void TableText::roomForOpen(std::size_t more) {
    RecordChunk& chunk = chunks_.back();
    if (pos_ + more > chunk.capacity()) {
        const std::size_t words = pos_ - openAt_ + more;
        if (openAt_ == 0) {
            // The record fills its chunk alone (a line of millions of fields): the chunk grows.
            chunk.grow(std::max(2 * chunk.capacity(), words));
            lastChunkChanged();
        } else {
            // Out of a full chunk of 32-bit words, a record that 16 bits hold takes them again.
            const std::size_t fields = pos_ - openAt_ - 3;
            const bool wide = lastWide_ && (fields > 0xFFFF ||
                                            (fields > 0 && chunk.word(pos_ - 1) > 0xFFFF));
            moveOpenRecord(wide, more);
        }
    }
    if (pos_ + more > backed_) backWordsUpTo(pos_ + more);
}

void TableText::moveOpenRecord(bool wide, std::size_t more) {
    const std::size_t words = pos_ - openAt_;
    std::vector<std::uint32_t> record(words);
    for (std::size_t i = 0; i < words; ++i) record[i] = static_cast<std::uint32_t>(chunks_.back().word(openAt_ + i));
    const std::size_t start = base_ + (record[0] | std::size_t{record[1]} << (8 * RecordChunk::wordSize(lastWide_)));
    pos_ = openAt_;
    // A chunk the record alone was begun in is left with nothing: it goes.
    if (chunks_.back().used == 0) {
        chunks_.pop_back();
        lastChunkChanged();
    }
    newChunk(start, wide, 2 * (words + more));
    record[0] = record[1] = 0;
    for (std::size_t i = 0; i < words; ++i) chunks_.back().setWord(i, record[i]);
    pos_ = words;
    openAt_ = 0;
    if (pos_ + more > backed_) backWordsUpTo(pos_ + more);
}

std::uint16_t* TableText::endRoomElsewhere(std::size_t& room) {
    room = 0;
    if (lastWide_ || !open_) return nullptr;
    roomForOpen(1);
    room = backed_ - pos_;
    return static_cast<std::uint16_t*>(last_) + pos_;
}

void TableText::addEnd(std::size_t end) {
    if (end > UINT32_MAX) throw TableLimitReached(TableLimit::LineLength);
    if (!lastWide_ && end > 0xFFFF) moveOpenRecord(true, 1);
    roomForOpen(1);
    // A line of a million fields comes here for each: straight into the last chunk.
    if (lastWide_) static_cast<std::uint32_t*>(last_)[pos_++] = static_cast<std::uint32_t>(end);
    else static_cast<std::uint16_t*>(last_)[pos_++] = static_cast<std::uint16_t>(end);
}

void TableText::endLineElsewhere() {
    const std::size_t fields = pos_ - openAt_ - 3;
    if (!lastWide_ && fields > 0xFFFF) moveOpenRecord(true, 0);
    chunks_.back().setWord(openAt_ + 2, fields);
    chunks_.back().used = pos_;
    lastLineQuoted_ = lineQuoted_;
    lineQuoted_ = false;
    open_ = false;
    maxCells_ = std::max(maxCells_, static_cast<std::uint32_t>(fields + 1));
    ++lines_;
}

void TableText::dropLine() {
    lineQuoted_ = false;
    if (!open_) return;
    open_ = false;
    pos_ = openAt_;
}

TableText::Line TableText::lineAfter(Line line) const {
    std::size_t c = line >> kChunkBits;
    std::size_t at = (line & (kChunkWords - 1)) + cellCount(line) + 2;
    while (at >= chunks_[c].used) {
        if (++c == chunks_.size()) return kNoLine;
        at = 0;
    }
    return static_cast<Line>((c << kChunkBits) + at);
}

void TableText::dropFirstLines(std::size_t count) {
    if (count == 0 || open_) return;
    count = std::min<std::size_t>(count, lines_);
    std::size_t dropped = 0;
    while (dropped < count && !chunks_.empty()) {
        RecordChunk& chunk = chunks_.front();
        // The words of the records dropped from the first chunk.
        std::size_t words = 0;
        while (dropped < count && words < chunk.used) {
            words += 3 + chunk.word(words + 2);
            ++dropped;
        }
        if (words == chunk.used && chunks_.size() > 1) {
            chunks_.erase(chunks_.begin());
            continue;
        }
        // The rest moves to the chunk's head: their starts count from the same base.
        const std::size_t size = RecordChunk::wordSize(chunk.wide);
        auto* bytes = static_cast<char*>(chunk.memory());
        std::memmove(bytes, bytes + words * size, (chunk.used - words) * size);
        chunk.used -= words;
        if (chunks_.size() == 1) pos_ -= words;
    }
    lastChunkChanged();
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

void TableText::finish() {
    dropLine();
    // Column numbers stay far from the largest int.
    if (maxCells_ > kMostCells) throw TableLimitReached(TableLimit::Fields);
    maxCells_ = std::max<std::uint32_t>(maxCells_, 1);
    map_.clear();
    readCells_.clear();
    sizes_.clear();
    identity_ = pristine_ = true;
}

std::string_view TableText::lineText(Line line) const {
    return withRecord(line, [this](const auto* record, std::size_t base) {
        return std::string_view(data_ + startOf(record, base), record[2] == 0 ? 0 : record[2 + record[2]]);
    });
}

namespace {

// The weight of the quotes a quoted field's cell does not show: the two
// around it and one of each pair inside.
int hiddenQuotesWeight(std::string_view field, int quoteWeight) {
    if (field.size() < 2 || field.front() != '"') return 0;
    const std::string_view inside = insideQuotes(field);
    return quoteWeight * static_cast<int>(2 + std::count(inside.begin(), inside.end(), '"') / 2);
}

}  // namespace

void TableText::addFieldSums(Line line, LineSums& sums, std::vector<int>& best) const {
    // A field in quotes is as wide as its cell: what it shows. The line just
    // split says whether it has one; any other is looked through.
    const bool quoted = hasQuoted_ &&
                        (line == lastLine() ? lastLineQuoted_ : lineText(line).find('"') != std::string_view::npos) &&
                        !readPlain(line);
    const int quoteWeight = sums.weights()[static_cast<unsigned char>('"')];
    withRecord(line, [&](const auto* record, std::size_t base) {
        const std::size_t fields = record[2];
        if (fields == 0) return;
        const std::size_t length = record[2 + fields];
        const auto* text = reinterpret_cast<const unsigned char*>(data_ + startOf(record, base));
        if (length > 0xFFFF) {
            // Longer than the running sums reach: field by field.
            auto sumField = [&](std::size_t p, std::string_view field) {
                int sum = 0;
                for (char ch : field) sum += sums.weights()[static_cast<unsigned char>(ch)];
                if (quoted) sum -= hiddenQuotesWeight(field, quoteWeight);
                best[p] = std::max(best[p], sum);
            };
            forEachFieldOf(record, startOf(record, base), sumField);
            return;
        }
        // The running sums over the whole line, then one subtraction per field: a
        // loop per field, of a length the processor cannot foresee, costs more
        // than the sums themselves.
        sums.take(text, length);
        // Between two fields lies the delimiter, of the same weight every time.
        int gapWeight = 0;
        if (layout_.delimited)
            for (char ch : layout_.delimiter) gapWeight += sums.weights()[static_cast<unsigned char>(ch)];
        int* top = best.data();
        int from = 0;
        if (!quoted) {
            for (std::size_t p = 1; p <= fields; ++p) {
                const int to = sums.before(record[2 + p]);
                top[p] = std::max(top[p], to - from);
                from = to + gapWeight;
            }
            return;
        }
        for (std::size_t p = 1; p <= fields; ++p) {
            const int to = sums.before(record[2 + p]);
            const std::size_t begin = p == 1 ? 0 : record[1 + p] + gap_;
            const std::string_view field(reinterpret_cast<const char*>(text) + begin, record[2 + p] - begin);
            top[p] = std::max(top[p], to - from - hiddenQuotesWeight(field, quoteWeight));
            from = to + gapWeight;
        }
    });
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
    return !open_ && !part.open_ && chunks_.size() + part.chunks_.size() <= kMostChunks;
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
    if (!part.chunks_.empty()) {
        chunks_.reserve(chunks_.size() + part.chunks_.size());
        for (auto& chunk : part.chunks_) chunks_.push_back(std::move(chunk));
        pos_ = part.pos_;
        backed_ = part.backed_;
        openAt_ = part.openAt_;
        lastLineQuoted_ = part.lastLineQuoted_;
        lastChunkChanged();
    }
    lines_ += part.lines_;
    maxCells_ = std::max(maxCells_, part.maxCells_);
    part.chunks_.clear();
    part.lastChunkChanged();
    part.lines_ = 0;
    return true;
}

}  // namespace tabulyst
