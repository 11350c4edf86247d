#!/usr/bin/env bash
# End-to-end run of the real program on Wayland: weston nested in a private
# X server through its X11 backend (a headless weston would take no keys from
# xdotool), the program on Qt's wayland platform. After 開始 (F1) the status
# bar's still parts show the status-bar picture, every row of it, and the
# field's lowest rows move with the stage: what each frame repaints lands
# where it belongs. A stored zoom whose window would not fit the output shows
# the largest that fits, inside the output.
# Each check is a scenario that reports on its own (helpers in e2e_lib.sh).
# Every wait is bounded; everything started here is stopped on exit.
# Usage: wayland_e2e.sh <skarbolt binary> <gamedata folder> <status-bar picture>
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "$1")
picture=$(realpath "$3")
shot_dir=$(dirname "$bin")
need_tools "${e2e_tools[@]}" weston compare
start_xvfb

mkdir -p "$work/run" "$work/config"
cp -r "$(realpath "$2")/." "$work/run/"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1
export WAYLAND_DISPLAY=skarbolt-e2e QT_QPA_PLATFORM=wayland
cd "$work/run"

# The compositor's output, on a plain background and without a panel, so that
# the program's window (placed anywhere on it) is all that is not background.
output_w=1000 output_h=740
background=magenta
# Weston's cursor rests in the middle of the output: a window placed anywhere
# on it covers that point, and its status bar and the field's lowest rows
# lie below it. Weston follows the pointer once it has entered its window
# (from outside it: the server's pointer may start inside).
park_pointer() {
  xdotool mousemove $((output_w + 10)) $((output_h + 10))
  xdotool mousemove $((output_w / 2)) $((output_h / 2))
}
cursor_parked() {
  local w h x y
  park_pointer
  read -r w h x y < <(window_box) || return 1
  [ "$w" -lt 64 ] && [ $((x - output_w / 2)) -ge -4 ] && [ $((x - output_w / 2)) -le 4 ] &&
    [ $((y - output_h / 2)) -ge -4 ] && [ $((y - output_h / 2)) -le 4 ]
}
weston_started() {
  printf '[core]\nidle-time=0\n\n[shell]\npanel-position=none\nbackground-color=0xffff00ff\n' >"$work/weston.ini"
  # The pixman renderer: weston's GL one, on a software GL, can hang.
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM weston --backend=x11-backend.so --use-pixman --config="$work/weston.ini" \
    --socket="$WAYLAND_DISPLAY" --width=$output_w --height=$output_h >"$work/weston.log" 2>&1 &
  track $!
  poll 100 test -S "$work/$WAYLAND_DISPLAY" || { sed 's/^/  weston: /' "$work/weston.log"; fail "weston did not start"; }
  compositor=""
  for _ in $(seq 100); do
    compositor=$(xdotool search --class Weston 2>/dev/null | head -1) || true
    [ -n "$compositor" ] && break
    sleep 0.1
  done
  [ -n "$compositor" ] || fail "weston's window did not appear"
  keep compositor
  timeout 10 xdotool windowfocus --sync "$compositor" || fail "weston's window took no focus"
  poll 100 cursor_parked || fail "weston shows no plain background with its cursor in the middle"
}

# The output as shown now, and the box around all that is not background:
# "WIDTH HEIGHT X Y" (nothing while only background shows).
output_shot() { import -window "$compositor" "png:$work/output.png" 2>/dev/null; }
window_box() {
  output_shot
  convert "$work/output.png" -bordercolor "$background" -border 1 -trim -format '%w %h %X %Y' info: 2>/dev/null |
    awk '$1 > 1 { sub(/^\+/, "", $3); sub(/^\+/, "", $4); print $1, $2, $3 - 1, $4 - 1 }'
}
nothing_shown() { local w; read -r w _ < <(window_box) || return 0; [ "$w" -lt 64 ]; }
# A window shown, in the same box as a fifth of a second before (weston fades
# windows in and out).
window_settled() {
  local before="${box_w:-} ${box_h:-} ${box_x:-} ${box_y:-}"
  read -r box_w box_h box_x box_y < <(window_box) && [ "$box_w" -ge 632 ] && [ "$box_h" -ge 434 ] &&
    [ "$before" = "$box_w $box_h $box_x $box_y" ]
}

