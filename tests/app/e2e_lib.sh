# shellcheck shell=bash
# Helpers of the shell tests that drive the real program; sourced, never run.
# Sourcing makes a private folder $work and, on exit, stops the game and
# every process handed to `track`. The caller sets `set -euo pipefail`, and
# `bin` (the program) before it starts the game.
#
# Scenarios: a function per scenario, listed with `scenario <function>
# [<scenario it needs>...]`, then `run_scenarios` as the script's last
# command (never inside a condition, where bash would ignore `set -e`). Each
# runs in a subshell under `set -e`; `fail` or any failing command ends it,
# `skip` skips it. A scenario whose needed scenario did not pass is reported
# as not run. What a later scenario reads goes through `keep` (variables) or
# files in $work.

# The program speaks the original Japanese whatever the machine's languages
# (a scenario may set its own).
unset LANGUAGE
export LC_ALL=C.UTF-8

work=$(mktemp -d)
: >"$work/pids"
cleanup() {
  local pid
  stop_game
  for pid in $(tac "$work/pids"); do stop_process "$pid"; done
  rm -rf "$work"
}
trap cleanup EXIT

# For the scripts that run the program without a display: offscreen and
# silent, private settings, data and lock folders, and a copy of the game's
# data folder $1 in $work/run to play from (the program saves into it when
# it is told to end).
offscreen_setup() {
  export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1
  export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  export SKARBOLT_LOCK_DIR="$work/lock" XDG_RUNTIME_DIR="$work/lock"
  mkdir -p "$work/config" "$work/lock" "$work/run" && chmod 700 "$work/lock"
  cp -r "$(realpath "$1")/." "$work/run/"
}

# The tools the end-to-end run needs.
e2e_tools=(Xvfb xdotool import convert timeout)
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

