#!/usr/bin/env bash
# End-to-end run of the real program under a private X server: start, play
# with keys and the mouse, continue after a game over, refuse a second copy,
# check that the cursor stays in the window, quit with F9 and check what the
# quit wrote. Every wait is bounded; everything started here is stopped on exit.
# Usage: e2e.sh <skarbolt binary> <gamedata folder>
#        e2e.sh <installed skarbolt binary> --installed
# The second form starts the program in an empty folder, so that it plays
# from the per-user folder with the data installed beside it.
set -euo pipefail

bin=$(realpath "$1")
installed=false
[ "$2" = --installed ] && installed=true
shot_dir=$(dirname "$bin")
for tool in Xvfb xdotool import timeout; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log"; exit 1; }

# A free display: Xvfb picks the number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"

mkdir -p "$work/run" "$work/config"
scores="$work/run/Data/Hi-Score.dat"
if $installed; then
  export XDG_DATA_HOME="$work/data"
  scores="$XDG_DATA_HOME/skarbolt98/Data/Hi-Score.dat"
else
  cp -r "$(realpath "$2")/." "$work/run/"
  mkdir -p "$work/run/Data"
  rm -f "$work/run/Data/Hi-Score.dat"
  # Plain stage maps where the data folder has none: 60 x 13 tiles.
  for n in 1 2 3 4 5 6 7; do
    map="$work/run/Data/Stage$n.dat"
    [ -f "$map" ] || { printf '\x3c\x0d\x00'; head -c $((60 * 13)) /dev/zero; } >"$map"
  done
fi

export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work"
cd "$work/run"
"$bin" >"$work/game.log" 2>&1 &
game_pid=$!

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Skarbolt 98$' | head -1) || true
[ -n "$wid" ] || fail "the main window did not appear"
timeout 10 xdotool windowfocus --sync "$wid" || fail "the main window took no focus"
eval "$(xdotool getwindowgeometry --shell "$wid")"  # X Y WIDTH HEIGHT
menu=$((HEIGHT - 434))
echo "window at $X,$Y size ${WIDTH}x$HEIGHT (menu bar $menu)"
[ "$WIDTH" -eq 632 ] || fail "window width $WIDTH, expected 632"

alive() { kill -0 "$game_pid" 2>/dev/null || fail "the program ended unexpectedly"; }
at() { xdotool mousemove --window "$wid" "$1" $(($2 + menu)); }

# A second copy ends at once with exit code 1 and opens no window.
set +e
timeout 10 "$bin" >/dev/null 2>&1
second=$?
set -e
[ "$second" -eq 1 ] || fail "second copy ended with $second, expected 1"
windows=$(xdotool search --onlyvisible --name '^Skarbolt 98$' | wc -l)
[ "$windows" -eq 1 ] || fail "$windows main windows after the second start"

# A rectangle of the window (x y w h in client pixels below the menu bar).
snap() { import -window "$wid" -crop "$3x$4+$1+$(($2 + menu))" +repage "png:$work/$5.png" 2>/dev/null; }
changes() { snap "$@" a; sleep 0.3; snap "$@" b; ! cmp -s "$work/a.png" "$work/b.png"; }
# Polls (bounded) until the top star band moves, or stands still.
moving() { for _ in $(seq 30); do changes 0 0 632 40 && return 0; done; return 1; }
still() { for _ in $(seq 30); do changes 0 0 632 400 || return 0; done; return 1; }

moving || fail "the title does not move"

xdotool key F1
sleep 1
alive
xdotool key F3
still || fail "the paused game still draws"
xdotool key F3

# The cursor is held inside the window during a stage: the outer rectangle
# less 4 pixels left and right, 22 at the top and 34 at the bottom.
pointer() { xdotool getmouselocation --shell | sed -n "s/^$1=//p"; }
for push in "1000 1000" "-1000 -1000"; do
  at 300 200
  sleep 0.2
  xdotool mousemove_relative -- $push
  sleep 0.2
  px=$(pointer X); py=$(pointer Y)
  [ "$px" -ge $((X + 4)) ] && [ "$px" -lt $((X + WIDTH - 4)) ] &&
    [ "$py" -ge $((Y + 22)) ] && [ "$py" -lt $((Y + HEIGHT - 34)) ] ||
    fail "cursor left the window after a push of $push: $px,$py"
done

# Fly and fire for a while, with a screenshot in the middle of it.
for i in $(seq 40); do
  at $((60 + (i * 37) % 400)) $((40 + (i * 53) % 320))
  xdotool click 1
  [ $((i % 5)) -eq 0 ] && xdotool click 3
  [ "$i" -eq 20 ] && import -window "$wid" "$shot_dir/e2e-play.png"
  sleep 0.1
done
alive

# Park the ship in the enemies' way until the game is over (bounded), then
# continue with a double-click.
at 560 180
deadline=$((SECONDS + 40))
while [ $SECONDS -lt $deadline ]; do
  if xdotool search --onlyvisible --name '^A New Record !$' >/dev/null 2>&1; then break; fi
  sleep 1
done
import -window "$wid" "$shot_dir/e2e-later.png"
xdotool windowfocus --sync "$wid" || true
at 300 200
xdotool click --repeat 2 --delay 80 1
sleep 0.5
alive

# F9 saves and ends the program with exit code 0.
xdotool windowfocus --sync "$wid" || true
xdotool key F9
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after F9"
set +e
wait "$game_pid"
rc=$?
set -e
game_pid=""
[ "$rc" -eq 0 ] || fail "the program ended with $rc after F9"

[ -f "$scores" ] || fail "F9 wrote no $scores"
lines=$(wc -l <"$scores")
[ "$lines" -eq 10 ] || fail "$scores has $lines lines"
settings="$work/config/SK98.conf"
for key in MidiOut WaveOut MouseLock Difficult; do
  grep -q "^$key=" "$settings" || fail "$key was not written to the settings"
done
echo "PASS"