# Starts the program once no window is left on the output and waits for its
# window; keeps its box. Without Qt's wayland platform the program ends at
# once: that is a skip.
start_wayland_game() {
  poll 100 nothing_shown || fail "a window is left on the output"
  launch_game
  local settled=false
  box_w=""
  for _ in $(seq 100); do
    window_settled && { settled=true; break; }
    game_running || break
    sleep 0.2
  done
  if ! game_running; then
    grep -q 'platform plugin "wayland"' "$work/game.log" && skip "qt6-wayland is not installed"
    fail "the program ended with $(<"$work/game.rc") at start"
  fi
  if ! $settled; then
    cp "$work/output.png" "$shot_dir/e2e-wayland.png"
    fail "the main window did not appear on the output (see e2e-wayland.png)"
  fi
  echo "window at $box_x,$box_y size ${box_w}x$box_h on a ${output_w}x$output_h output"
}

# Whether the status bar's still parts (all but the numbers and the gauge)
# equal the picture, pixel for pixel, at status-bar origin sx sy.
still_parts=("0 0 92 30" "113 0 55 30" "168 0 294 12" "168 18 294 12" "463 0 88 30" "617 0 15 30")
still_parts_match() {
  local part x y w h
  for part in "${still_parts[@]}"; do
    read -r x y w h <<<"$part"
    convert "$work/output.png" -crop "${w}x$h+$((sx + x))+$((sy + y))" +repage "$work/shown.png"
    convert "$picture" -crop "${w}x$h+$x+$y" +repage "$work/wanted.png"
    compare -metric AE "$work/shown.png" "$work/wanted.png" null: 2>/dev/null || return 1
  done
}
# Finds the status bar by its left end (the first still part) in the lower
# left corner of the window's box, then checks every still part there.
status_bar_shown() {
  output_shot
  local search_x=$box_x search_y=$((box_y + box_h - 48)) found
  convert "$work/output.png" -crop "100x48+$search_x+$search_y" +repage "$work/corner.png"
  convert "$picture" -crop 92x30+0+0 +repage "$work/left.png"
  found=$(compare -metric AE -subimage-search "$work/corner.png" "$work/left.png" null: 2>&1 || true)
  [[ $found =~ ^0\ @\ ([0-9]+),([0-9]+) ]] || return 1
  sx=$((search_x + BASH_REMATCH[1])) sy=$((search_y + BASH_REMATCH[2]))
  still_parts_match
}

# A click on the window's title bar makes it the active one, which takes the keys.
activate_window() {
  xdotool mousemove $((box_x + 60)) $((box_y + 10)) click 1
  park_pointer
}

status_bar_after_start() {
  start_wayland_game
  activate_window
  xdotool key F1
  for _ in $(seq 30); do
    sleep 0.5
    status_bar_shown && { keep sx sy; return 0; }
    alive
  done
  cp "$work/output.png" "$shot_dir/e2e-wayland.png"
  fail "the status bar does not show its picture after F1 (see e2e-wayland.png)"
}

# The field's lowest rows move with the scrolling stage like the rows above
# them: repaints that landed higher up would leave them standing, but for
# the whole-window repaints Qt makes when the compositor was slow to ask for
# a frame. Hence several looks, each a light one (raw pixels of the two
# bands, compared as bytes) after a quiet moment.
band_bytes=$((632 * 18 * 3))
bands_of_shot() { import -window "$compositor" -crop "632x36+$sx+$((sy - 36))" -depth 8 "rgb:$work/$1.rgb" 2>/dev/null; }
field_bottom_rows_move() {
  local looks=0
  for _ in $(seq 30); do
    sleep 0.5
    bands_of_shot before
    sleep 0.2
    bands_of_shot after
    alive
    cmp -s -n "$band_bytes" "$work/before.rgb" "$work/after.rgb" && continue  # the rows above stood still
    if cmp -s -i "$band_bytes" "$work/before.rgb" "$work/after.rgb"; then
      output_shot
      cp "$work/output.png" "$shot_dir/e2e-wayland.png"
      fail "the field's lowest 18 rows stood still while the rows above them moved (see e2e-wayland.png)"
    fi
    looks=$((looks + 1))
    [ "$looks" -lt 5 ] || return 0
  done
  fail "the field hardly moved after F1"
}

# 2x (1264 x 868 and the frame) does not fit the 1000 x 740 output: the
# window is shown at 1x, all of it on the output.
stored_zoom_fits_the_output() {
  stop_game
  printf '[General]\nZoom=2\n' >"$XDG_CONFIG_HOME/SK98.conf"
  start_wayland_game
  [ "$box_w" -lt $((2 * 632)) ] || fail "the window is ${box_w}x$box_h: not at 1x"
  [ $((box_x + box_w)) -lt $output_w ] && [ $((box_y + box_h)) -lt $output_h ] ||
    fail "the window reaches past the output's edge"
}

scenario weston_started
scenario status_bar_after_start weston_started
scenario field_bottom_rows_move status_bar_after_start
scenario stored_zoom_fits_the_output weston_started
run_scenarios
