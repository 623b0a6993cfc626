// Finding the records of the million-row table: today's line scan against the
// scanner of quoted fields, on the table without any quote (what the setting
// costs a file that does not use it) and on the same table with every field
// of every fifth row in quotes, some holding the delimiter, some a line break
// (what quotes cost). The pieces' join is timed on both, with how many bytes
// it had to scan again; then the whole reader with the setting off and on,
// and an untouched save of either table.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "TableGenerator.h"
#include "core/files/LineScan.h"
#include "core/files/quoted/QuotedPieces.h"
#include "core/files/quoted/QuotedScan.h"
#include "core/files/FitColumnWidths.h"
#include "core/files/TableReader.h"
#include "core/files/TableWriter.h"
#include "core/grid/StringGrid.h"
#include "core/grid/TableText.h"
#include "core/platform/AdvanceTable.h"

#include <cstdio>
#include <fstream>

namespace tabulyst::bench {
namespace {

constexpr std::size_t kRows = 1'000'000;

// The generated table with every field of every fifth row quoted: every third
// such field holds the delimiter, every third a line break, the rest a pair of quotes.
std::string withQuotes(const std::string& plain) {
    std::string out;
    out.reserve(plain.size() + plain.size() / 4);
    std::size_t row = 0;
    for (std::size_t start = 0; start < plain.size();) {
        std::size_t stop = plain.find('\r', start);
        if (stop == std::string::npos) stop = plain.size();
        const std::string_view line(plain.data() + start, stop - start);
        if (row++ % 5 != 0) {
            out += line;
        } else {
            std::size_t field = 0;
            for (std::size_t begin = 0;; ++field) {
                const std::size_t end = std::min(line.find(';', begin), line.size());
                if (field) out += ';';
                out += '"';
                out += line.substr(begin, end - begin);
                out += field % 3 == 0 ? ";" : field % 3 == 1 ? "\r\n" : "\"\"";
                out += '"';
                if (end == line.size()) break;
                begin = end + 1;
            }
        }
        out += "\r\n";
        start = stop + 2;
    }
    return out;
}

const std::string& plainTable() {
    static const std::string text = generateTable(kRows, Variant::CrLf);
    return text;
}

const std::string& quotedTable() {
    static const std::string text = withQuotes(plainTable());
    return text;
}

QuotedLayout layout() {
    QuotedLayout l;
    l.lineEnd = '\r';
    l.crLf = true;
    l.delimiter = ";";
    l.stopAtCode26 = true;
    return l;
}

// Counts what a scan reports, as cheaply as a sink can.
struct CountingSink {
    // Not of std::size_t: stores to them could otherwise be taken to change the scanner's positions.
    std::uint32_t lines = 0, fields = 0, quotedFields = 0;
    void delimiter(std::size_t, std::size_t) { ++fields; }
    void delimiters(std::size_t, std::size_t, std::uint64_t mask) {
        fields += static_cast<std::uint32_t>(__builtin_popcountll(mask));
    }
    void quoted(std::size_t, std::size_t, std::size_t, bool) { ++quotedFields; }
    bool line(std::size_t, std::size_t, bool) {
        ++lines;
        return true;
    }
    void restartPlain(std::size_t, std::size_t) {}
    void drop(std::size_t) {}
};

void report(benchmark::State& state, const std::string& text, const CountingSink& sink) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["records"] = static_cast<double>(sink.lines);
    state.counters["quoted"] = static_cast<double>(sink.quotedFields);
}

void scanLinesOn(benchmark::State& state, const std::string& text) {
    CountingSink sink;
    for (auto _ : state) {
        sink = {};
        scanLines(text.data(), text.size(), '\r', ';', true, sink, true);
        benchmark::DoNotOptimize(sink);
    }
    report(state, text, sink);
}

void quotedScanOn(benchmark::State& state, const std::string& text, bool quoted) {
    CountingSink sink;
    QuotedLayout l = layout();
    l.quoted = quoted;
    for (auto _ : state) {
        sink = {};
        scanQuotedRecords(text.data(), text.size(), true, l, sink);
        benchmark::DoNotOptimize(sink);
    }
    report(state, text, sink);
}

void BM_ScanLines_NoQuotes(benchmark::State& state) { scanLinesOn(state, plainTable()); }
void BM_QuotedScan_NoQuotes(benchmark::State& state) { quotedScanOn(state, plainTable(), true); }
void BM_QuotedScanOff_NoQuotes(benchmark::State& state) { quotedScanOn(state, plainTable(), false); }
void BM_ScanLines_QuotedRows(benchmark::State& state) { scanLinesOn(state, quotedTable()); }
void BM_QuotedScan_QuotedRows(benchmark::State& state) { quotedScanOn(state, quotedTable(), true); }

// Records into a table text, as the reader keeps them: what the scan costs
// next to the rest of a read.
class TextSink {
public:
    explicit TextSink(TableText& text) : text_(text) {}
    void delimiter(std::size_t lineStart, std::size_t pos) {
        open(lineStart);
        text_.addEnd(pos - lineStart);
    }
    void delimiters(std::size_t lineStart, std::size_t base, std::uint64_t mask) {
        open(lineStart);
        for (; mask; mask &= mask - 1) text_.addEnd(base + static_cast<unsigned>(__builtin_ctzll(mask)) - lineStart);
    }
    void quoted(std::size_t, std::size_t, std::size_t, bool) {}
    bool line(std::size_t lineStart, std::size_t stop, bool) {
        open(lineStart);
        text_.addEnd(stop - lineStart);
        text_.endLine();
        open_ = false;
        return true;
    }
    void restartPlain(std::size_t, std::size_t) { drop(0); }
    void drop(std::size_t) {
        text_.dropLine();
        open_ = false;
    }

private:
    void open(std::size_t lineStart) {
        if (open_) return;
        text_.beginLine(lineStart);
        open_ = true;
    }
    TableText& text_;
    bool open_ = false;
};

template <class Scan>
void intoText(benchmark::State& state, const std::string& bytes, Scan scan) {
    std::uint32_t lines = 0;
    for (auto _ : state) {
        TableText text(TableLayout::delimitedBy(";"));
        TextSink sink(text);
        scan(sink);
        text.finish();
        lines = text.lineCount();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["records"] = static_cast<double>(lines);
}

void BM_ScanLinesIntoText_NoQuotes(benchmark::State& state) {
    const std::string& t = plainTable();
    intoText(state, t, [&](TextSink& sink) { scanLines(t.data(), t.size(), '\r', ';', true, sink, true); });
}
void BM_QuotedScanIntoText_NoQuotes(benchmark::State& state) {
    const std::string& t = plainTable();
    const QuotedLayout l = layout();
    intoText(state, t, [&](TextSink& sink) { scanQuotedRecords(t.data(), t.size(), true, l, sink); });
}
void BM_QuotedScanIntoText_QuotedRows(benchmark::State& state) {
    const std::string& t = quotedTable();
    const QuotedLayout l = layout();
    intoText(state, t, [&](TextSink& sink) { scanQuotedRecords(t.data(), t.size(), true, l, sink); });
}

// The pieces as the reader cuts a big file, two threads, and their join.
void piecesOn(benchmark::State& state, const std::string& text) {
    const QuotedLayout l = layout();
    const auto starts = quotedPieceStarts(text, l, text.size() / 32);
    std::size_t again = 0, records = 0;
    for (auto _ : state) {
        const QuotedPiecesOutcome outcome = scanQuotedInPieces(text, l, starts, 2);
        again = outcome.scannedAgain;
        records = outcome.records.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["records"] = static_cast<double>(records);
    state.counters["scanned_again"] = static_cast<double>(again);
}

void BM_QuotedPieces_NoQuotes(benchmark::State& state) { piecesOn(state, plainTable()); }
void BM_QuotedPieces_QuotedRows(benchmark::State& state) { piecesOn(state, quotedTable()); }

// The whole reader on a file on disk, as a start reads it: mapped, split on
// both processors, the widths summed, the rows made; setting off and on.
const std::string& onDisk(const std::string& name, const std::string& bytes) {
    static std::string paths[2];
    std::string& path = paths[name == "plain" ? 0 : 1];
    if (path.empty()) {
        path = "/tmp/bench_quoted_" + name + ".csv";
        std::ofstream(path, std::ios::binary) << bytes;
    }
    return path;
}

void readOn(benchmark::State& state, const std::string& name, const std::string& bytes, bool quoted) {
    const std::string& path = onDisk(name, bytes);
    const TableLayout layout = quoted ? TableLayout::quotedBy(";") : TableLayout::delimitedBy(";");
    AdvanceTable advances;
    for (int ch = 0; ch < 256; ++ch) advances.setAdvance(static_cast<unsigned char>(ch), 7);
    int rows = 0;
    for (auto _ : state) {
        StringGrid grid;
        ColumnWidthFit fit(advances, 1200, {StringGrid::kDefaultColWidth}, StringGrid::kDefaultColWidth);
        const TableReadResult result = readTableFile(path, layout, grid, &fit);
        if (!result.ok) state.SkipWithError("not read");
        rows = grid.rowCount();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_ReadTable_NoQuotes_SettingOff(benchmark::State& state) { readOn(state, "plain", plainTable(), false); }
void BM_ReadTable_NoQuotes_SettingOn(benchmark::State& state) { readOn(state, "plain", plainTable(), true); }
void BM_ReadTable_QuotedRows_SettingOn(benchmark::State& state) { readOn(state, "quoted", quotedTable(), true); }

// An untouched save of either table.
void saveOn(benchmark::State& state, const std::string& name, const std::string& bytes) {
    const std::string& path = onDisk(name, bytes);
    TableLayout layout = TableLayout::quotedBy(";");
    StringGrid grid;
    const TableReadResult result = readTableFile(path, layout, grid);
    layout.encoding = result.format.encoding.cells();
    grid.setRowCount(grid.rowCount() - 1);
    const std::string out = path + ".out";
    std::string error;
    for (auto _ : state)
        if (!writeTableFile(out, {layout, false, true, result.format}, grid, error)) state.SkipWithError("not written");
    std::remove(out.c_str());
}

void BM_SaveUntouched_NoQuotes(benchmark::State& state) { saveOn(state, "plain", plainTable()); }
void BM_SaveUntouched_QuotedRows(benchmark::State& state) { saveOn(state, "quoted", quotedTable()); }

BENCHMARK(BM_ReadTable_NoQuotes_SettingOff)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadTable_NoQuotes_SettingOn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadTable_QuotedRows_SettingOn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveUntouched_NoQuotes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveUntouched_QuotedRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanLines_NoQuotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedScan_NoQuotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedScanOff_NoQuotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanLines_QuotedRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedScan_QuotedRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanLinesIntoText_NoQuotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedScanIntoText_NoQuotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedScanIntoText_QuotedRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuotedPieces_NoQuotes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuotedPieces_QuotedRows)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tabulyst::bench

BENCHMARK_MAIN();
