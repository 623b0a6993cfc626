#include "core/macros/MacroBuffer.h"

namespace tabulyst {

void MacroBuffer::clear() {
    down.fill(0);
    up.fill(0);
}

std::string MacroBuffer::bytes() const {
    std::string out(kFileSize, '\0');
    auto put = [&out](std::size_t at, std::uint16_t code) {
        out[at] = static_cast<char>(code & 0xFF);
        out[at + 1] = static_cast<char>(code >> 8);
    };
    for (std::size_t i = 0; i < kEvents; ++i) {
        put(2 * i, down[i]);
        put(2 * kEvents + 2 * i, up[i]);
    }
    return out;
}

MacroBuffer MacroBuffer::fromBytes(std::string_view bytes) {
    MacroBuffer buffer;
    auto get = [bytes](std::size_t at) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                          static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    for (std::size_t i = 0; i < kEvents; ++i) {
        buffer.down[i] = get(2 * i);
        buffer.up[i] = get(2 * kEvents + 2 * i);
    }
    return buffer;
}

}  // namespace tabulyst
