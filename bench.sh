#!/usr/bin/env bash
# Builds Release under build/bench, generates the benchmark tables (1,000,000
# rows by default, or the row count given) and prints every figure.
set -euo pipefail
cd "$(dirname "$0")"
rows="${1:-1000000}"
tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULYST_TESTS=OFF >/dev/null
cmake --build build/bench --target bench_generate bench_files bench_render bench_reshape bench_textops bench_macros bench_findsort bench_transforms bench_quoted
cmake --build build/bench --target tabulyst bench_startup bench_plainread >/dev/null
data="build/bench/data-$rows"
mkdir -p "$data"
[ -f "$data/table.csv" ] || build/bench/bench/bench_generate "$data" "$rows"
echo "== start to grid ready (whole process, offscreen)"
build/bench/bench/bench_startup build/bench/src/tabulyst build/bench/bench/bench_plainread "$data/table.csv"
echo "== start to grid ready, the table in UTF-8 with a character Windows-1252 lacks in every tenth row"
build/bench/bench/bench_startup build/bench/src/tabulyst build/bench/bench/bench_plainread "$data/table-utf8.csv"
echo "== file round trip and structure edits"
build/bench/bench/bench_files "$data"
echo "== fields in quotes: the scan, the whole reader and an untouched save"
build/bench/bench/bench_quoted
echo "== sorting, find and replace"
build/bench/bench/bench_findsort "$data"
echo "== value transformations"
build/bench/bench/bench_transforms "$data"
echo "== viewport rendering (offscreen)"
QT_QPA_PLATFORM=offscreen build/bench/bench/bench_render "$data" 2>/dev/null
echo "== reshaping and the clipboard"
build/bench/bench/bench_reshape --benchmark_min_time=0.2
echo "== text operations"
build/bench/bench/bench_textops --benchmark_min_time=0.2
echo "== printing to PDF (offscreen)"
cmake --build build/bench --target bench_print >/dev/null
QT_QPA_PLATFORM=offscreen build/bench/bench/bench_print 2>/dev/null
echo "== keyboard macros (offscreen)"
QT_QPA_PLATFORM=offscreen build/bench/bench/bench_macros 2>/dev/null
