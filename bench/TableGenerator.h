#pragma once
// A deterministic semicolon table of German-looking data, the workload of the benchmarks.
#include <cstddef>
#include <string>

namespace tabulyst::bench {

enum class Variant { CrLf, Lf, Utf8Bom };

// rows lines of ten fields, Windows-1252 (or UTF-8 with a byte-order mark,
// with a character Windows-1252 lacks in every tenth row).
std::string generateTable(std::size_t rows, Variant variant);

}  // namespace tabulyst::bench
