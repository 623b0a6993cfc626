// The text conversions on a million rows of ten German cells: the linear
// versions against the pass-by-pass definitions they must agree with (those on
// the first 10,000 rows; compare the rates), the
// save-time UTF-8 round trip and the OEM commands on a full grid, splitting
// and replacing.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "TableGenerator.h"
#include "core/app/MainForm.h"
#include "core/files/Fields.h"
#include "core/text/ReplaceAll.h"
#include "core/table/CharsetConversions.h"
#include "support/FakePlatform.h"
#include "support/LiteralTextOps.h"
#include "support/TempFolder.h"

namespace tabulyst::bench {
namespace {

constexpr std::size_t kRows = 1'000'000;
// The pass-by-pass definitions are quadratic in places: they run on a sample.
constexpr std::size_t kSampleRows = 10'000;

// The table as one buffer with a view per cell (ten per row).
struct Cells {
    std::string text;
    std::vector<std::string_view> cells;
    std::size_t bytes = 0;

    explicit Cells(std::string table, std::size_t rows = kRows) : text(std::move(table)) {
        cells.reserve(rows * 10);
        std::vector<std::string_view> fields;
        std::string_view rest = text;
        while (!rest.empty()) {
            std::size_t end = rest.find("\r\n");
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
            splitFields(line, ";", fields);
            for (auto f : fields) {
                cells.push_back(f);
                bytes += f.size();
            }
        }
    }
};

const Cells& ansiCells() {
    static const Cells c(generateTable(kRows, Variant::CrLf));
    return c;
}

const Cells& utf8Cells() {
    static const Cells c(generateTable(kRows, Variant::Utf8Bom).substr(3));
    return c;
}

// The first rows of the same tables.
const Cells& ansiSample() {
    static const Cells c(generateTable(kSampleRows, Variant::CrLf), kSampleRows);
    return c;
}

const Cells& utf8Sample() {
    static const Cells c(generateTable(kSampleRows, Variant::Utf8Bom).substr(3), kSampleRows);
    return c;
}

template <class Convert>
void convertAll(benchmark::State& state, const Cells& c, Convert convert) {
    for (auto _ : state) {
        std::size_t total = 0;
        for (auto cell : c.cells) total += convert(cell).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.cells.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.bytes));
}

void BM_AnsiToUtf8Text(benchmark::State& state) {
    convertAll(state, ansiCells(), [](std::string_view s) { return AnsiToUtf8Text(s); });
}
void BM_AnsiToUtf8Text_PassByPass(benchmark::State& state) {
    convertAll(state, ansiSample(), [](std::string_view s) { return literal::ansiToUtf8(std::string(s)); });
}
void BM_Utf8ToAnsiText(benchmark::State& state) {
    convertAll(state, utf8Cells(), [](std::string_view s) { return Utf8ToAnsiText(s); });
}
void BM_Utf8ToAnsiText_PassByPass(benchmark::State& state) {
    convertAll(state, utf8Sample(), [](std::string_view s) { return literal::utf8ToAnsi(std::string(s)); });
}
void BM_CharToOem(benchmark::State& state) {
    convertAll(state, ansiCells(), [](std::string_view s) { return CharToOem(s); });
}

void BM_ReplaceAllCaseInsensitive(benchmark::State& state) {
    Locale german = Locale::german();
    convertAll(state, ansiCells(), [&](std::string_view s) { return ReplaceAll("\xDF", "ss", s, false, german); });
}

// "ab" by "bb" and 2000 "a" in "a...ab" of 2 KB and 10 KB: every replacement
// forms a new occurrence, without end.
void BM_ReplaceAllEndlessCascade(benchmark::State& state) {
    const Locale locale;
    const std::string replacement = "bb" + std::string(2000, 'a');
    const std::string text = std::string(static_cast<std::size_t>(state.range(0)) - 1, 'a') + "b";
    for (auto _ : state) benchmark::DoNotOptimize(ReplaceAll("ab", replacement, text, true, locale));
}

void BM_SplitFields(benchmark::State& state) {
    const std::string& text = ansiCells().text;
    std::vector<std::string_view> fields;
    for (auto _ : state) {
        std::size_t count = 0;
        std::string_view rest = text;
        while (!rest.empty()) {
            std::size_t end = rest.find("\r\n");
            splitFields(rest.substr(0, end), ";", fields);
            count += fields.size();
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        }
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// A main form holding the whole table, row 0 and column 0 numbered.
struct Form {
    testing::FakePlatform fake;
    testing::TempFolder folder;
    std::unique_ptr<MainForm> form;

    explicit Form(const Cells& c) : form(std::make_unique<MainForm>(fake.platform(), folder.file("tabulyst"))) {
        form->FormCreate();
        StringGrid& g = form->document.StrGrid;
        g.setColCount(11);
        g.setRowCount(static_cast<int>(kRows) + 1);
        std::vector<std::string_view> row(11);
        std::string number;
        for (std::size_t r = 0; r < kRows; ++r) {
            number = std::to_string(r + 1);
            row[0] = number;
            for (std::size_t x = 0; x < 10; ++x) row[x + 1] = c.cells[r * 10 + x];
            g.setRowCells(static_cast<int>(r + 1), RowCells::fromCells(row));
        }
        form->document.journal.ClearJournal();
    }
};

// The table to UTF-8 and back, cells and journal.
void BM_Utf8CommandsRoundTrip(benchmark::State& state) {
    static Form f(ansiCells());
    for (auto _ : state) {
        f.form->charsets.mnuMainAnsiToUTF8Click();
        f.form->charsets.mnuMainUTF8toAnsiClick();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows * 10));
}

// Both OEM commands, every changed cell journaled.
void BM_OemCommandsJournaled(benchmark::State& state) {
    static Form f(ansiCells());
    for (auto _ : state) {
        f.form->charsets.mnuMainChartoOEMClick();
        f.form->charsets.mnuMainOEMToCharClick();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows * 10));
}

BENCHMARK(BM_AnsiToUtf8Text)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnsiToUtf8Text_PassByPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToAnsiText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToAnsiText_PassByPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CharToOem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllCaseInsensitive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllEndlessCascade)->Arg(2048)->Arg(10240)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8CommandsRoundTrip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OemCommandsJournaled)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulyst::bench

BENCHMARK_MAIN();
