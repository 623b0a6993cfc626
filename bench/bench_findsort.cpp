// Sorting by header clicks and find and replace on the generated table:
// bench_findsort FOLDER (with the files of bench_generate)
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>
#include <string>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "core/app/MainForm.h"
#include "core/platform/AdvanceTable.h"

using namespace tabulyst;
using namespace tabulyst::bench;

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
    for (const auto& s : sorts) measure(s.name, 3, [&] { click(s.col, false); }, fileOrder, s.budget);
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
    measure("find that matches nothing", 5, [&] { fr.FindDialog.findNextClick(); }, {}, "300 ms");
    fr.FindDialog.MatchCase = true;
    measure("find that matches nothing, case", 5, [&] { fr.FindDialog.findNextClick(); }, {}, "-");
    fr.FindDialog.closeClick();

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
