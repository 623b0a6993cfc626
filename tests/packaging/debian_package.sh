#!/usr/bin/env bash
# debian_package.sh BUILD_DIR: builds the Debian package of the build with
# cpack, checks its dependencies (found by dpkg-shlibdeps, plus what Qt loads
# at run time), unpacks it into a scratch root and checks the installed tree.
# Skipped (77) where the Debian packaging tools are not installed.
set -uo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out") >"$scratch/cpack.log" 2>&1 \
  || { cat "$scratch/cpack.log"; fail "cpack"; }
packages=("$scratch"/out/*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "cpack made no single .deb"
deb=${packages[0]}

[ "$(dpkg-deb -f "$deb" Package)" = tabulyst ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for need in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-translations-l10n; do
  [[ ", $depends," == *", $need"[\ ,]* ]] || fail "Depends lacks $need"
done

dpkg -x "$deb" "$scratch/root" || fail "dpkg -x"
bash "$here/check_tree.sh" "$scratch/root/usr" || exit 1
file "$scratch/root/usr/bin/tabulyst" | grep -q ELF || fail "usr/bin/tabulyst is no program"
echo "$(basename "$deb") unpacks to a complete tree"
