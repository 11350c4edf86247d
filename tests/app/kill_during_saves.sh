#!/usr/bin/env bash
# Kills the program with SIGKILL while it saves on its way out, many times,
# and checks after each kill that the high-score table is whole: the old
# table or the new one, never a torn one and never none; and that the
# settings file holds only whole lines. Each round starts the program
# (offscreen) on a table it writes back differently, waits for its title,
# sends SIGTERM (which saves, then ends) and kills it a random moment, up to
# a few milliseconds, later. Not a CTest test: it runs up to a minute and
# prints a tally.
# Usage: kill_during_saves.sh <skarbolt binary> <gamedata folder> [rounds, default 100]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "$1")
rounds=${3:-100}
offscreen_setup "$2"
table="$work/run/Data/Hi-Score.dat"
settings="$work/config/SK98.conf"

# Round n's old table: ten valid lines with two blanks, which the program
# writes back with one.
old_table() { for rank in $(seq 10); do echo "R$1x$rank  $((1000 - rank))"; done; }
new_table() { old_table "$1" | sed 's/  / /'; }

declare -A tally=([old]=0 [new]=0 [ended before the kill]=0 [mid-save]=0)
cd "$work/run"
for round in $(seq "$rounds"); do
  old_table "$round" >"$table"
  rm -f "$settings"
  "$bin" >"$work/game.log" 2>&1 &
  pid=$!
  poll 300 test -e "$settings" || fail "round $round: no title within 30 s"
  kill -TERM "$pid"
  # A wait of 0 to about 5 ms without starting a process (a sleep would take
  # longer than the save).
  for ((spin = RANDOM % 5000; spin > 0; spin--)); do :; done
  if kill -9 "$pid" 2>/dev/null; then :; else tally[ended before the kill]=$((${tally[ended before the kill]} + 1)); fi
  wait "$pid" 2>/dev/null || true
  [ -f "$table" ] || fail "round $round: the table is gone"
  if cmp -s "$table" <(old_table "$round"); then
    tally[old]=$((${tally[old]} + 1))
  elif cmp -s "$table" <(new_table "$round"); then
    tally[new]=$((${tally[new]} + 1))
  else
    fail "round $round: a torn table: $(od -c "$table" | head -5)"
  fi
  # A new file beside the table: the kill came between its making and its rename.
  if [ -n "$(find "$work/run/Data" -name "Hi-Score.dat.tmp$pid-*")" ]; then tally[mid-save]=$((${tally[mid-save]} + 1)); fi
  [ ! -s "$settings" ] || ! grep -qv '^\[General\]$\|^[A-Za-z]*=-\?[0-9]*$' "$settings" ||
    fail "round $round: a torn settings file: $(cat "$settings")"
done
leftovers=$(find "$work/run/Data" -name 'Hi-Score.dat.tmp*' | wc -l)
echo "$rounds rounds: old table kept ${tally[old]}, new table ${tally[new]};" \
  "killed between making the new file and its rename ${tally[mid-save]}," \
  "ended before the kill ${tally[ended before the kill]}; no table lost or torn;" \
  "$leftovers new file(s) of a killed writer left at the end (the next save removes them)"
