#include "core/text/SortKeyColumn.h"

#include <algorithm>
#include <functional>

#include "core/text/SortKeyText.h"

namespace tabulyst::text {

SortKeyColumn::SortKeyColumn(const SortKeyMaker& maker) : maker_(maker), slots_(1024, 0) {}

std::string_view SortKeyColumn::distinctKey(std::uint32_t k) const {
    const std::size_t begin = k == 0 ? 0 : ends_[k - 1];
    return std::string_view(keys_).substr(begin, ends_[k] - begin);
}

void SortKeyColumn::grow() {
    std::vector<std::uint32_t> slots(slots_.size() * 2, 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t k = 0; k < texts_.size(); ++k) {
        std::size_t i = std::hash<std::string_view>{}(texts_[k]) & mask;
        while (slots[i] != 0) i = (i + 1) & mask;
        slots[i] = k + 1;
    }
    slots_ = std::move(slots);
}

void SortKeyColumn::add(std::string_view cell) {
    if (!lookup_) {
        keyOf_.push_back(static_cast<std::uint32_t>(ends_.size()));
        maker_.append(cell, keys_);
        ends_.push_back(keys_.size());
        return;
    }
    // Where most texts differ, looking them up costs more than it saves: from then on each gets its key.
    if (keyOf_.size() >= 4096 && (keyOf_.size() & (keyOf_.size() - 1)) == 0 && 2 * texts_.size() > keyOf_.size()) {
        lookup_ = false;
        texts_ = {};
        slots_ = {};
        add(cell);
        return;
    }
    // At most half the slots taken, so a search ends soon at an empty one.
    if (2 * (texts_.size() + 1) > slots_.size()) grow();
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = std::hash<std::string_view>{}(cell) & mask;
    for (; slots_[i] != 0; i = (i + 1) & mask) {
        if (texts_[slots_[i] - 1] == cell) {
            keyOf_.push_back(slots_[i] - 1);
            return;
        }
    }
    const auto k = static_cast<std::uint32_t>(texts_.size());
    slots_[i] = k + 1;
    texts_.push_back(cell);
    maker_.append(cell, keys_);
    ends_.push_back(keys_.size());
    keyOf_.push_back(k);
}

std::vector<std::uint32_t> SortKeyColumn::ranks() const {
    // By the keys' heads, the whole keys only where the heads leave it open.
    struct Entry {
        std::uint64_t head;
        std::uint32_t key;
        bool exact;
    };
    std::vector<Entry> entries(ends_.size());
    for (std::uint32_t k = 0; k < entries.size(); ++k) {
        entries[k].key = k;
        entries[k].head = maker_.head(distinctKey(k), entries[k].exact);
    }
    std::sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
        if (a.head != b.head) return a.head < b.head;
        return !(a.exact && b.exact) && distinctKey(a.key) < distinctKey(b.key);
    });
    std::vector<std::uint32_t> order(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].key;
    // Different texts may share a key (case does not count): they share a rank too.
    std::vector<std::uint32_t> rankOf(ends_.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && distinctKey(order[i]) != distinctKey(order[i - 1])) ++rank;
        rankOf[order[i]] = rank;
    }
    std::vector<std::uint32_t> ranks(keyOf_.size());
    for (std::size_t c = 0; c < keyOf_.size(); ++c) ranks[c] = rankOf[keyOf_[c]];
    return ranks;
}

}  // namespace tabulyst::text
