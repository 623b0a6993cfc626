#pragma once
// How the targets read their input. Most take a first line that sets them up
// (a delimiter, field lengths, flags) and the rest as the text to parse, so
// that seed files are readable table lines and every corpus file suits every
// target.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tabulyst::fuzz {

struct HeaderAndBody {
    std::string_view header;  // the first line without its line feed; empty when there is none
    std::string_view body;    // everything after it
};

// Splits at the first line feed when it lies within maxHeader bytes;
// otherwise the header is empty and the body is the whole input.
HeaderAndBody splitHeader(const std::uint8_t* data, std::size_t size, std::size_t maxHeader = 64);

// The parts of text between the separators (n separators give n + 1 parts).
std::vector<std::string_view> splitAt(std::string_view text, char separator);

}  // namespace tabulyst::fuzz
