#include "core/files/FieldLength.h"

#include "core/files/ConfigFile.h"

namespace tabulyst {

std::optional<int> parseFieldLength(std::string_view text) {
    auto value = parseInteger(text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

std::vector<int> parseFieldLengths(const std::vector<std::string>& texts, std::string& badText) {
    badText.clear();
    std::vector<int> lengths;
    lengths.reserve(texts.size());
    for (const std::string& text : texts) {
        auto value = parseFieldLength(text);
        if (!value) {
            badText = text;
            break;
        }
        lengths.push_back(*value);
    }
    return lengths;
}

}  // namespace tabulyst
