#!/usr/bin/env bash
# Fuzzes every parser: builds the targets of fuzz/targets with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer under build/fuzz, and runs
# each for SECONDS (default 60), one after another. A target starts from its
# checked-in seeds (fuzz/corpus/<target>) and from what earlier runs found
# (build/fuzz/corpus/<target>, kept between runs); inputs that break a check
# land in build/fuzz/findings/<target>. A finding, once mended, belongs in
# fuzz/corpus/<target>, where the tests replay it.
#
#   tools/fuzz.sh [SECONDS [TARGET...]]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
wanted=("$@")

tools/install-deps.sh
missing=()
command -v clang++ >/dev/null || missing+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing+=(libclang-rt-14-dev)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

targets=()
for source in fuzz/targets/*.cpp; do
  name=$(basename "$source" .cpp)
  if [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $name "* ]]; then targets+=("$name"); fi
done

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DTABULYST_FUZZ=ON -DTABULYST_TESTS=OFF -DTABULYST_BENCH=OFF >/dev/null
cmake --build build/fuzz -j2 --target "${targets[@]/#/fuzz_}"

# Table files and settings are written on every input: keep them in memory.
scratch_root=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_root=/dev/shm
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

summary=()
for name in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$name
  findings=build/fuzz/findings/$name
  log=build/fuzz/$name.log
  mkdir -p "$corpus" "$findings" "fuzz/corpus/$name"
  scratch=$(mktemp -d "$scratch_root/tabulyst-fuzz.XXXXXX")
  echo "== $name: $seconds s"
  status=0
  TMPDIR=$scratch build/fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$name" \
    >"$log" 2>&1 || status=$?
  rm -rf "$scratch"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  [ -z "$runs" ] && runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  found=$(find "$findings" -type f | wc -l)
  line=$(printf '%-22s %12s executions %6s corpus files %3s findings' "$name" "${runs:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$found")
  [ "$status" -ne 0 ] && line="$line  (stopped: see $log)"
  echo "$line"
  summary+=("$line")
done
echo
printf '%s\n' "${summary[@]}"
