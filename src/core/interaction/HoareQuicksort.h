#pragma once
// Hoare's quicksort with the middle item copied aside as the pivot. It
// recurses into the smaller part and loops on the larger one, so an unlucky
// order cannot make the recursion deeper than log2 of the count; the two parts
// are disjoint, so the order is the same as recursing into both.
#include <cstddef>
#include <utility>
#include <vector>

namespace tabulyst {

// compare(a, b) gives -1, 0 or +1; descending runs the same scheme with the
// comparisons turned round ("> 0" where ascending has "< 0"). The order of
// items that compare equal is the scheme's own (not stable).
template <class T, class Compare>
void hoareQuicksort(std::vector<T>& items, std::ptrdiff_t left, std::ptrdiff_t right, Compare& compare,
                    bool descending) {
    const int sign = descending ? -1 : 1;
    while (left < right) {
        std::ptrdiff_t i = left, j = right;
        const T pivot = items[static_cast<std::size_t>(left + (right - left) / 2)];
        do {
            // The bounds only matter for a comparison that contradicts itself.
            while (i < right && sign * compare(items[static_cast<std::size_t>(i)], pivot) < 0) ++i;
            while (j > left && sign * compare(pivot, items[static_cast<std::size_t>(j)]) < 0) --j;
            if (i <= j) {
                if (i != j) std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - left < right - i) {
            if (left < j) hoareQuicksort(items, left, j, compare, descending);
            left = i;
        } else {
            if (i < right) hoareQuicksort(items, i, right, compare, descending);
            right = j;
        }
    }
}

}  // namespace tabulyst
