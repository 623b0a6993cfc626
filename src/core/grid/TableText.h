#pragma once
// A table file's text as it was read: all its bytes in one buffer and, per
// line, one record with where the line starts and where each of its fields
// ends, worked out once while reading. Rows the user has not changed show
// their cells straight from here (see RowCells), so a million-row file costs
// little more than its own size, and saving can write untouched lines back as
// they stand. A record lies in one piece, so reading a cell touches one place.
// Column edits reach all these rows at once through one column map; a row
// number cell is kept as a number per row and shown from a shared table of digits.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/grid/QuotedCellTexts.h"
#include "core/grid/TableLayout.h"

namespace tabulyst {

class LineSums;

// Bytes of a text kept by someone else (a file mapped into memory).
class TextBytes {
public:
    virtual ~TextBytes() = default;
    virtual char* data() = 0;
    virtual std::size_t size() const = 0;
    // Called before the bytes are written to.
    virtual void makeWritable() = 0;
};

class TableText {
public:
    // Where a line's record starts: what a row showing the line keeps.
    using Line = std::uint32_t;

private:
    // A record: the line's start in two words (low, high), its field count,
    // then the end of each field counted from the start. Records lie in chunks,
    // never across two, and a chunk's starts count from its first line, so a
    // file of any size keeps its records this small. A chunk's words are 16
    // bits; a line whose ends or field count need more moves to a chunk of
    // 32-bit words, where the lines after it go too until that chunk is full.
    // A line is known by its chunk and where its record starts there.
    static constexpr unsigned kChunkBits = 22;
    static constexpr std::size_t kChunkWords = std::size_t{1} << kChunkBits;  // of 16 bits; half as many of 32
    static constexpr std::size_t kMostChunks = (std::size_t{1} << (32 - kChunkBits)) - 1;
    static constexpr std::size_t kStretchBytes = std::size_t{64} << 10;  // given memory at a time

    // Address space taken from the system itself: only what records fill
    // becomes memory, and freed it goes back at once instead of staying with
    // the allocator (a big file is read in dozens of parts).
    class RecordChunk {
    public:
        RecordChunk(std::size_t words, bool wide);
        RecordChunk(RecordChunk&& other) noexcept;
        RecordChunk& operator=(RecordChunk&& other) noexcept;
        ~RecordChunk();
        template <class Word>
        Word* words() const {
            return static_cast<Word*>(memory_);
        }
        void* memory() const { return memory_; }
        static std::size_t wordSize(bool wide) { return wide ? 4 : 2; }
        std::size_t capacity() const { return bytes_ / wordSize(wide); }
        std::size_t word(std::size_t at) const { return wide ? words<std::uint32_t>()[at] : words<std::uint16_t>()[at]; }
        void setWord(std::size_t at, std::size_t value) {
            if (wide) words<std::uint32_t>()[at] = static_cast<std::uint32_t>(value);
            else words<std::uint16_t>()[at] = static_cast<std::uint16_t>(value);
        }
        // Room for at least words words, the records kept (they may move).
        void grow(std::size_t words);
        std::size_t used = 0;  // the words its records fill
        std::size_t base = 0;  // where its starts count from
        bool wide;

    private:
        void* memory_;
        std::size_t bytes_;
    };

    // f(record, base) with the line's record in the words of its chunk.
    template <class F>
    decltype(auto) withRecord(Line line, F&& f) const {
        const RecordChunk& chunk = chunks_[line >> kChunkBits];
        const std::size_t at = line & (kChunkWords - 1);
        if (chunk.wide) return f(chunk.words<std::uint32_t>() + at, chunk.base);
        return f(chunk.words<std::uint16_t>() + at, chunk.base);
    }
    template <class Word, class F>
    static void eachRecordOf(const Word* words, std::size_t used, Line first, F& f) {
        for (std::size_t at = 0; at < used; at += 3 + words[at + 2]) f(static_cast<Line>(first + at));
    }
    template <class Word>
    static std::size_t startOf(const Word* record, std::size_t base) {
        return base + (record[0] | std::size_t{record[1]} << (8 * sizeof(Word)));
    }
    std::string_view fieldOf(Line line, std::size_t p) const {
        return withRecord(line, [&](const auto* record, std::size_t base) { return fieldOf(record, startOf(record, base), p); });
    }
    template <class Word>
    std::string_view fieldOf(const Word* record, std::size_t start, std::size_t p) const {
        if (p > record[2]) return {};
        const std::size_t end = record[2 + p];
        const std::size_t begin = p == 1 ? 0 : record[1 + p] + gap_;
        return {data_ + start + begin, end - begin};
    }
    template <class Word, class F>
    void forEachFieldOf(const Word* record, std::size_t start, F& f) const {
        const char* text = data_ + start;
        std::size_t begin = 0;
        for (std::size_t p = 1; p <= record[2]; ++p) {
            const std::size_t end = record[2 + p];
            f(p, std::string_view(text + begin, end - begin));
            begin = end + gap_;
        }
    }

public:

