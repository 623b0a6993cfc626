#!/usr/bin/env bash
# Builds Release under build/bench, generates the benchmark tables (1,000,000
# rows by default, or the row count given) and prints every figure.
# ./bench.sh big [ROWS] adds the table of 50,000,000 rows past 4 GiB (about
# 4.6 GB on disk and 12 GB of memory while it runs).
set -euo pipefail
cd "$(dirname "$0")"
big=0
if [ "${1:-}" = big ]; then
    big=1
    shift
fi
rows="${1:-1000000}"
tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULYST_TESTS=OFF >/dev/null
cmake --build build/bench --target bench_generate bench_files bench_render bench_reshape bench_textops bench_macros bench_findsort bench_transforms bench_quoted
cmake --build build/bench --target tabulyst bench_startup bench_plainread bench_wide >/dev/null
data="build/bench/data-$rows"
mkdir -p "$data"
[ -f "$data/table.csv" ] || build/bench/bench/bench_generate "$data" "$rows"
echo "== start to grid ready (whole process, offscreen)"
startup() { build/bench/bench/bench_startup build/bench/src/tabulyst build/bench/bench/bench_plainread "$@"; }
# The ready time in ms that bench_startup printed.
readyMs() { awk '$1 == "start" && $4 == "ready" && $6 == "ms" { print $5; exit }'; }
figures=$(startup "$data/table.csv")
echo "$figures"
tableReady=$(echo "$figures" | readyMs)
echo "== start to grid ready, the table in UTF-8 with a character Windows-1252 lacks in every tenth row"
startup "$data/table-utf8.csv"
echo "== a line of many fields, against the $rows-row table's ready time"
for fields in 100000 1000000; do
    wide="build/bench/wide-$fields.csv"
    [ -f "$wide" ] || build/bench/bench/bench_generate --wide "$wide" "$fields"
    echo "-- one line of $fields fields"
    startup "$wide" 5 "$tableReady" "the $rows-row table"
done
echo "-- column commands on the line of 1,000,000 fields against the line of 100,000"
build/bench/bench/bench_wide build/bench/wide-100000.csv build/bench/wide-1000000.csv
echo "== 10,000,000 rows"
mkdir -p build/bench/data-10000000
tenMillion=build/bench/data-10000000/table.csv
[ -f "$tenMillion" ] || build/bench/bench/bench_generate --table "$tenMillion" 10000000
figures=$(startup "$tenMillion" 3)
echo "$figures"
tenMillionReady=$(echo "$figures" | readyMs)
echo "-- the same table behind one line of 70,000 bytes (field ends past 16 bits), against 1.2 x its ready time"
longFirst=build/bench/data-10000000/long-first-line.csv
[ -f "$longFirst" ] || { head -c 70000 /dev/zero | tr '\0' x; printf ';y\r\n'; cat "$tenMillion"; } > "$longFirst"
startup "$longFirst" 3 "$(awk -v t="$tenMillionReady" 'BEGIN { print 1.2 * t }')" "1.2 x the 10,000,000-row table"
if [ "$big" = 1 ]; then
    echo "-- open and save of the 10,000,000-row table, to set the 50,000,000-row table's against"
    build/bench/bench/bench_files --round-trip "$tenMillion"
fi
if [ "$big" = 1 ]; then
    echo "== 50,000,000 rows, past 4 GiB, against 6 x the 10,000,000-row table"
    mkdir -p build/bench/data-50000000
    fiftyMillion=build/bench/data-50000000/table.csv
    [ -f "$fiftyMillion" ] || build/bench/bench/bench_generate --table "$fiftyMillion" 50000000
    startup "$fiftyMillion" 3 "$(awk -v t="$tenMillionReady" 'BEGIN { print 6 * t }')" "6 x the 10,000,000-row table"
    echo "-- open and save of the 50,000,000-row table: MB/s as the 10,000,000-row table's"
    build/bench/bench/bench_files --round-trip "$fiftyMillion"
fi
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
