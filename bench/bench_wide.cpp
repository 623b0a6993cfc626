// Column commands on a table of one very wide line: bench_wide SMALL LARGE
// (files of one line each, as bench_generate --wide writes them). Each command
// must take time in proportion to the columns, so the large table's time is
// set against the small one's times the ratio of their columns.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "core/app/MainForm.h"
#include "core/platform/AdvanceTable.h"

using namespace tabulyst;
using namespace tabulyst::bench;

namespace {

struct Step {
    const char* name;
    std::function<void(MainForm&)> prepare;
    std::function<void(MainForm&)> work;
};

void mark(MainForm& form, int first, int last) {
    StringGrid& grid = form.document.StrGrid;
    grid.setCurrent(first, 1);
    grid.setSelection({first, 1, last, 1});
}

void yes(MainForm& form, testing::FakePlatform& fake) {
    (void)form;
    fake.dialogs.answers.assign(16, true);
}

// Median seconds of each step on the table in path; the column count in columns.
std::vector<double> timeSteps(const std::string& path, const std::vector<Step>& steps, int& columns) {
    AdvanceTable advances;
    for (int b = 0; b < 256; ++b) advances.setAdvance(static_cast<unsigned char>(b), b < 32 ? 0 : 6);
    BenchForm bench(advances);
    MainForm& form = bench.form;
    form.document.layout.CurrentDelimiter = ";";
    std::vector<double> times;
    if (!form.files.OpenTableFile(path)) return times;
    columns = form.document.StrGrid.colCount();
    for (const Step& step : steps)
        times.push_back(medianSeconds(
            3, [&] { step.work(form); },
            [&] {
                yes(form, bench.fake);
                if (step.prepare) step.prepare(form);
            }));
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_wide SMALL LARGE\n");
        return 2;
    }
    auto command = [](const char* name) { return [name](MainForm& form) { form.commands.trigger(name); }; };
    const std::vector<Step> steps = {
        {"insert a column before column 1", [](MainForm& f) { mark(f, 1, 1); }, command("mnuMainInsertColBevore")},
        {"delete column 1", [](MainForm& f) { mark(f, 1, 1); }, command("mnuMainDeleteCol")},
        {"delete 1000 marked columns", [](MainForm& f) { mark(f, 1, 1000); }, command("mnuMainDeleteCol")},
        {"move column 1 to the middle", {},
         [](MainForm& f) {
             StringGrid& grid = f.document.StrGrid;
             grid.moveColumn(1, grid.colCount() / 2);
         }},
        {"hide 1000 marked columns", [](MainForm& f) { mark(f, 1, 1000); }, command("mnuMainHideCols")},
        {"show all columns and fit them",
         [](MainForm& f) {
             mark(f, 1, 1000);
             f.commands.trigger("mnuMainHideCols");
         },
         command("mnuMainShowAllCols")},
    };
    int smallColumns = 0, largeColumns = 0;
    const std::vector<double> small = timeSteps(argv[1], steps, smallColumns);
    const std::vector<double> large = timeSteps(argv[2], steps, largeColumns);
    if (small.size() != steps.size() || large.size() != steps.size()) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }
    const double columnsRatio = static_cast<double>(largeColumns) / smallColumns;
    std::printf("%d and %d columns (%.1f x); budget: the large table's time within 2 x %.1f x the small one's\n",
                smallColumns - 1, largeColumns - 1, columnsRatio, columnsRatio);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const double ratio = small[i] > 0 ? large[i] / small[i] : 0;
        std::printf("%-34s %9.3f ms %9.3f ms  %6.1f x%s\n", steps[i].name, small[i] * 1000, large[i] * 1000, ratio,
                    ratio > 2 * columnsRatio && large[i] > 0.001 ? "   OVER" : "");
    }
    return 0;
}