    // How far past the first line of its chunk a record's start may lie: what
    // two 16-bit words hold. A test shrinks it to reach what only files past
    // 4 GiB reach otherwise; a text takes it when made.
    static inline std::size_t recordStartSpan = 0xFFFFFFFF;

    // How lines were cut.
    explicit TableText(TableLayout layout);
    ~TableText();
    TableText(const TableText&) = delete;
    TableText& operator=(const TableText&) = delete;

    // --- filling, while reading ---
    // Room for size bytes of text (and a little slack behind them); what the
    // buffer held is kept. Returns the buffer.
    char* reserve(std::size_t size);
    // Takes bytes kept elsewhere as the buffer, with kSlack writable bytes behind them.
    void adopt(std::unique_ptr<TextBytes> bytes);
    static constexpr std::size_t kSlack = 64;  // readable bytes behind the text, for word-wise scanning
    char* data() { return data_; }
    // Call before writing into the buffer.
    void makeWritable() {
        if (bytes_) bytes_->makeWritable();
        else if (lender_) lender_->makeWritable();
    }
    std::size_t capacity() const { return capacity_; }
    const char* data() const { return data_; }
    // How many bytes of the buffer are text.
    void setSize(std::size_t size);
    std::size_t size() const { return size_; }
    // Lines come in order: beginLine with where the line starts, the end of
    // each of its fields counted from there, then endLine.
    void beginLine(std::size_t start) {
        // Inline while the line fits the last chunk: a million lines call this.
        if (!lastWide_ && start - base_ <= startSpan_ && backed_ - pos_ >= 3 && last_) {
            openAt_ = pos_;
            auto* words = static_cast<std::uint16_t*>(last_);
            words[pos_++] = static_cast<std::uint16_t>(start - base_);
            words[pos_++] = static_cast<std::uint16_t>((start - base_) >> 16);
            words[pos_++] = 0;
            open_ = true;
            return;
        }
        beginLineElsewhere(start);
    }
    void addEnd(std::size_t end);
    void endLine() {
        if (!lastWide_ && pos_ - openAt_ - 3 <= 0xFFFF) {
            const std::size_t fields = pos_ - openAt_ - 3;
            static_cast<std::uint16_t*>(last_)[openAt_ + 2] = static_cast<std::uint16_t>(fields);
            chunks_.back().used = pos_;
            lastLineQuoted_ = lineQuoted_;
            lineQuoted_ = false;
            open_ = false;
            maxCells_ = std::max(maxCells_, static_cast<std::uint32_t>(fields + 1));
            ++lines_;
            return;
        }
        endLineElsewhere();
    }
    // Forgets the line begun (it is split again, or reading it failed).
    void dropLine();
    // The quick way while the open line's record takes 16-bit words (ends
    // below 65536): room for its next ends in place, or nullptr; then how many were written.
    std::uint16_t* endRoom(std::size_t& room) {
        if (!lastWide_ && open_ && pos_ < backed_) {
            room = backed_ - pos_;
            return static_cast<std::uint16_t*>(last_) + pos_;
        }
        return endRoomElsewhere(room);
    }
    void endsWritten(std::size_t count) { pos_ += count; }
    // Closes the text (a line still open is dropped); afterwards lines and cells can be read.
    void finish();
    std::uint32_t lineCount() const { return lines_; }
    // The most cells a line has: its number and its fields.
    std::uint32_t maxCells() const { return maxCells_; }
    static constexpr std::uint32_t kMostCells = std::uint32_t{1} << 30;

