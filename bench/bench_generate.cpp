// Writes the benchmark tables:
//   bench_generate FOLDER [ROWS]         table.csv, table-lf.csv and table-utf8.csv
//   bench_generate --table FILE ROWS     only the CR LF table, written as it is made
//   bench_generate --wide FILE FIELDS    one line of FIELDS fields
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "TableGenerator.h"

using namespace tabulyst::bench;

namespace {

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_generate FOLDER [ROWS] | --table FILE ROWS | --wide FILE FIELDS\n");
        return 2;
    }
    const std::string first = argv[1];
    if ((first == "--table" || first == "--wide") && argc > 3) {
        const std::string path = argv[2];
        const std::size_t count = std::strtoull(argv[3], nullptr, 10);
        bool ok = true;
        if (first == "--wide") {
            ok = writeFile(path, generateWideLine(count));
        } else {
            std::ofstream out(path, std::ios::binary);
            generateTable(count, Variant::CrLf,
                          [&out](std::string_view block) { out.write(block.data(), static_cast<std::streamsize>(block.size())); });
            ok = static_cast<bool>(out);
        }
        if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return ok ? 0 : 1;
    }
    const std::string folder = first;
    const std::size_t rows = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const struct {
        const char* name;
        Variant variant;
    } files[] = {{"table.csv", Variant::CrLf}, {"table-lf.csv", Variant::Lf}, {"table-utf8.csv", Variant::Utf8Bom}};
    for (const auto& f : files) {
        std::string text = generateTable(rows, f.variant);
        if (!writeFile(folder + "/" + f.name, text)) {
            std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), f.name);
            return 1;
        }
        std::printf("%s: %zu rows, %.1f MB\n", f.name, rows, static_cast<double>(text.size()) / 1e6);
    }
    return 0;
}
