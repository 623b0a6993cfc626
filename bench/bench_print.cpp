// Printing a loaded table to a PDF file through the print command, in the
// grid's font on Qt's offscreen platform: bench_print
#include <cstdio>
#include <fstream>
#include <string>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "OffscreenUi.h"
#include "TableGenerator.h"
#include "core/app/MainForm.h"
#include "support/PdfPrinter.h"
#include "support/TempFolder.h"

using namespace tabulyst;
using namespace tabulyst::bench;

int main(int argc, char** argv) {
    OffscreenUi ui(argc, argv);

    testing::TempFolder folder;
    const struct {
        std::size_t rows;
        const char* budget;
    } sizes[] = {{1000, "2 s"}, {10000, "20 s"}};
    for (const auto& size : sizes) {
        const std::string table = folder.file("table.csv");
        std::ofstream(table, std::ios::binary) << generateTable(size.rows, Variant::CrLf);
        testing::PdfPrinter printer(ui.font, QString::fromStdString(folder.file("table.pdf")));
        BenchForm bench(ui.desktop);
        MainForm& form = bench.form;
        form.platform.printer = &printer;
        if (!form.files.OpenTableFile(table)) return 1;
        const double seconds = medianSeconds(5, [&] { form.commands.trigger("mnuPrint"); });
        if (!bench.fake.dialogs.messages.empty()) {
            std::fprintf(stderr, "%s\n", bench.fake.dialogs.messages.front().c_str());
            return 1;
        }
        report("print " + std::to_string(size.rows) + " rows to PDF (" + std::to_string(form.printing.lastPageCount()) +
                   " pages)",
               seconds, 0, size.budget);
    }
    return 0;
}