    // Calls f(line) for every line in order.
    template <class F>
    void forEachLine(F&& f) const {
        for (std::size_t c = 0; c < chunks_.size(); ++c) {
            const RecordChunk& chunk = chunks_[c];
            const auto first = static_cast<Line>(c << kChunkBits);
            if (chunk.wide) eachRecordOf(chunk.words<std::uint32_t>(), chunk.used, first, f);
            else eachRecordOf(chunk.words<std::uint16_t>(), chunk.used, first, f);
        }
    }
    // Calls f(p, field) for the fields of a line as read, p from 1 on.
    template <class F>
    void forEachField(Line line, F&& f) const {
        withRecord(line, [&](const auto* record, std::size_t base) { forEachFieldOf(record, startOf(record, base), f); });
    }

    // Raises best[p], for each field p of the line, to the sum of the weights
    // of the field's bytes: what the width fit wants when widths are sums of
    // advances. best must have maxCells() places.
    void addFieldSums(Line line, LineSums& sums, std::vector<int>& best) const;
    // --- quoted fields, while reading ---
    // The line being split has a field in quotes.
    void noteQuotedField() { hasQuoted_ = lineQuoted_ = true; }
    // The line starting at start was split without quotes: one of its quotes never closes.
    void notePlainRecord(std::size_t start) { plainRecords_.push_back(start); }
    // Where the lines split without quotes start in the buffer, in order.
    const std::vector<std::size_t>& plainRecords() const { return plainRecords_; }
    // Where a line starts in the buffer.
    std::size_t lineStart(Line line) const {
        return withRecord(line, [](const auto* record, std::size_t base) { return startOf(record, base); });
    }
    // The line after line in order, or kNoLine.
    static constexpr Line kNoLine = UINT32_MAX;
    Line lineAfter(Line line) const;
    // Forgets the first count lines (read from a place that turned out to lie inside a quoted field).
    void dropFirstLines(std::size_t count);

    // The line endLine closed last.
    Line lastLine() const { return static_cast<Line>(((chunks_.size() - 1) << kChunkBits) + openAt_); }

    // --- reading in two parts at once ---
    // Makes this empty text read lines of owner's buffer, which stays owner's.
    void borrowBuffer(TableText& owner);
    // Whether append can take part's lines: not while a line is open, or when
    // the records would not fit.
    bool canAppend(const TableText& part) const;
    // Takes the lines of part, read from the same buffer after the lines here;
    // false (and nothing taken) when it cannot.
    bool append(TableText& part);

    // --- the cells of a line, as RowCells shows them ---
    // The cells a line was read with: its number and its fields.
    std::uint32_t cellCount(Line line) const {
        return 1 + withRecord(line, [](const auto* record, std::size_t) { return static_cast<std::uint32_t>(record[2]); });
    }
    std::string_view cell(Line line, std::uint32_t number, std::size_t index) const {
        std::size_t p = index;
        if (!identity_) {
            if (index >= map_.size() || map_[index] < 0) return {};
            p = static_cast<std::size_t>(map_[index]);
        }
        if (p == 0) return numberText(number);
        const std::string_view field = fieldOf(line, p);
        if (!hasQuoted_ || field.empty() || field.front() != '"') return field;
        return quotedCell(line, field);
    }
    // Whether the cell at index was a quoted field of the line.
    bool wasQuoted(Line line, std::size_t index) const;
    std::uint32_t readCells(Line line) const { return pristine_ ? cellCount(line) : readCells_[cellCount(line)]; }
    std::uint32_t storedCells(Line line) const { return pristine_ ? cellCount(line) : sizes_[cellCount(line)]; }
    // How many rows show a line of this text; a row counts itself in and out.
    void rowShown() const { ++rowsShown_; }
    void rowGone() const { --rowsShown_; }
    std::size_t rowsShown() const { return rowsShown_; }
    // Whether the cell at index shows a line's number.
    bool showsNumber(std::size_t index) const {
        return pristine_ ? index == 0 : index < map_.size() && map_[index] == 0;
    }
    // The decimal text of a number, valid as long as this text lives.
    std::string_view numberText(std::uint32_t number) const;
    // A number's text as numberText writes it, read back; false for any other text.
    static bool parseNumber(std::string_view text, std::uint32_t& number);

