// The file round trip and the structure edits on a generated table:
// bench_files FOLDER (with the files of bench_generate); or only opening and
// saving one table: bench_files --round-trip TABLE
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "core/app/MainForm.h"
#include "core/platform/AdvanceTable.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

using namespace tabulyst;
using namespace tabulyst::bench;

namespace {

// Compares two files block by block, so the check holds no copy of them.
bool sameBytes(const std::string& a, const std::string& b) {
    std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
    std::vector<char> x(1 << 20), y(1 << 20);
    for (;;) {
        first.read(x.data(), static_cast<std::streamsize>(x.size()));
        second.read(y.data(), static_cast<std::streamsize>(y.size()));
        if (first.gcount() != second.gcount() || !std::equal(x.begin(), x.begin() + first.gcount(), y.begin()))
            return false;
        if (first.gcount() == 0) return true;
    }
}

// Widths like a proportional 8-point font.
AdvanceTable uiLikeMeasure() {
    AdvanceTable t;
    for (int b = 0; b < 256; ++b) t.setAdvance(static_cast<unsigned char>(b), b < 32 ? 0 : 5 + (b * 7) % 4);
    return t;
}

// Opening and saving untouched one big table, nothing else: how the time
// grows with the file's size.
int roundTrip(const std::string& table) {
    const double mb = static_cast<double>(std::filesystem::file_size(table)) / 1e6;
    AdvanceTable advances = uiLikeMeasure();
    BenchForm bench(advances);
    MainForm& form = bench.form;
    std::printf("table: %.1f MB, %s\n", mb, table.c_str());
    bool ok = false;
    report("first open in a fresh process", medianSeconds(1, [&] { ok = form.files.OpenTableFile(table); }), mb, "-");
    if (!ok || !bench.fake.dialogs.messages.empty()) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }
    std::printf("peak resident after the first open %.0f MiB (%.2f x the file)\n", peakResidentMiB(),
                peakResidentMiB() * 1048576.0 / (mb * 1e6));
    measure("open", 3, [&] { form.files.OpenTableFile(table); }, {}, "-", mb);
    bench.settings.write("copy.csv", "");
    const std::string copy = bench.settings.file("copy.csv");
    form.document.setPath(copy);
    measure("save", 3, [&] { form.files.SaveCurrentFile(); }, [&] { form.document.journal.SetModified(true); }, "-", mb);
    std::printf("saved bytes equal the input: %s\n", sameBytes(copy, table) ? "yes" : "NO");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--round-trip") return roundTrip(argv[2]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_files FOLDER | bench_files --round-trip TABLE\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string table = folder + "/table.csv", utf8 = folder + "/table-utf8.csv";
    const double mb = static_cast<double>(std::filesystem::file_size(table)) / 1e6;
    const double mbUtf8 = static_cast<double>(std::filesystem::file_size(utf8)) / 1e6;

    AdvanceTable advances = uiLikeMeasure();
    BenchForm bench(advances);
    MainForm& form = bench.form;
    testing::FakePlatform& fake = bench.fake;
    testing::TempFolder& settings = bench.settings;
    auto yes = [&] { fake.dialogs.answers.assign(64, true); };

    std::printf("table: %.1f MB, %s\n", mb, table.c_str());
    // What a user waits for: the first open in a fresh process, fresh memory included.
    bool ok = false;
    const double cpuBefore = processorSeconds();
    const double firstOpen = medianSeconds(1, [&] { ok = form.files.OpenTableFile(table); });
    const double firstOpenCpu = processorSeconds() - cpuBefore;
    const double peakAfterOpen = peakResidentMiB();
    if (!ok || !fake.dialogs.messages.empty()) {
        std::fprintf(stderr, "open failed\n");
        return 1;
    }
    std::printf("rows %d, columns %d; peak resident after the first open %.0f MiB (%.2f x the file; budget 1.6 x)\n",
                form.document.StrGrid.rowCount() - 1, form.document.StrGrid.colCount() - 1, peakAfterOpen,
                peakAfterOpen * 1048576.0 / (mb * 1e6));
    report("first open in a fresh process", firstOpen, mb, "300 ms");
    std::printf("%-34s %9.1f ms processor time\n", "", firstOpenCpu * 1000);

    StringGrid& grid = form.document.StrGrid;
    auto atTop = [&] {
        yes();
        grid.setCurrent(1, 1);
    };
    const struct {
        const char* name;
        const char* command;
        const char* budget;
    } edits[] = {
        {"insert a row before row 1", "mnuMainInsertRowBevore", "50 ms"},
        {"delete row 1", "mnuMainDeleteRow", "50 ms"},
        {"insert a column before column 1", "mnuMainInsertColBevore", "500 ms"},
        {"delete column 1", "mnuMainDeleteCol", "-"},
    };
    for (const auto& e : edits) {
        if (!form.commands.hasHandler(e.command)) {
            std::printf("%-34s (command not built yet)\n", e.name);
            continue;
        }
        report(e.name, medianSeconds(5, [&] { form.commands.trigger(e.command); }, atTop), 0, e.budget);
    }
    if (form.commands.hasHandler("mnuMainDeleteRow")) {
        report("delete 1000 marked rows",
               medianSeconds(5, [&] { form.commands.trigger("mnuMainDeleteRow"); },
                             [&] {
                                 yes();
                                 grid.setCurrent(1, 1);
                                 grid.setSelection({1, 1, grid.colCount() - 1, 1000});
                             }),
               0, "-");
    }
    // The edits run on the table of the first open, as a user's would.
    std::printf("peak resident through the structure edits %.0f MiB (%.2f x the file; budget 2.5 x)\n",
                peakResidentMiB(), peakResidentMiB() * 1048576.0 / (mb * 1e6));

    const double open = measure("open", 5, [&] { form.files.OpenTableFile(table); }, {}, "500 ms", mb);

    settings.write("copy.csv", "");
    const std::string copy = settings.file("copy.csv");
    form.document.setPath(copy);
    const double save =
        measure("save", 5, [&] { form.files.SaveCurrentFile(); }, [&] { form.document.journal.SetModified(true); },
                "200 ms", mb);
    std::printf("saved bytes equal the input: %s\n", sameBytes(copy, table) ? "yes" : "NO");

    // Decoding and encoding UTF-8 is one linear pass beside reading and writing.
    const double openUtf8 =
        measure("open UTF-8 with byte-order mark", 5, [&] { form.files.OpenTableFile(utf8); }, {}, "1.1 x open", mbUtf8);
    settings.write("copy-utf8.csv", "");
    const std::string copyUtf8 = settings.file("copy-utf8.csv");
    form.document.setPath(copyUtf8);
    const double saveUtf8 = measure("save UTF-8 with byte-order mark", 5, [&] { form.files.SaveCurrentFile(); },
                                    [&] { form.document.journal.SetModified(true); }, "1.1 x save", mbUtf8);
    std::printf("UTF-8 against plain: open %.2f x, save %.2f x (budget 1.1 x each)\n", openUtf8 / open,
                saveUtf8 / save);
    std::printf("saved UTF-8 bytes equal the input: %s\n", sameBytes(copyUtf8, utf8) ? "yes" : "NO");
    std::printf("peak resident at the end %.0f MiB\n", peakResidentMiB());
    return 0;
}
