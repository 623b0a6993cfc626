// Painting the grid viewport (1280 x 800) at the top, middle and end of a loaded
// table: bench_render FOLDER (with the files of bench_generate)
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "BenchForm.h"
#include "BenchUtil.h"
#include "OffscreenUi.h"
#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "ui/GridView.h"
#include "ui/QtDesktop.h"

using namespace tabulyst;
using namespace tabulyst::bench;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_render FOLDER\n");
        return 2;
    }
    OffscreenUi ui(argc, argv);
    BenchForm bench(ui.desktop);
    MainForm& form = bench.form;
    if (!form.files.OpenTableFile(std::string(argv[1]) + "/table.csv")) return 1;

    ui::GridView view(form);
    view.resize(1280, 800);
    view.show();
    QApplication::processEvents();
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const int rows = form.document.StrGrid.rowCount();
    const struct {
        const char* name;
        int row;
    } places[] = {{"render viewport at the top", 1}, {"render viewport in the middle", rows / 2},
                  {"render viewport at the end", rows - 1}};
    for (const auto& p : places) {
        view.scrollToRow(p.row);
        report(p.name, medianSeconds(21, [&] {
                   QPainter painter(&image);
                   view.viewport()->render(&painter);
               }),
               0, "8 ms");
    }
    // The worst case for the cell painter: a full bookmark list, much of it on
    // screen, every cell looked up, and a marked range with bold text.
    const int middle = rows / 2;
    view.scrollToRow(middle);
    for (int i = 0; i < Bookmarks::kSlots; ++i) {
        const int cols = form.document.StrGrid.colCount() - 1;
        form.document.StrGrid.setCurrent(1 + i % cols, middle + i / cols);
        form.commands.trigger("mnuMainToggleBookMark");
    }
    form.document.StrGrid.setCurrent(1, middle);
    form.document.StrGrid.extendTo(form.document.StrGrid.colCount() - 1, middle + 4);
    view.scrollToRow(middle);
    report("render with 1024 bookmarks", medianSeconds(21, [&] {
               QPainter painter(&image);
               view.viewport()->render(&painter);
           }),
           0, "8 ms");
    return 0;
}
