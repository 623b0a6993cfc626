// The value transformations on a generated table: left trim of every cell of
// the whole table and upper case of a 100,000-row selection, each changed cell
// journaled. bench_transforms FOLDER (with the files of bench_generate)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "core/app/MainForm.h"
#include "core/platform/AdvanceTable.h"

using namespace tabulyst;
using namespace tabulyst::bench;

namespace {

// The table with a blank and a tab in front of every cell: every data cell changes.
std::string withLeadingBlanks(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string out, line;
    while (std::getline(in, line)) {
        out += " \t";
        for (char c : line) {
            out += c;
            if (c == ';') out += " \t";
        }
        out += '\n';
    }
    return out;
}

// Entries in the ring, and whether the newest one lies where the command ended.
void reportJournal(const MainForm& form, int col, int row) {
    int entries = 0;
    for (const auto& e : form.document.journal.Journal)
        if (!e.empty()) ++entries;
    const JournalEntry& newest = form.document.journal.entry(form.document.journal.JournalPos);
    const bool expected = newest.row == row && (col < 0 || newest.col == col);
    std::printf("  journal: %d of %d entries, newest at (%d, %d): %s\n", entries, EditJournal::kJournalSize, newest.col,
                newest.row, expected ? "where the command ended" : "UNEXPECTED");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_transforms FOLDER\n");
        return 2;
    }
    const std::string table = std::string(argv[1]) + "/table.csv";
    AdvanceTable measure;
    BenchForm bench(measure);
    MainForm& form = bench.form;
    StringGrid& grid = form.document.StrGrid;
    const std::string blanks = bench.settings.file("blanks.csv");
    {
        std::ofstream out(blanks, std::ios::binary);
        out << withLeadingBlanks(table);
    }
    auto load = [&](const std::string& path) {
        if (!form.files.OpenTableFile(path)) {
            std::fprintf(stderr, "open failed: %s\n", path.c_str());
            std::exit(1);
        }
    };
    load(table);
    const int lastCol = grid.colCount() - 1, lastRow = grid.rowCount() - 1;
    std::printf("rows %d, columns %d\n", lastRow, lastCol);

    report("left trim, nothing to trim", medianSeconds(3, [&] { form.commands.trigger("mnuMainLeftTrim"); }), 0,
           "1000 ms");
    report("left trim, every cell changes",
           medianSeconds(3, [&] { form.commands.trigger("mnuMainLeftTrim"); }, [&] { load(blanks); }), 0, "1000 ms");
    reportJournal(form, lastCol, lastRow);

    const int selectedRows = std::min(100'000, lastRow);
    report("upper case of 100,000 rows",
           medianSeconds(5, [&] { form.commands.trigger("mnuMainChangeCaseToUpper"); },
                         [&] {
                             load(table);
                             grid.setSelection({1, 1, lastCol, selectedRows});
                         }),
           0, "500 ms");
    reportJournal(form, -1, selectedRows);  // row by row: the newest entry is in the selection's last row
    report("upper case of the whole table",
           medianSeconds(1, [&] { form.commands.trigger("mnuMainChangeCaseToUpper"); },
                         [&] {
                             load(table);
                             grid.setSelection({1, 1, lastCol, lastRow});
                         }),
           0, "-");
    std::printf("peak resident at the end %.0f MiB\n", peakResidentMiB());
    return 0;
}