fail() { echo "FAIL: $*"; [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log"; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# Process ids to stop on exit, latest first (also from a scenario's subshell).
track() { echo "$1" >>"$work/pids"; }
# Gone, or a zombie (a child of this shell not yet waited for).
ended() { ! kill -0 "$1" 2>/dev/null || grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null; }
# Ends a process: politely, then for sure; reaps it if it is a child of this
# shell; no longer tracked.
stop_process() {
  if kill "$1" 2>/dev/null; then
    poll 50 ended "$1" || { kill -9 "$1" 2>/dev/null; poll 50 ended "$1"; } || true
    ended "$1" && { wait "$1" 2>/dev/null || true; }
  fi
  sed -i "/^$1\$/d" "$work/pids"
}
# Runs a command every tenth of a second until it succeeds, at most $1 times.
poll() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
# Variables for the later scenarios.
keep() {
  local name
  for name in "$@"; do printf '%s=%q\n' "$name" "${!name}"; done >>"$work/state"
}

# A private X server on a free display: Xvfb picks the number and writes it to fd 3.
# An argument WIDTHxHEIGHT sizes its screen (1024x768 without); its pid is xvfb_pid.
# It never resets: a server resets when its last client leaves and refuses
# connections meanwhile, so a window search ending just before the game
# connects would make the game fail to start.
start_xvfb() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  track $!
  poll 100 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$work/display")"
}

# Waits (bounded, in tenths of a second) until a window of that title is
# shown, or gone; prints its id. A search can fail while a window manager
# changes windows: it is simply repeated.
shown() {
  local id=""
  for _ in $(seq "${2:-100}"); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
gone() {
  for _ in $(seq "${2:-50}"); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done
  return 1
}

# The program runs under a shell that writes its exit code to game.rc, so any
# scenario can tell whether it still runs and how it ended (and cleanup
# stops it without a pid that may have been reused).
game_running() { [ -s "$work/game.pid" ] && [ ! -e "$work/game.rc" ]; }
alive() { game_running || fail "the program ended unexpectedly"; }
# Starts the program from the current folder (its output goes to game.log).
launch_game() {
  rm -f "$work/game.pid" "$work/game.rc"
  { set +e; "$bin" >"$work/game.log" 2>&1 & echo $! >"$work/game.pid"; wait $!; echo $? 2>/dev/null >"$work/game.rc"; } &
  poll 50 test -s "$work/game.pid" || fail "the program did not start"
}
# Starts the program, waits for its main window and focuses it; keeps wid,
# its geometry (X Y WIDTH HEIGHT) and the menu bar's height.
start_game() {
  launch_game
  on_title=1
  poll 200 main_window_or_end || true
  game_running || fail "the program ended with $(<"$work/game.rc") at start"
  wid=$(shown "Skarbolt 98" 1) || fail "the main window did not appear"
  timeout 10 xdotool windowfocus --sync "$wid" || fail "the main window took no focus"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  menu=$((HEIGHT - 434))
  keep wid X Y WIDTH HEIGHT menu on_title
}
main_window_or_end() { ! game_running || xdotool search --onlyvisible --name '^Skarbolt 98$' >/dev/null 2>&1; }
stop_game() {
  game_running || return 0
  stop_process "$(<"$work/game.pid")"
  poll 50 test -e "$work/game.rc" || true
}
# The program on its title screen: the running one if it is still there and
# the scenario before passed (a failed one may leave a dialog open), else a
# fresh start.
need_game_on_title() {
  if game_running && [ "${on_title:-0}" = 1 ] && [ "$last_result" = PASS ]; then return 0; fi
  stop_game
  start_game
}
# A scenario that leaves the title screen says so.
leave_title() { on_title=0; keep on_title; }
# The program ends with exit code 0 (a generous bound); $1 says after what.
ended_with_0() {
  poll 300 test -e "$work/game.rc" || fail "the program did not end after $1"
  local rc
  rc=$(<"$work/game.rc")
  [ "$rc" -eq 0 ] || fail "the program ended with $rc after $1"
}
# F9 ends the program with exit code 0.
quit_with_f9() {
  xdotool key F9
  ended_with_0 "F9 $1"
}

# The pointer to client pixel x y (below the menu bar).
at() { xdotool mousemove --window "$wid" "$1" $(($2 + menu)); }
# A rectangle of the window (x y w h in client pixels below the menu bar).
snap() { import -window "$wid" -crop "$3x$4+$1+$(($2 + menu))" +repage "png:$work/$5.png" 2>/dev/null; }
changes() { snap "$@" a; sleep 0.3; snap "$@" b; ! cmp -s "$work/a.png" "$work/b.png"; }
# Polls (bounded) until the top star band moves, or stands still.
moving() { for _ in $(seq 30); do changes 0 0 632 40 && return 0; done; return 1; }
still() { for _ in $(seq 30); do changes 0 0 632 400 || return 0; done; return 1; }
# True when a rectangle (x y w h) now differs from the picture $work/$5.png.
differs() { snap "$1" "$2" "$3" "$4" now; ! cmp -s "$work/now.png" "$work/$5.png"; }
# Polls until a rectangle (x y w h) has stayed the same for three seconds,
# at most $6 looks half a second apart (60 without); keeps it as $work/$5.png.
settled() {
  local same=0
  snap "$1" "$2" "$3" "$4" "$5"
  for _ in $(seq "${6:-60}"); do
    sleep 0.5
    if differs "$@"; then same=0; mv "$work/now.png" "$work/$5.png"; else same=$((same + 1)); fi
    [ "$same" -ge 6 ] && return 0
  done
  return 1
}
# True while one of the program's menus is pulled down.
menu_open() {
  local w
  for w in $(xdotool search --onlyvisible --class . 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DROPDOWN_MENU && return 0
  done
  return 1
}
entry_open() { xdotool search --onlyvisible --name '^A New Record !$' 2>/dev/null | head -1; }
pointer() { xdotool getmouselocation --shell | sed -n "s/^$1=//p"; }

# A window's frame (with the window manager's decorations): "x y width height".
frame_of() {
  local x y w h l r t b
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$1" | sed -n 's/^ *Width: *//p')
  h=$(xwininfo -id "$1" | sed -n 's/^ *Height: *//p')
  IFS=', ' read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p'; echo "0, 0, 0, 0")
  echo "$((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))"
}
screen_w=1024 screen_h=768
# The main window's frame sits where the start-up centring puts it (640 x 434,
# not its real size); a dialog's frame in the middle of the screen.
check_main_placed() {
  read -r fx fy _ _ < <(frame_of "$wid")
  [ "$fx,$fy" = "$(((screen_w - 640) / 2)),$(((screen_h - 434) / 2))" ] || fail "main frame at $fx,$fy $1"
}
check_centred() {
  read -r fx fy fw fh < <(frame_of "$2")
  [ "$fx,$fy" = "$(((screen_w - fw) / 2)),$(((screen_h - fh) / 2))" ] || fail "$1 frame at $fx,$fy size ${fw}x$fh $3"
}

scenarios=()
scenario() {
  local need
  for need in "${@:2}"; do
    [[ " ${scenarios[*]%% *} " == *" $need "* ]] || { echo "scenario $1 needs $need, not listed before it"; exit 2; }
  done
  scenarios+=("$*")
}
# Runs the listed scenarios in order, each on its own, and ends the script:
# 1 if one failed (or was not run for a failure), 77 if all were skipped, else 0.
run_scenarios() {
  local -A result=() cause=()
  local line name needs need rc
  last_result=PASS
  : >"$work/state"
  for line in "${scenarios[@]}"; do
    read -r name needs <<<"$line"
    for need in $needs; do
      [ "${result[$need]}" = PASS ] || { cause[$name]=${cause[$need]:-$need}; break; }
    done
    if [ -n "${cause[$name]:-}" ]; then
      if [ "${result[${cause[$name]}]}" = SKIP ]; then
        result[$name]=SKIP
        echo "SKIP: $name (${cause[$name]} was skipped)"
      else
        result[$name]="NOT RUN"
        echo "NOT RUN: $name, because ${cause[$name]} failed"
      fi
      continue
    fi
    echo "--- $name"
    set +e
    (
      . "$work/state"
      set -e
      "$name"
    )
    rc=$?
    set -e
    case $rc in
      0) result[$name]=PASS ;;
      77) result[$name]=SKIP ;;
      *) result[$name]=FAIL ;;
    esac
    last_result=${result[$name]}
    echo "${result[$name]}: $name"
  done
  echo "--- summary"
  rc=77
  for line in "${scenarios[@]}"; do
    read -r name _ <<<"$line"
    printf '%-8s %s\n' "${result[$name]}" "$name"
    case ${result[$name]} in
      PASS) [ "$rc" -eq 77 ] && rc=0 ;;
      SKIP) ;;
      *) rc=1 ;;
    esac
  done
  exit "$rc"
}
