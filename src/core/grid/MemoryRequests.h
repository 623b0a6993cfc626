#pragma once
// Where the core takes memory from the system itself (malloc, mmap), it asks
// here first. Tests arm one request to fail, the n-th from then on, to see
// that a command that runs out of memory leaves nothing half done behind; the
// program never arms it, and then the question is one relaxed load.
#include <atomic>

namespace tabulyst {

// The request that is to fail, counted down; 0 (or below) when none is.
inline std::atomic<long> failingMemoryRequest{0};

// True for the one request that is to fail.
inline bool memoryRequestRefused() {
    if (failingMemoryRequest.load(std::memory_order_relaxed) <= 0) return false;
    return failingMemoryRequest.fetch_sub(1, std::memory_order_relaxed) == 1;
}

}  // namespace tabulyst
