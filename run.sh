#!/usr/bin/env bash
# Installs what is missing, builds a Release build under build/ and starts the editor.
# Without a file argument it opens the bundled sample table.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTABULYST_TESTS=OFF -DTABULYST_BENCH=OFF >/dev/null
cmake --build build/release --target tabulyst
if [ $# -eq 0 ]; then set -- "$PWD/examples/sample.csv"; fi
exec build/release/src/tabulyst "$@"
