#!/usr/bin/env bash
# installed_tree.sh BUILD_DIR: installs the build into a scratch prefix, checks
# the files, then starts the installed binary as the file manager would, on a
# file whose path holds blanks and umlauts: the path arrives intact (the load
# records it among the recent files) and the settings go to
# $XDG_CONFIG_HOME/tabulyst, even though the scratch bin folder is writable.
set -uo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 || { cat "$scratch/install.log"; fail "install"; }
bash "$here/check_tree.sh" "$prefix" || exit 1

table="$scratch/Meine Tabellen/Übersicht 2024.csv"
mkdir -p "$(dirname "$table")"
printf 'Name;Ort\r\nMüller;Köln\r\n' >"$table"
config=$scratch/config
mkdir -p "$scratch/home"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$config HOME=$scratch/home "$prefix/bin/tabulyst" "$table" \
  >"$scratch/app.log" 2>&1 &
app=$!
recorded=no
for _ in $(seq 1 150); do
  if grep -qF "$table=1" "$config/tabulyst/tabulyst.CFG" 2>/dev/null; then recorded=yes; break; fi
  kill -0 "$app" 2>/dev/null || break
  sleep 0.2
done
kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; app=
[ $recorded = yes ] || { cat "$scratch/app.log"; fail "the installed program did not record $table in $config/tabulyst/tabulyst.CFG"; }
leftovers=$(ls "$prefix/bin" | grep -v '^tabulyst$')
[ -z "$leftovers" ] || fail "settings written beside the installed binary: $leftovers"
echo "installed program loaded '$table' and kept its settings in $config/tabulyst"
