#include "core/grid/LineSums.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define TABULYST_VECTOR_SUMS 1
#endif

namespace tabulyst {

namespace {

constexpr std::size_t kLongestLine = std::size_t{1} << 16;
// Seven weights of a group must add up below 256: a byte weighing more (a tab
// stop, say) stands in the table as kHeavy, and a line holding one is summed
// two bytes a step.
constexpr int kLightest = 36;
constexpr std::uint8_t kHeavy = 255;

#if TABULYST_VECTOR_SUMS
bool processorLooksUp64Bytes() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
}

// Each byte's weight through two 128-entry lookups, and the sums of each
// group of eight added up in order. False, with nothing worked out, when a
// byte of the text weighs more than the table can hold (kHeavy).
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) bool sumsOf64(const unsigned char* text, std::size_t length,
                                                                      const std::uint8_t* table, std::uint8_t* bytes,
                                                                      int* groups) {
    const __m512i low0 = _mm512_load_si512(table), low1 = _mm512_load_si512(table + 64);
    const __m512i high0 = _mm512_load_si512(table + 128), high1 = _mm512_load_si512(table + 192);
    const __m512i zero = _mm512_setzero_si512();
    alignas(64) std::uint64_t eight[8];
    int sum = 0;
    groups[0] = 0;
    for (std::size_t at = 0; at < length; at += 64) {
        // Only the line's own bytes are read: those behind it may be another thread's.
        const __mmask64 mine = length - at >= 64 ? ~__mmask64{0} : (__mmask64{1} << (length - at)) - 1;
        const __m512i index = _mm512_maskz_loadu_epi8(mine, text + at);
        const __m512i low = _mm512_permutex2var_epi8(low0, index, low1);
        const __m512i high = _mm512_permutex2var_epi8(high0, index, high1);
        const __m512i weights = _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), low, high);
        if (_mm512_mask_cmpeq_epi8_mask(mine, weights, _mm512_set1_epi8(static_cast<char>(kHeavy)))) return false;
        _mm512_storeu_si512(bytes + at, weights);
        _mm512_store_si512(eight, _mm512_sad_epu8(weights, zero));
        for (std::size_t k = 0; k < 8; ++k) groups[at / 8 + k + 1] = sum += static_cast<int>(eight[k]);
    }
    return true;
}
#endif

}  // namespace

LineSums::LineSums(const std::array<int, 256>& weights) : weights_(weights) {
    pairs_.resize(std::size_t{1} << 16);
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            const unsigned char two[2] = {static_cast<unsigned char>(a), static_cast<unsigned char>(b)};
            std::uint16_t word;
            std::memcpy(&word, two, 2);
            pairs_[word] = static_cast<std::uint16_t>(weights[a] + weights[b]);
        }
    }
    steps_.resize(kLongestLine / 2 + 1);
#if TABULYST_VECTOR_SUMS
    vector_ = processorLooksUp64Bytes() && std::all_of(weights.begin(), weights.end(), [](int w) { return w >= 0; });
    if (vector_) {
        for (std::size_t b = 0; b < 256; ++b) table_[b] = static_cast<std::uint8_t>(weights[b] <= kLightest ? weights[b] : kHeavy);
        bytes_.resize(kLongestLine + 64);
        groups_.resize(kLongestLine / 8 + 9);
    }
#endif
}

void LineSums::take(const unsigned char* text, std::size_t length) {
#if TABULYST_VECTOR_SUMS
    lineVector_ = vector_ && sumsOf64(text, length, table_.data(), bytes_.data(), groups_.data());
    if (lineVector_) return;
#endif
    text_ = text;
    int sum = 0;
    steps_[0] = 0;
    for (std::size_t k = 0; k < length / 2; ++k) {
        std::uint16_t two;  // one load for both bytes; pairs_ is laid out the same way
        std::memcpy(&two, text + 2 * k, 2);
        steps_[k + 1] = sum += pairs_[two];
    }
}

}  // namespace tabulyst
