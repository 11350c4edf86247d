#!/usr/bin/env bash
# The real program's saves on the ways out that are not the quit command,
# without a display (offscreen): SIGTERM, SIGINT and SIGHUP on the title
# write the high-score table and the settings, and the program ends with 0;
# as an ordinary user, a table in a folder that takes no new file is written
# in place and a read-only one is left alone. Running as root, the ordinary
# user is nobody (setpriv); where that is impossible the scenario is skipped.
# Usage: exit_saves.sh <skarbolt binary> <gamedata folder>
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "$1")
offscreen_setup "$2"
run="$work/run"
table="$run/Data/Hi-Score.dat"
settings="$work/config/SK98.conf"

# Ten valid lines that the program writes back differently (one blank
# between name and points): a rewrite shows.
old_table() { for n in $(seq 10); do echo "Old  $n"; done; }
rewritten() { [ "$(head -1 "$table")" = "Old 1" ] && [ "$(wc -l <"$table")" -eq 10 ]; }
settings_written() {
  local key
  for key in MidiOut WaveOut MouseLock Difficult; do grep -q "^$key=" "$settings" || return 1; done
}

# Starts the program in $run through `$@` (a user switch, or nothing) and
# waits until it is on its title: start-up has made the settings file. A
# script's background job ignores SIGINT, and the program would keep that.
start_on_title() {
  rm -f "$settings" "$work/game.pid" "$work/game.rc"
  (cd "$run" && { "$@" env --default-signal=INT "$bin" >"$work/game.log" 2>&1 & echo $! >"$work/game.pid"; wait $!; echo $? >"$work/game.rc"; }) &
  poll 50 test -s "$work/game.pid" || fail "the program did not start"
  poll 300 test -e "$settings" || { game_running || fail "the program ended with $(<"$work/game.rc")"; fail "no title after 30 s"; }
}
end_with() {
  kill -"$1" "$(<"$work/game.pid")"
  ended_with_0 "SIG$1"
}

signals_on_title_save_both() {
  local signal
  for signal in TERM INT HUP; do
    old_table >"$table"
    start_on_title
    end_with "$signal"
    rewritten || fail "SIG$signal left the table as it was: $(head -1 "$table")"
    settings_written || fail "SIG$signal wrote no settings: $(cat "$settings")"
  done
}

# The player's table in a folder of another user (root), then a table the
# player made read-only in the player's own folder.
ordinary_user_in_place_and_read_only() {
  local as=() owner
  owner=$(id -un)
  if [ "$(id -u)" -eq 0 ]; then
    id nobody >/dev/null 2>&1 && command -v setpriv >/dev/null || skip "no user nobody or no setpriv to run as"
    as=(setpriv --reuid nobody --regid nogroup --clear-groups --reset-env --)
    as+=(env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1 HOME="$work/config")
    as+=(XDG_CONFIG_HOME="$work/config" SKARBOLT_LOCK_DIR="$work/lock" XDG_RUNTIME_DIR="$work/lock")
    owner=nobody
    chmod 755 "$work"
    chown -R nobody "$work/config" "$work/lock"
  fi
  old_table >"$table"
  chown "$owner" "$table"
  chmod 755 "$run/Data"
  [ "$owner" = nobody ] || chmod 555 "$run/Data"
  local inode
  inode=$(stat -c %i "$table")
  start_on_title "${as[@]}"
  end_with TERM
  chmod 755 "$run/Data"
  rewritten || fail "the table was not written in place: $(head -1 "$table")"
  [ "$(stat -c %i "$table")" = "$inode" ] || fail "the table was replaced, not written in place"
  grep -q "written in place" "$work/game.log" || fail "no word on stderr of the write in place"
  settings_written || fail "no settings were written"

  old_table >"$table"
  chmod 444 "$table"
  chown "$owner" "$run/Data"
  start_on_title "${as[@]}"
  end_with TERM
  [ "$(head -1 "$table")" = "Old  1" ] || fail "the read-only table was replaced"
  grep -q "read-only" "$work/game.log" || fail "no word on stderr of the read-only table"
}

scenario signals_on_title_save_both
scenario ordinary_user_in_place_and_read_only
run_scenarios
