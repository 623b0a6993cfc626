#pragma once
// A deterministic semicolon table of German-looking data, the workload of the benchmarks.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tabulyst::bench {

enum class Variant { CrLf, Lf, Utf8Bom };

// rows lines of ten fields, Windows-1252 (or UTF-8 with a byte-order mark,
// with a character Windows-1252 lacks in every tenth row).
std::string generateTable(std::size_t rows, Variant variant);
// The same handed to write a few MB at a time (tables bigger than memory should hold twice).
void generateTable(std::size_t rows, Variant variant, const std::function<void(std::string_view)>& write);
// One line of fields fields, the table's values in turn.
std::string generateWideLine(std::size_t fields);

}  // namespace tabulyst::bench
