#pragma once
#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabulyst {

// Fresh memory faults in a page at a time, and each fault is dear (dearest in
// a virtual machine); a big block asks for huge pages where the system grants
// them, so that a few faults bring it in.
inline void preferHugePages(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(data) + bytes;
    if (end > begin + kHuge) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// Room for at least count elements (growing by half again at least, so that
// asking one more each time stays linear), in huge pages where granted.
template <class T>
void reserveHuge(std::vector<T>& v, std::size_t count) {
    if (count <= v.capacity()) return;
    v.reserve(std::max(count, v.capacity() + v.capacity() / 2));
    preferHugePages(v.data(), v.capacity() * sizeof(T));
}

}  // namespace tabulyst
