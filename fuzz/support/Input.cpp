#include "support/Input.h"

namespace tabulyst::fuzz {

HeaderAndBody splitHeader(const std::uint8_t* data, std::size_t size, std::size_t maxHeader) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t end = all.substr(0, maxHeader + 1).find('\n');
    if (end == std::string_view::npos) return {{}, all};
    return {all.substr(0, end), all.substr(end + 1)};
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

}  // namespace tabulyst::fuzz
