// Writes the benchmark tables: bench_generate FOLDER [ROWS]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "TableGenerator.h"

using namespace tabulyst::bench;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_generate FOLDER [ROWS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::size_t rows = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const struct {
        const char* name;
        Variant variant;
    } files[] = {{"table.csv", Variant::CrLf}, {"table-lf.csv", Variant::Lf}, {"table-utf8.csv", Variant::Utf8Bom}};
    for (const auto& f : files) {
        std::string text = generateTable(rows, f.variant);
        std::ofstream out(folder + "/" + f.name, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), f.name);
            return 1;
        }
        std::printf("%s: %zu rows, %.1f MB\n", f.name, rows, static_cast<double>(text.size()) / 1e6);
    }
    return 0;
}
