#pragma once
// An array that only grows at its end, kept in fixed-size chunks: growing never
// copies what is there, so filling it with millions of entries costs no second
// copy at the peak, and an entry's address stays put.
#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

namespace tabulyst {

template <class T, unsigned ChunkBits = 16>
class ChunkedArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

public:
    static constexpr std::size_t kChunk = std::size_t{1} << ChunkBits;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T operator[](std::size_t i) const { return chunks_[i >> ChunkBits][i & (kChunk - 1)]; }
    T& operator[](std::size_t i) { return chunks_[i >> ChunkBits][i & (kChunk - 1)]; }

    void push_back(T value) {
        const std::size_t chunk = size_ >> ChunkBits;
        if (chunk == chunks_.size()) addChunk();
        chunks_[chunk][size_ & (kChunk - 1)] = value;
        ++size_;
    }
    // Room to write the next entries in place: where they go and how many fit
    // in the current chunk (at least one); grow(n) then adds the n written.
    T* room(std::size_t& free) {
        const std::size_t chunk = size_ >> ChunkBits;
        if (chunk == chunks_.size()) addChunk();
        free = kChunk - (size_ & (kChunk - 1));
        return &chunks_[chunk][size_ & (kChunk - 1)];
    }
    void grow(std::size_t n) { size_ += n; }
    // Drops the entries from count on (the chunks stay for what comes next).
    void shrink(std::size_t count) {
        if (count < size_) size_ = count;
    }
    void clear() {
        chunks_.clear();
        size_ = 0;
    }

private:
    void addChunk() { chunks_.emplace_back(new T[kChunk]); }  // left uninitialised until written

    std::vector<std::unique_ptr<T[]>> chunks_;
    std::size_t size_ = 0;
};

}  // namespace tabulyst
