#!/usr/bin/env bash
# validate.sh desktop|metainfo FILE: the desktop's own validator must accept FILE
# without a complaint; skipped (77) where the validator is not installed.
set -uo pipefail
kind=$1 file=$2
case $kind in
  desktop) tool=(desktop-file-validate "$file") ;;
  metainfo) tool=(appstreamcli validate --no-net "$file") ;;
  *) echo "unknown kind $kind"; exit 2 ;;
esac
command -v "${tool[0]}" >/dev/null || { echo "${tool[0]} is not installed: skipped"; exit 77; }
output=$("${tool[@]}" 2>&1); status=$?
echo "$output"
[ $status -eq 0 ] || exit 1
# desktop-file-validate reports warnings and hints without failing.
if [ "$kind" = desktop ] && [ -n "$output" ]; then exit 1; fi
exit 0
