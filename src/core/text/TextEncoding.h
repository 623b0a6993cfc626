#pragma once
// What the bytes of a table's cells mean: Windows-1252, one byte a character, or UTF-8.
#include <cstdint>

namespace tabulyst::text {

enum class TextEncoding : std::uint8_t { Windows1252, Utf8 };

}  // namespace tabulyst::text
