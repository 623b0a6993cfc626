// Reshaping a million-row table and moving a 1000 x 10 block through the
// clipboard: the structure commands and the copy and paste of the main form.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/MainForm.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

namespace tabulyst::bench {
namespace {

constexpr int kRows = 1'000'000;
constexpr int kDataCols = 10;

struct Table {
    testing::FakePlatform fake;
    testing::TempFolder folder;
    std::unique_ptr<MainForm> form;

    Table() : form(std::make_unique<MainForm>(fake.platform(), folder.file("tabulyst"))) {
        form->FormCreate();
        StringGrid& g = form->document.StrGrid;
        g.setColCount(kDataCols + 1);
        g.setRowCount(kRows + 1);
        std::vector<std::string> texts(kDataCols + 1);
        std::vector<std::string_view> views(kDataCols + 1);
        for (int r = 0; r <= kRows; ++r) {
            for (int c = 0; c <= kDataCols; ++c) {
                texts[c] = r == 0 ? std::to_string(c) : c == 0 ? std::to_string(r) : "Zelle " + std::to_string(r * 7 + c);
                views[c] = texts[c];
            }
            g.setRowCells(r, RowCells::fromCells(views));
        }
        form->document.journal.ClearJournal();
    }
    void yes() { fake.dialogs.answers.push_back(true); }
};

Table& table() {
    static Table t;
    return t;
}

void BM_InsertRowAtTop(benchmark::State& state) {
    Table& t = table();
    for (auto _ : state) {
        t.form->document.StrGrid.setCurrent(1, 1);
        t.form->structure.mnuMainInsertRowBevoreClick();
        state.PauseTiming();
        t.yes();
        t.form->structure.mnuMainDeleteRowClick();
        state.ResumeTiming();
    }
}

void BM_DeleteRowAtTop(benchmark::State& state) {
    Table& t = table();
    for (auto _ : state) {
        state.PauseTiming();
        t.form->document.StrGrid.setCurrent(1, 1);
        t.form->structure.mnuMainInsertRowBevoreClick();
        t.yes();
        state.ResumeTiming();
        t.form->structure.mnuMainDeleteRowClick();
    }
}

void BM_Delete1000MarkedRows(benchmark::State& state) {
    Table& t = table();
    StringGrid& g = t.form->document.StrGrid;
    for (auto _ : state) {
        state.PauseTiming();
        g.insertRows(1, 1000);
        g.setCurrent(1, 1);
        g.extendTo(kDataCols, 1000);
        t.yes();
        state.ResumeTiming();
        t.form->structure.mnuMainDeleteRowClick();
    }
}

void BM_InsertColumn(benchmark::State& state) {
    Table& t = table();
    for (auto _ : state) {
        t.form->document.StrGrid.setCurrent(1, 1);
        t.form->structure.mnuMainInsertColBevoreClick();
        state.PauseTiming();
        t.yes();
        t.form->structure.mnuMainDeleteColClick();
        state.ResumeTiming();
    }
}

void BM_DeleteColumn(benchmark::State& state) {
    Table& t = table();
    for (auto _ : state) {
        state.PauseTiming();
        t.form->document.StrGrid.setCurrent(1, 1);
        t.form->structure.mnuMainInsertColBevoreClick();
        t.yes();
        state.ResumeTiming();
        t.form->structure.mnuMainDeleteColClick();
    }
}

void BM_CopyBlock1000x10(benchmark::State& state) {
    Table& t = table();
    StringGrid& g = t.form->document.StrGrid;
    for (auto _ : state) {
        g.setCurrent(1, 5000);
        g.extendTo(kDataCols, 5999);
        t.form->clipboardTransfer.CopySelection();
        benchmark::DoNotOptimize(t.fake.desktop.clipboardText.data());
    }
}

void BM_PasteBlock1000x10(benchmark::State& state) {
    Table& t = table();
    StringGrid& g = t.form->document.StrGrid;
    // Two different blocks so that every paste really changes every cell.
    std::string blocks[2];
    for (int b = 0; b < 2; ++b)
        for (int r = 0; r < 1000; ++r) {
            for (int c = 0; c < kDataCols; ++c) {
                if (c > 0) blocks[b] += ';';
                blocks[b] += (b ? "neu " : "alt ") + std::to_string(r * kDataCols + c);
            }
            blocks[b] += "\r\n";
        }
    int which = 0;
    for (auto _ : state) {
        t.fake.desktop.clipboardText = blocks[which];
        which ^= 1;
        g.setCurrent(1, 20000);
        t.form->clipboardTransfer.btnPasteClick();
    }
}

BENCHMARK(BM_InsertRowAtTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteRowAtTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete1000MarkedRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyBlock1000x10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteBlock1000x10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulyst::bench

BENCHMARK_MAIN();
