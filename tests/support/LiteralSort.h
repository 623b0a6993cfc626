#pragma once
// Sorting by key columns written down step by step: the key columns classified
// before the sort, CompareRows reading and converting the cell texts at every
// comparison, and Hoare's quicksort recursing into both parts and moving whole
// rows. The tests compare the fast sort with it.
#include <algorithm>
#include <string>
#include <vector>

#include "core/interaction/SortKeys.h"
#include "core/platform/Locale.h"

namespace tabulyst::literal {

// Every row holds every cell, column 0 included.
using Table = std::vector<std::vector<std::string>>;

class SortReference {
public:
    SortReference(Table& rows, std::vector<int> keys, const Locale& locale) : rows_(rows), keys_(std::move(keys)), locale_(locale) {}

    void sort(int fixedRows, bool descending) {
        classify(fixedRows);
        descending_ = descending;
        const int last = static_cast<int>(rows_.size()) - 1;
        if (fixedRows <= last) quicksort(fixedRows, last, 1);
    }

    // The deepest nesting of the recursive calls in the last sort.
    int maxDepth = 0;

    int CompareRows(const std::vector<std::string>& a, const std::vector<std::string>& b) const {
        for (std::size_t k = 0; k < keys_.size(); ++k) {
            const std::string& ta = cellOf(a, keys_[k]);
            const std::string& tb = cellOf(b, keys_[k]);
            if (!ta.empty() && !tb.empty() && numeric_[k]) {
                long double va = 0, vb = 0;
                if (!readSortNumber(ta, va)) va = 0;
                if (!readSortNumber(tb, vb)) vb = 0;
                if (va < vb) return -1;
                if (va > vb) return 1;
            } else if (!ta.empty() && !tb.empty() && date_[k]) {
                long long va = 0, vb = 0;
                if (!readSortDate(ta, locale_, va)) va = 0;
                if (!readSortDate(tb, locale_, vb)) vb = 0;
                if (va < vb) return -1;
                if (va > vb) return 1;
            } else {
                const std::string ua = locale_.upper(ta), ub = locale_.upper(tb);
                for (std::size_t i = 0;; ++i) {
                    if (i == ua.size() && i == ub.size()) break;
                    if (i == ua.size()) return -1;
                    if (i == ub.size()) return 1;
                    const auto ca = static_cast<unsigned char>(ua[i]), cb = static_cast<unsigned char>(ub[i]);
                    if (ca != cb) return ca < cb ? -1 : 1;
                }
            }
        }
        return 0;
    }

private:
    static const std::string& cellOf(const std::vector<std::string>& row, int col) {
        static const std::string empty;
        return col >= 0 && col < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(col)] : empty;
    }

    // Down to the last row, or the one before when the last row is empty in every cell.
    void classify(int fixedRows) {
        int last = static_cast<int>(rows_.size()) - 1;
        if (last >= 0 && std::all_of(rows_.back().begin(), rows_.back().end(), [](const std::string& c) { return c.empty(); }))
            --last;
        numeric_.assign(keys_.size(), true);
        date_.assign(keys_.size(), true);
        for (std::size_t k = 0; k < keys_.size(); ++k)
            for (int r = fixedRows; r <= last; ++r) {
                const std::string& text = cellOf(rows_[static_cast<std::size_t>(r)], keys_[k]);
                if (text.empty()) continue;
                long double number;
                long long date;
                if (!readSortNumber(text, number)) numeric_[k] = false;
                if (!readSortDate(text, locale_, date)) date_[k] = false;
            }
    }

    int sign(int value) const { return descending_ ? -value : value; }

    void quicksort(int l, int r, int depth) {
        maxDepth = std::max(maxDepth, depth);
        int i = l, j = r;
        const std::vector<std::string> pivot = rows_[static_cast<std::size_t>((l + r) / 2)];
        do {
            while (sign(CompareRows(rows_[static_cast<std::size_t>(i)], pivot)) < 0) ++i;
            while (sign(CompareRows(pivot, rows_[static_cast<std::size_t>(j)])) < 0) --j;
            if (i <= j) {
                std::swap(rows_[static_cast<std::size_t>(i)], rows_[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j) quicksort(l, j, depth + 1);
        if (i < r) quicksort(i, r, depth + 1);
    }

    Table& rows_;
    std::vector<int> keys_;
    const Locale& locale_;
    std::vector<bool> numeric_, date_;
    bool descending_ = false;
};

}  // namespace tabulyst::literal
