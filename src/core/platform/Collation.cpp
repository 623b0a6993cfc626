#include "core/platform/Collation.h"

#include <unicode/ucol.h>

#include <algorithm>
#include <memory>
#include <numeric>


namespace tabulyst {

void sortGerman(std::vector<std::string>& texts) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UCollator, decltype(&ucol_close)> collator(ucol_open("de", &status), ucol_close);
    if (U_FAILURE(status) || !collator) return;  // only without memory or ICU's data: the order stays
    // Secondary strength: accents count, case does not.
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        UErrorCode error = U_ZERO_ERROR;
        return ucol_strcollUTF8(collator.get(), texts[a].data(), static_cast<int32_t>(texts[a].size()),
                                texts[b].data(), static_cast<int32_t>(texts[b].size()), &error) == UCOL_LESS;
    });
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (std::size_t i : order) sorted.push_back(std::move(texts[i]));
    texts = std::move(sorted);
}

}  // namespace tabulyst