    // --- column edits, for all lines at once, as RowCells does them for one row ---
    void insertCell(std::size_t index);
    void eraseCells(std::size_t first, std::size_t count);
    void moveCell(std::size_t from, std::size_t to);
    void truncate(std::size_t count);

    // --- saving ---
    // Whether every line's fields are still the cells they were read into, and
    // how they were cut: an untouched line is then written as its text stands.
    bool fieldsInPlace() const;
    const TableLayout& layout() const { return layout_; }
    // The lines turned out to be in this encoding, and the layout cut them
    // alike in both.
    void setEncoding(text::TextEncoding encoding) { layout_.encoding = encoding; }
    // The line's fields with what lies between them, without its line end.
    std::string_view lineText(Line line) const;

private:
    // The cell of a field that begins with a quote.
    std::string_view quotedCell(Line line, std::string_view field) const;
    bool readPlain(Line line) const {
        return std::binary_search(plainRecords_.begin(), plainRecords_.end(), lineStart(line));
    }
    void beginLineElsewhere(std::size_t start);
    void endLineElsewhere();
    std::uint16_t* endRoomElsewhere(std::size_t& room);
    // A fresh last chunk whose starts count from base, of at least words words.
    void newChunk(std::size_t base, bool wide, std::size_t words = 0);
    void lastChunkChanged();
    // Room for more words of the open record in the last chunk, where the record may move to.
    void roomForOpen(std::size_t more);
    // Moves the open record to a fresh chunk, of 32-bit words if wide.
    void moveOpenRecord(bool wide, std::size_t more);
    void backWordsUpTo(std::size_t words);
    void recomputeSizes();
    void buildNumberChunk(std::size_t chunk) const;

    TableLayout layout_;
    std::size_t gap_;  // bytes between two fields

    char* data_ = nullptr;
    std::unique_ptr<TextBytes> bytes_;  // when set, data_ is theirs
    bool borrowed_ = false;             // data_ is another text's
    TextBytes* lender_ = nullptr;       // and kept by these, if by anything
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;

    std::vector<RecordChunk> chunks_;
    // The last chunk, where lines are added, as the inline paths want it.
    void* last_ = nullptr;
    bool lastWide_ = false;
    std::size_t base_ = 0;      // its base
    std::size_t startSpan_;     // how far past its base a chunk's start may lie
    std::size_t pos_ = 0;       // where the next word goes in it
    std::size_t backed_ = 0;    // its words given memory ahead, at least pos_
    std::size_t openAt_ = 0;    // where the open record starts in it
    bool open_ = false;
    std::uint32_t lines_ = 0;
    std::uint32_t maxCells_ = 0;

    // Logical cell index -> the line's cell it shows (0 the number, p the
    // field p), -1 for an empty cell; identity_ while it is index itself.
    std::vector<int> map_;
    bool identity_ = true;
    // By the cells a line was read with: its read count and stored cells now.
    std::vector<std::uint32_t> readCells_;
    std::vector<std::uint32_t> sizes_;
    // Before the first column edit every cell is where it was read, and the
    // three tables above are left unmade: a line of a million fields opens
    // without them.
    bool pristine_ = true;
    void leavePristine();

    // Quoted fields: whether the text has any, and where the lines split
    // without quotes start. The cell texts of fields with pairs of quotes are
    // made when first asked for, like the numbers' texts, and kept.
    bool hasQuoted_ = false;
    bool lineQuoted_ = false;      // the line being split has a field in quotes
    bool lastLineQuoted_ = false;  // and the line endLine closed last
    std::vector<std::size_t> plainRecords_;
    mutable std::unordered_map<std::size_t, std::string_view> unquoted_;
    mutable std::deque<std::string> unquotedTexts_;

    mutable std::size_t rowsShown_ = 0;
    // The decimal texts of the numbers, 65536 to a chunk, made when first shown.
    mutable std::vector<std::unique_ptr<char[]>> numberChunks_;
};

}  // namespace tabulyst
