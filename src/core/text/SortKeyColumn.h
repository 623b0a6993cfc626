#pragma once
// The sort keys of one column's cells, made once per sort. A text that occurs
// again shares the key made for it the first time, so a column of few
// distinct texts costs one collation per text, not per cell (a column whose
// first thousands of cells are mostly distinct stops looking texts up). The
// ranks turn the keys into numbers: a sort can then compare numbers only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tabulyst::text {

class SortKeyMaker;

class SortKeyColumn {
public:
    explicit SortKeyColumn(const SortKeyMaker& maker);

    // Adds the next cell. The texts added must stay as they are until the last one is.
    void add(std::string_view cell);

    std::size_t size() const { return keyOf_.size(); }
    std::string_view key(std::size_t cell) const { return distinctKey(keyOf_[cell]); }
    // The keys made: the distinct texts while they are looked up.
    std::size_t distinctCount() const { return ends_.size(); }

    // Per cell, the place of its key among the distinct keys in order: equal
    // keys have equal ranks, a smaller key a smaller rank.
    std::vector<std::uint32_t> ranks() const;

private:
    std::string_view distinctKey(std::uint32_t k) const;
    void grow();

    const SortKeyMaker& maker_;
    std::string keys_;                     // the distinct keys one after the other
    std::vector<std::size_t> ends_;        // where each ends in keys_
    std::vector<std::string_view> texts_;  // the text each was made from
    std::vector<std::uint32_t> keyOf_;     // per cell: its distinct key
    std::vector<std::uint32_t> slots_;     // open addressing by the texts' hashes: distinct key + 1, or 0
    bool lookup_ = true;
};

}  // namespace tabulyst::text
