// The text building blocks of UTF-8 tables against today's Windows-1252 code,
// on a million rows of ten German cells: the same table in Windows-1252 and in
// UTF-8 with one character the code page lacks in every tenth row. Find that
// matches nothing, the keys and order of a sort by a text column, upper case.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TableGenerator.h"
#include "core/files/Fields.h"
#include "core/platform/Locale.h"
#include "core/platform/Utf8Codec.h"
#include "core/text/CaseMapping.h"
#include "core/text/CodePageText.h"
#include "core/text/SortKeyColumn.h"
#include "core/text/SortKeyText.h"
#include "core/text/TextMatcher.h"
#include "core/textops/SearchMatch.h"

namespace tabulyst::bench {
namespace {

using namespace tabulyst::text;

constexpr std::size_t kRows = 1'000'000;
constexpr std::size_t kWordColumn = 4;  // the fifth cell of a row: one word
constexpr std::size_t kCodeColumn = 8;  // the ninth: a code

struct Cells {
    std::vector<std::string> cells;  // ten per row
};

const Cells& ansiCells() {
    static const Cells c = [] {
        Cells result;
        const std::string table = generateTable(kRows, Variant::CrLf);
        std::vector<std::string_view> fields;
        std::string_view rest = table;
        while (!rest.empty()) {
            const std::size_t end = rest.find("\r\n");
            splitFields(rest.substr(0, end), ";", fields);
            for (auto f : fields) result.cells.emplace_back(f);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
        }
        return result;
    }();
    return c;
}

const Cells& utf8Cells() {
    static const Cells c = [] {
        Cells result;
        const auto& ansi = ansiCells().cells;
        result.cells.reserve(ansi.size());
        for (const std::string& cell : ansi) result.cells.push_back(utf8FromWindows1252(cell));
        for (std::size_t r = 0; r < kRows; r += 10) result.cells[r * 10 + kWordColumn].insert(0, "\xC5\x81");  // Ł
        return result;
    }();
    return c;
}

const Locale& german() {
    static const Locale locale = Locale::german();
    return locale;
}

template <class Match>
void findAll(benchmark::State& state, const Cells& c, Match match) {
    for (auto _ : state) {
        std::size_t found = 0;
        for (const std::string& cell : c.cells) found += match(cell);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.cells.size()));
}

// A search text that occurs nowhere, without match case: the cost of a find through the whole table.
void BM_FindToday_Ansi(benchmark::State& state) {
    const SearchMatcher m("zzzz", SearchOptions{false, false}, false, TextEncoding::Windows1252, german());
    findAll(state, ansiCells(), [&](const std::string& cell) { return m(cell); });
}
void BM_Find_Ansi(benchmark::State& state) {
    const TextMatcher m("zzzz", MatchOptions{false, false}, TextEncoding::Windows1252, german());
    findAll(state, ansiCells(), [&](const std::string& cell) { return m.matches(cell); });
}
void BM_Find_Utf8(benchmark::State& state) {
    const TextMatcher m("zzzz", MatchOptions{false, false}, TextEncoding::Utf8, german());
    findAll(state, utf8Cells(), [&](const std::string& cell) { return m.matches(cell); });
}
// A search text with an umlaut: the UTF-8 cells holding bytes from 0x80 up are folded.
void BM_FindUmlautToday_Ansi(benchmark::State& state) {
    const SearchMatcher m("z\xC3\xBCrich", SearchOptions{false, false}, false, TextEncoding::Windows1252, german());
    findAll(state, ansiCells(), [&](const std::string& cell) { return m(cell); });
}
void BM_FindUmlaut_Utf8(benchmark::State& state) {
    const TextMatcher m("z\xC3\xBCrich", MatchOptions{false, false}, TextEncoding::Utf8, german());
    findAll(state, utf8Cells(), [&](const std::string& cell) { return m.matches(cell); });
}

// Keys for the word column, then the rows ordered by heads and, on ties, keys.
void sortByHeads(benchmark::State& state, const Cells& c, TextEncoding encoding, std::size_t col) {
    const SortKeyMaker maker(encoding, german());
    struct Item {
        std::uint64_t head;
        std::uint32_t row;
        bool exact;
    };
    for (auto _ : state) {
        std::string keys;
        std::vector<std::size_t> ends;
        ends.reserve(kRows);
        for (std::size_t r = 0; r < kRows; ++r) {
            maker.append(c.cells[r * 10 + col], keys);
            ends.push_back(keys.size());
        }
        auto keyOf = [&](std::uint32_t row) {
            const std::size_t begin = row == 0 ? 0 : ends[row - 1];
            return std::string_view(keys).substr(begin, ends[row] - begin);
        };
        std::vector<Item> items(kRows);
        for (std::uint32_t r = 0; r < kRows; ++r) items[r] = {maker.head(keyOf(r), items[r].exact), r, items[r].exact};
        std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
            if (a.head != b.head) return a.head < b.head;
            if (a.exact && b.exact) return a.row < b.row;
            const int order = keyOf(a.row).compare(keyOf(b.row));
            return order != 0 ? order < 0 : a.row < b.row;
        });
        benchmark::DoNotOptimize(items.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}


// The keys alone.
void keysOfWords(benchmark::State& state, const Cells& c, TextEncoding encoding) {
    const SortKeyMaker maker(encoding, german());
    for (auto _ : state) {
        std::string keys;
        for (std::size_t r = 0; r < kRows; ++r) maker.append(c.cells[r * 10 + kWordColumn], keys);
        benchmark::DoNotOptimize(keys.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
void BM_SortKeys_Ansi(benchmark::State& state) { keysOfWords(state, ansiCells(), TextEncoding::Windows1252); }
void BM_SortKeys_Utf8(benchmark::State& state) { keysOfWords(state, utf8Cells(), TextEncoding::Utf8); }


// The column's keys made once per distinct text, ranked, and the rows ordered by rank alone.
void sortByRanks(benchmark::State& state, const Cells& c, TextEncoding encoding, std::size_t col) {
    const SortKeyMaker maker(encoding, german());
    for (auto _ : state) {
        SortKeyColumn column(maker);
        for (std::size_t r = 0; r < kRows; ++r) column.add(c.cells[r * 10 + col]);
        const std::vector<std::uint32_t> ranks = column.ranks();
        std::vector<std::uint64_t> items(kRows);
        for (std::uint32_t r = 0; r < kRows; ++r) items[r] = std::uint64_t{ranks[r]} << 32 | r;
        std::sort(items.begin(), items.end());
        benchmark::DoNotOptimize(items.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
void BM_SortByWord_Ansi(benchmark::State& state) { sortByHeads(state, ansiCells(), TextEncoding::Windows1252, kWordColumn); }
void BM_SortByWord_Utf8(benchmark::State& state) { sortByHeads(state, utf8Cells(), TextEncoding::Utf8, kWordColumn); }
void BM_SortByWordRanks_Ansi(benchmark::State& state) { sortByRanks(state, ansiCells(), TextEncoding::Windows1252, kWordColumn); }
void BM_SortByWordRanks_Utf8(benchmark::State& state) { sortByRanks(state, utf8Cells(), TextEncoding::Utf8, kWordColumn); }
// A column of a different text in nearly every row: "K" and eight digits.
void BM_SortByCode_Ansi(benchmark::State& state) { sortByHeads(state, ansiCells(), TextEncoding::Windows1252, kCodeColumn); }
void BM_SortByCode_Utf8(benchmark::State& state) { sortByHeads(state, utf8Cells(), TextEncoding::Utf8, kCodeColumn); }
void BM_SortByCodeRanks_Ansi(benchmark::State& state) { sortByRanks(state, ansiCells(), TextEncoding::Windows1252, kCodeColumn); }
void BM_SortByCodeRanks_Utf8(benchmark::State& state) { sortByRanks(state, utf8Cells(), TextEncoding::Utf8, kCodeColumn); }

void upperAll(benchmark::State& state, const Cells& c, TextEncoding encoding) {
    std::string out;
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& cell : c.cells) {
            upperCase(cell, encoding, german(), out);
            total += out.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.cells.size()));
}
void BM_Upper_Ansi(benchmark::State& state) { upperAll(state, ansiCells(), TextEncoding::Windows1252); }
void BM_Upper_Utf8(benchmark::State& state) { upperAll(state, utf8Cells(), TextEncoding::Utf8); }

void BM_Utf8ToAnsiCounting(benchmark::State& state) {
    std::string out;
    for (auto _ : state) {
        LackingCharacters lacking;
        for (const std::string& cell : utf8Cells().cells) windows1252FromUtf8(cell, out, lacking);
        benchmark::DoNotOptimize(lacking.count);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * utf8Cells().cells.size()));
}

BENCHMARK(BM_FindToday_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindUmlautToday_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindUmlaut_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortKeys_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortKeys_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByWord_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByWord_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByWordRanks_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByWordRanks_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByCode_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByCode_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByCodeRanks_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByCodeRanks_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Upper_Ansi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Upper_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Utf8ToAnsiCounting)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulyst::bench

BENCHMARK_MAIN();
