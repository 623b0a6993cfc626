#include "core/files/Fields.h"

#include <cstring>

namespace tabulyst {

void splitFields(std::string_view line, std::string_view delimiter, std::vector<std::string_view>& out) {
    out.clear();
    if (delimiter.empty()) {
        if (!line.empty()) out.push_back(line);
        return;
    }
    const char* data = line.data();
    const std::size_t n = line.size();
    std::size_t start = 0;
    if (delimiter.size() == 1) {
        const char d = delimiter[0];
        while (start < n) {
            const void* hit = std::memchr(data + start, d, n - start);
            if (!hit) break;
            std::size_t pos = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
            out.emplace_back(data + start, pos - start);
            start = pos + 1;
        }
    } else {
        for (;;) {
            std::size_t pos = line.find(delimiter, start);
            if (pos == std::string_view::npos) break;
            out.emplace_back(data + start, pos - start);
            start = pos + delimiter.size();
        }
    }
    // The field after the last delimiter, empty when the line ends with one.
    out.emplace_back(data + start, n - start);
}

std::string joinFields(std::span<const std::string_view> fields, std::string_view delimiter) {
    std::string line;
    if (fields.empty()) return line;
    std::size_t total = delimiter.size() * (fields.size() - 1);
    for (auto f : fields) total += f.size();
    line.reserve(total);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) line.append(delimiter);
        line.append(fields[i]);
    }
    return line;
}

}  // namespace tabulyst
