#!/usr/bin/env bash
# `skarbolt --verify-replay` as a player or CI runs it: without a display,
# the golden replays match (exit 0), damaged, cut, empty and foreign files
# give 2 or 3 with one line on stderr, and nothing is written anywhere.
# Usage: verify_replays.sh <skarbolt> <gamedata> <folder of golden replays>
set -uo pipefail
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") data=$(cd "$2" && pwd) goldens=$(cd "$3" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/home" "$work/runtime" "$work/data"
cp -r "$data/Data" "$work/data/"
touch "$work/marker"
sleep 1

# expect <code> <folder> <file>
expect() {
  local code=$1 folder=$2 file=$3 got lines
  (cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
     timeout 120 "$program" --verify-replay "$file" >"$work/out" 2>"$work/err")
  got=$?
  lines=$(wc -l <"$work/err")
  [ "$got" -eq "$code" ] || fail "$file: exit $got, expected $code ($(cat "$work/err"))"
  if [ "$code" -eq 0 ]; then
    [ "$lines" -eq 0 ] || fail "$file: stderr not empty: $(cat "$work/err")"
  else
    [ "$lines" -eq 1 ] || fail "$file: $lines lines on stderr, expected one"
  fi
}

for golden in "$goldens"/*.skr; do expect 0 "$work/data" "$golden"; done

one=$(ls "$goldens"/*.skr | head -n 1)
: >"$work/empty.skr"
head -c 200 "$one" >"$work/cut.skr"
printf 'not a replay\n' >"$work/text.skr"
cp "$one" "$work/damaged.skr"
printf '\x55' | dd of="$work/damaged.skr" bs=1 seek=300 conv=notrunc status=none
for bad in empty cut text damaged; do expect 2 "$work/data" "$work/$bad.skr"; done
expect 2 "$work/data" "$work/missing.skr"

printf '\x01' | dd of="$work/data/Data/Stage3.dat" bs=1 seek=40 conv=notrunc status=none
expect 3 "$work/data" "$one"

written=$(find "$work/home" "$work/runtime" "$work/data" -newer "$work/marker" ! -path "$work/data/Data/Stage3.dat" \
          ! -path "$work/data/Data" | head -n 5)
[ -z "$written" ] || fail "files written: $written"

[ "$failures" -eq 0 ] && echo "verify_replays: all checks passed"
exit $((failures > 0))
