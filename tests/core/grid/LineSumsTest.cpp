// The running sums the width fit takes field sums from, both ways they are
// worked out, against adding the weights one by one.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/grid/LineSums.h"

namespace tabulyst {
namespace {

TEST(LineSumsTest, EverySumBeforeAPlaceIsTheWeightsAddedOneByOne) {
    std::mt19937 rng(64);
    for (int round = 0; round < 60; ++round) {
        std::array<int, 256> weights{};
        for (int& w : weights) w = static_cast<int>(rng() % 21);
        if (round % 3 == 0) weights['\t'] = 80;  // heavier than a group of eight can hold as bytes
        const std::size_t lengths[] = {0, 1, 7, 8, 63, 64, 65, 200, 4096, 65535};
        const std::size_t length = lengths[static_cast<std::size_t>(round) % std::size(lengths)];
        std::string text(length + 64, '\0');  // readable beyond the line
        for (std::size_t i = 0; i < length + 64; ++i) text[i] = static_cast<char>(rng() % (round % 2 ? 256 : 128));
        for (bool twoByteSteps : {false, true}) {
            LineSums sums(weights);
            if (twoByteSteps) sums.useTwoByteSteps();
            sums.take(reinterpret_cast<const unsigned char*>(text.data()), length);
            int expected = 0;
            for (std::size_t pos = 0; pos <= length; ++pos) {
                ASSERT_EQ(sums.before(pos), expected) << "round " << round << " pos " << pos << " two-byte steps " << twoByteSteps;
                if (pos < length) expected += weights[static_cast<unsigned char>(text[pos])];
            }
        }
    }
}

}  // namespace
}  // namespace tabulyst
