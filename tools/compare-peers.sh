#!/usr/bin/env bash
# Times this editor's whole-process open and save of a table against the tools
# our users would otherwise pick, where they happen to be installed (nothing is
# installed for this): LibreOffice converting headless, VisiData in batch mode.
# Median of three runs each; prints each peer's time over the editor's.
# Not run by CI. Usage: tools/compare-peers.sh [TABLE] (default: the 1,000,000-
# row table of bench.sh, which must have been generated; ';' delimited).
set -euo pipefail
cd "$(dirname "$0")/.."
table="$(realpath "${1:-build/bench/data-1000000/table.csv}")"
editor=build/bench/src/tabulyst
[ -f "$table" ] || { echo "no table at $table: run ./bench.sh first" >&2; exit 1; }
if [ ! -x "$editor" ]; then
  cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULYST_TESTS=OFF >/dev/null
  cmake --build build/bench --target tabulyst >/dev/null
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config"

# Median wall time in seconds of three runs of the command given.
median_of_3() {
  local times=()
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    end=$(date +%s.%N)
    times+=("$(awk "BEGIN { print $end - $start }")")
  done
  printf '%s\n' "${times[@]}" | sort -g | sed -n 2p
}

run_editor() {
  QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" TABULYST_SAVE_WHEN_READY="$work/editor.csv" \
    "$editor" "$table"
}
run_libreoffice() {
  "$1" --headless -env:UserInstallation="file://$work/lo-profile" --infilter="CSV:59,34,76,1" \
    --convert-to "csv:Text - txt - csv (StarCalc):59,34,76,1" --outdir "$work/lo" "$table"
}
run_visidata() {
  "$1" -b --csv-delimiter=';' -f csv "$table" -o "$work/vd.csv"
}

echo "table: $table ($(du -h "$table" | cut -f1)), load: $(uptime | sed 's/.*load average: //')"
ours=$(median_of_3 run_editor)
printf '%-28s %8.2f s\n' "tabulyst open + save" "$ours"
cmp -s "$table" "$work/editor.csv" || echo "  (the saved copy differs from the table)"

compare() {
  local name="$1" runner="$2" program="$3"
  if [ -z "$program" ]; then
    printf '%-28s not installed, skipped\n' "$name"
    return
  fi
  local theirs
  theirs=$(median_of_3 "$runner" "$program") || { printf '%-28s failed\n' "$name"; return; }
  printf '%-28s %8.2f s   %6.1f x tabulyst\n' "$name" "$theirs" "$(awk "BEGIN { print $theirs / $ours }")"
}
compare "LibreOffice headless" run_libreoffice "$(command -v soffice || command -v libreoffice || true)"
compare "VisiData batch" run_visidata "$(command -v vd || command -v visidata || true)"
