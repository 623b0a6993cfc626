#pragma once
// A recorded macro: for each of up to 1024 events a key-down code or a key-up
// code (the other one 0). Its byte image, the key-down array then the key-up
// array as little-endian 16-bit Windows virtual keys, is the macro file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tabulyst {

struct MacroBuffer {
    static constexpr int kEvents = 1024;
    static constexpr std::size_t kFileSize = 4 * kEvents;

    std::array<std::uint16_t, kEvents> down{};
    std::array<std::uint16_t, kEvents> up{};

    void clear();
    // The 4096 bytes of the file.
    std::string bytes() const;
    // From the file's bytes; bytes must hold kFileSize of them.
    static MacroBuffer fromBytes(std::string_view bytes);
};

}  // namespace tabulyst
