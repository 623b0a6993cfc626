// Sorting by header clicks and find and replace on the generated table, and
// the find and the text sort again on it as a UTF-8 table:
// bench_findsort FOLDER (with the files of bench_generate)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>
#include <string>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "core/app/MainForm.h"
#include "core/platform/AdvanceTable.h"
#include "core/platform/Utf8Codec.h"

using namespace tabulyst;
using namespace tabulyst::bench;

namespace {

// The table in UTF-8 without a mark, with "Ł" (which Windows-1252 lacks) in
// front of the word of every tenth line; made once beside the table.
std::string utf8TableOf(const std::string& folder) {
    const std::string path = folder + "/table-utf8-lacking.csv";
    if (std::filesystem::exists(path)) return path;
    std::ifstream in(folder + "/table.csv", std::ios::binary);
    std::ofstream out(path + ".part", std::ios::binary);
    std::string line;
    for (std::size_t n = 0; std::getline(in, line); ++n) {
        std::string utf8 = utf8FromWindows1252(line);
        std::size_t word = 0;  // the fifth field
        for (int k = 0; k < 4; ++k) word = utf8.find(';', word) + 1;
        if (n % 10 == 0 && word != 0) utf8.insert(word, "\xC5\x81");
        out << utf8 << '\n';
    }
    out.close();
    std::filesystem::rename(path + ".part", path);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_findsort FOLDER\n");
        return 2;
    }
    const std::string table = std::string(argv[1]) + "/table.csv";
    AdvanceTable widths;
    BenchForm bench(widths);
    MainForm& form = bench.form;
    form.locale = Locale::german();
    if (!form.files.OpenTableFile(table)) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }
    StringGrid& grid = form.document.StrGrid;
    std::printf("rows %d, columns %d\n", grid.rowCount() - 1, grid.colCount() - 1);

    // A header click in the middle of a 100 pixel header cell.
    auto click = [&](int col, bool shift) {
        form.sorting.StrGridMouseDown(col);
        form.sorting.StrGridMouseUp(col, 0, 0, 100, 50, shift);
    };
    // Back to the file's order (by the row numbers), no keys remembered.
    auto fileOrder = [&] {
        form.sorting.sortByKeys(std::vector<int>{0}, false);
        form.document.sort.reset();
        grid.setCurrent(1, 1);
    };
    const struct {
        const char* name;
        int col;
        const char* budget;
    } sorts[] = {
        {"sort by a numeric column", 3, "1000 ms"},
        {"sort by a text column", 5, "2000 ms"},
        {"sort by a date column", 4, "-"},
    };
    double textSort = 0;
    for (const auto& s : sorts) {
        const double seconds = measure(s.name, 3, [&] { click(s.col, false); }, fileOrder, s.budget);
        if (s.col == 5) textSort = seconds;
    }
    measure("sort by two keys (Shift)", 3, [&] { click(5, true); },
            [&] {
                fileOrder();
                form.document.sort.SortKeyColumns[0] = 3;
                form.document.sort.SortKeyCount = 1;
            },
            "2500 ms");
    fileOrder();

    FindReplace& fr = form.findReplace;
    form.commands.trigger("mnuFind");
    fr.FindDialog.FindText = "zzzz";
    const double find = measure("find that matches nothing", 5, [&] { fr.FindDialog.findNextClick(); }, {}, "300 ms");
    fr.FindDialog.MatchCase = true;
    measure("find that matches nothing, case", 5, [&] { fr.FindDialog.findNextClick(); }, {}, "-");
    fr.FindDialog.closeClick();

    // The same table as UTF-8: collated text keys, Unicode case folding.
    if (!form.files.OpenTableFile(utf8TableOf(argv[1]))) {
        std::fprintf(stderr, "open UTF-8 failed\n");
        return 1;
    }
    const double textSortUtf8 =
        measure("sort by a text column, UTF-8", 3, [&] { click(5, false); }, fileOrder, "2 x Windows-1252");
    fileOrder();  // rows in file order, as the Windows-1252 find had them
    form.commands.trigger("mnuFind");
    fr.FindDialog.FindText = "zzzz";
    fr.FindDialog.MatchCase = false;
    const double findUtf8 = measure("find that matches nothing, UTF-8", 5, [&] { fr.FindDialog.findNextClick(); }, {},
                                    "1.5 x Windows-1252");
    fr.FindDialog.closeClick();
    std::printf("UTF-8 against Windows-1252: text sort %.2f x (budget 2 x), find %.2f x (budget 1.5 x)\n",
                textSortUtf8 / textSort, findUtf8 / find);
    if (!form.files.OpenTableFile(table)) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }

    // "Nr." once in the last column of every row, nowhere else.
    const int last = grid.colCount() - 1;
    auto numbered = [&] {
        for (int r = 1; r < grid.rowCount(); ++r) {
            std::string text(grid.cell(last, r));
            if (text.rfind("No.", 0) == 0) text.erase(0, 3);
            grid.setCell(last, r, "Nr." + text);
        }
        grid.setCurrent(1, 1);
        form.findReplace.ReplaceCounter = -1;
    };
    form.commands.trigger("mnuReplace");
    fr.ReplaceDialog.FindText = "Nr.";
    fr.ReplaceDialog.ReplaceText = "No.";
    measure("replace all, a million matches", 3, [&] { fr.ReplaceDialog.replaceAllClick(); }, numbered, "2000 ms");
    std::printf("replaced cells in the last run: %d\n", -(form.findReplace.ReplaceCounter + 1));
    fr.ReplaceDialog.closeClick();

    std::printf("peak resident at the end %.0f MiB\n", peakResidentMiB());
    return 0;
}
