#!/usr/bin/env bash
# End-to-end run of the real program under a private X server: start, play
# with keys and the mouse, continue after a game over, refuse a second copy,
# check that the cursor stays in the window, that the menu keys reach the game
# after a dialog and from the name entry, quit with F9 and check what the quit
# wrote; then, under a window manager, that windows sit where they are centred.
# Every wait is bounded; everything started here is stopped on exit.
# Usage: e2e.sh <skarbolt binary> <gamedata folder>
#        e2e.sh <installed skarbolt binary> --installed
# The second form starts the program in an empty folder, so that it plays
# from the per-user folder with the data installed beside it.
set -euo pipefail

bin=$(realpath "$1")
installed=false
[ "$2" = --installed ] && installed=true
shot_dir=$(dirname "$bin")
for tool in Xvfb xdotool import convert timeout; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
wm_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
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
  # Plain stage maps where the data folder has none: 60 x 13 tiles.
  for n in 1 2 3 4 5 6 7; do
    map="$work/run/Data/Stage$n.dat"
    [ -f "$map" ] || { printf '\x3c\x0d\x00'; head -c $((60 * 13)) /dev/zero; } >"$map"
  done
fi
# A table of zeros: every game over ranks and opens the name entry.
mkdir -p "$(dirname "$scores")"
for _ in $(seq 10); do echo "Nobody 0"; done >"$scores"

export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work"
cd "$work/run"
start_game() {
  "$bin" >"$work/game.log" 2>&1 &
  game_pid=$!
  wid=$(shown "Skarbolt 98" 200) || fail "the main window did not appear"
  timeout 10 xdotool windowfocus --sync "$wid" || fail "the main window took no focus"
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
gone() { for _ in $(seq 50); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.1; done; return 1; }
# F9 ends the program with exit code 0.
quit_with_f9() {
  xdotool key F9
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after F9 $1"
  set +e
  wait "$game_pid"
  local rc=$?
  set -e
  game_pid=""
  [ "$rc" -eq 0 ] || fail "the program ended with $rc after F9"
}
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

start_game
check_main_placed "without a window manager"
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

# After the version dialog closes the keys reach the game again, wherever the
# pointer is.
xdotool key F7
about=$(shown Version) || fail "F7 opened no version dialog"
check_centred "the version dialog" "$about" "at its first opening"
xdotool key Return
gone Version || fail "Return did not close the version dialog"
xdotool mousemove 5 5
xdotool key F5
shown "詳細設定" >/dev/null || fail "F5 after the version dialog opened no settings dialog"
xdotool key Escape
gone "詳細設定" || fail "Esc did not close the settings dialog"
timeout 10 xdotool windowfocus --sync "$wid" || true

xdotool key F1
sleep 1
alive
xdotool key F3
still || fail "the paused game still draws"
# The paused frame as put straight on the window equals the same frame
# repainted through the widget once the window is unmapped and mapped again.
snap 0 0 632 400 direct
xdotool windowunmap --sync "$wid"
xdotool windowmap --sync "$wid"
timeout 10 xdotool windowfocus --sync "$wid" || true
sleep 0.5
snap 0 0 632 400 repainted
convert "$work/direct.png" "rgb:$work/direct.rgb"
convert "$work/repainted.png" "rgb:$work/repainted.rgb"
cmp -s "$work/direct.rgb" "$work/repainted.rgb" || fail "the frame shown differs from its repaint"

# The cursor is held inside the window during a stage, paused or not: the
# outer rectangle less 4 pixels left and right, 22 at the top, 34 at the bottom.
pointer() { xdotool getmouselocation --shell | sed -n "s/^$1=//p"; }
pointer_inside() {
  [ "$px" -ge $((X + 4)) ] && [ "$px" -lt $((X + WIDTH - 4)) ] &&
    [ "$py" -ge $((Y + 22)) ] && [ "$py" -lt $((Y + HEIGHT - 34)) ]
}
# Relative pushes meet the barriers; absolute moves (tablets, remote
# desktops) jump them and are pulled back.
for push in "relative 1000 1000" "relative -1000 -1000" "absolute 0 0" "absolute 1000 700"; do
  at 300 200
  sleep 0.2
  set -- $push
  if [ "$1" = relative ]; then xdotool mousemove_relative -- "$2" "$3"; else xdotool mousemove "$2" "$3"; fi
  for _ in $(seq 20); do  # a busy machine may take a moment to pull it back
    sleep 0.1
    px=$(pointer X); py=$(pointer Y)
    pointer_inside && break
  done
  pointer_inside || fail "cursor left the window after a $push move: $px,$py"
done
xdotool key F3

# Fly and fire for a while, with a screenshot in the middle of it, until
# the name entry opens (clicks would land on it).
entry_open() { xdotool search --onlyvisible --name '^A New Record !$' 2>/dev/null | head -1; }
for i in $(seq 40); do
  [ -n "$(entry_open)" ] && break
  at $((60 + (i * 37) % 400)) $((40 + (i * 53) % 320))
  xdotool click 1
  [ $((i % 5)) -eq 0 ] && xdotool click 3
  [ "$i" -eq 20 ] && import -window "$wid" "$shot_dir/e2e-play.png"
  sleep 0.1
done
alive

# Park the ship in the enemies' way until the game is over and the name
# entry opens (bounded).
at 560 180
entry=""
deadline=$((SECONDS + 60))
while [ $SECONDS -lt $deadline ] && [ -z "$entry" ]; do
  entry=$(entry_open) || true
  sleep 1
done
[ -n "$entry" ] || fail "no game over with a name entry within a minute"
import -window "$wid" "$shot_dir/e2e-later.png"

# The entry has the keyboard: Esc leaves it open, the menu keys act on the game.
xdotool windowfocus --sync "$entry" || fail "the name entry took no focus"
xdotool key Escape
sleep 0.5
[ -n "$(entry_open)" ] || fail "Esc closed the name entry"
xdotool key F3
still || fail "F3 from the name entry did not pause the game"
xdotool key F3

# A double-click beside the entry continues; the entry stays open.
xdotool windowfocus --sync "$wid" || true
at 100 100
xdotool click --repeat 2 --delay 80 1
sleep 0.5
alive

# F9 from the entry saves and ends the program.
xdotool windowfocus --sync "$entry" || fail "the name entry took no focus"
touch -d @0 "$scores"
quit_with_f9 "from the name entry"

[ "$(stat -c %Y "$scores")" -gt 0 ] || fail "F9 wrote no $scores"
lines=$(wc -l <"$scores")
[ "$lines" -eq 10 ] || fail "$scores has $lines lines"
settings="$work/config/SK98.conf"
for key in MidiOut WaveOut MouseLock Difficult; do
  grep -q "^$key=" "$settings" || fail "$key was not written to the settings"
done

# Under a window manager: frames land where they are centred, the dialogs'
# at their first opening too, and the keys reach the game after a dialog.
if command -v openbox >/dev/null; then
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window && break; sleep 0.1; done
  sleep 1  # the manager announces itself before it manages new windows
  start_game
  sleep 0.5
  check_main_placed "under a window manager"
  for key_title in "F7 Version" "F5 詳細設定"; do
    read -r key title <<<"$key_title"
    xdotool key "$key"
    dialog=$(shown "$title") || fail "$key opened no dialog under a window manager"
    sleep 0.3
    check_centred "$title" "$dialog" "at its first opening under a window manager"
    xdotool key Escape Return
    gone "$title" || fail "$title did not close"
  done
  quit_with_f9 "under a window manager"
else
  echo "openbox is not installed: placement under a window manager not checked"
fi
echo "PASS"
