#!/usr/bin/env bash
# check_tree.sh PREFIX: the installed files are where the desktop entry says:
# its Exec names the binary in PREFIX/bin, its Icon an SVG in the hicolor theme,
# and the metainfo launches that entry.
set -uo pipefail
prefix=$1
fail() { echo "FAIL: $*"; exit 1; }

entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || fail "not exactly one desktop entry in $prefix/share/applications"
entry=${entries[0]}
id=$(basename "$entry" .desktop)
field() { sed -n "s/^$1=//p" "$entry" | head -n 1; }

exec_line=$(field Exec)
binary=${exec_line%% *}
[ "$exec_line" = "$binary %f" ] || fail "Exec is '$exec_line', not '<binary> %f'"
[ -x "$prefix/bin/$binary" ] || fail "Exec names $binary, which is not an executable in $prefix/bin"
[ "$(field Name)" = Tabulyst ] || fail "Name is '$(field Name)'"
[ "$(field GenericName)" = Tabelleneditor ] || fail "GenericName is '$(field GenericName)'"
[ "$(field Categories)" = "Office;Spreadsheet;" ] || fail "Categories is '$(field Categories)'"
for type in text/csv text/tab-separated-values text/plain; do
  [[ ";$(field MimeType)" == *";$type;"* ]] || fail "MimeType lacks $type"
done

icon=$(field Icon)
svg="$prefix/share/icons/hicolor/scalable/apps/$icon.svg"
[ -f "$svg" ] || fail "Icon $icon is not at $svg"
grep -q "<svg" "$svg" || fail "$svg is no SVG"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "no metainfo at $metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $id.desktop"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
echo "installed tree under $prefix is complete ($id)"
