#pragma once
// Running sums of per-byte weights over a line, so that the sum over any of
// its fields is one subtraction: how the width fit measures a million lines
// where a text's width is the sum of its characters' advances. Where the
// processor can look up 64 bytes' weights at once (and the weights are
// small), it does; else it adds two bytes a step through a table of pairs.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabulyst {

class LineSums {
public:
    explicit LineSums(const std::array<int, 256>& weights);
    // Adds two bytes a step even where 64 at once would do (for tests).
    void useTwoByteSteps() { vector_ = false; }
    const std::array<int, 256>& weights() const { return weights_; }

    // Works out the sums over text[0, length), length below 65536.
    void take(const unsigned char* text, std::size_t length);
    // The sum of the weights of text[0, pos), pos up to the length taken.
    int before(std::size_t pos) const {
        if (lineVector_) {
            // The whole groups of eight before pos, then the bytes of its group before it.
            std::uint64_t group;
            __builtin_memcpy(&group, bytes_.data() + (pos & ~std::size_t{7}), 8);
            const unsigned bits = static_cast<unsigned>(pos & 7) * 8;
            group &= (std::uint64_t{1} << bits) - 1;
            return groups_[pos >> 3] + static_cast<int>((group * 0x0101010101010101ULL) >> 56);
        }
        const int odd = static_cast<int>(pos & 1);
        return steps_[pos >> 1] + (weights_[text_[(pos | 1) - 1]] & -odd);
    }

private:
    std::array<int, 256> weights_;
    bool vector_ = false;
    bool lineVector_ = false;  // the line taken was looked up 64 bytes at once
    const unsigned char* text_ = nullptr;
    // Two bytes a step: the table of pairs and the sum before each even place.
    std::vector<std::uint16_t> pairs_;
    std::vector<int> steps_;
    // 64 bytes at once: the weights as bytes, each byte's weight, and the sum
    // before each group of eight.
    alignas(64) std::array<std::uint8_t, 256> table_;
    std::vector<std::uint8_t> bytes_;
    std::vector<int> groups_;
};

}  // namespace tabulyst
