#!/usr/bin/env bash
# End-to-end run of the real program under a private X server: start, play
# with keys and the mouse, continue after a game over, refuse a second copy,
# check that the cursor stays in the window, that the menu keys reach the game
# after a dialog and from the name entry, quit with F9 and check what the quit
# wrote, that the environment's language reaches the windows, that a stored
# zoom too large for the screen falls back to one that fits; then, under a
# window manager, that windows sit where they are centred and that its close
# (Alt+F4) and SIGTERM save as F9 does and end the program; last, full screen
# fitted to two handheld-sized screens.
# Each check is a scenario that reports on its own (helpers in e2e_lib.sh).
# Every wait is bounded; everything started here is stopped on exit.
# Usage: e2e.sh <skarbolt binary> <gamedata folder>
#        e2e.sh <installed skarbolt binary> --installed
# The second form starts the program in an empty folder, so that it plays
# from the per-user folder with the data installed beside it.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "$1")
installed=false
[ "$2" = --installed ] && installed=true
shot_dir=$(dirname "$bin")
need_tools "${e2e_tools[@]}"
start_xvfb

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

export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" SDL_AUDIODRIVER=dummy SONOBOX_NO_DIALOGS=1 \
  QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work" SKARBOLT_LOCK_DIR="$work"
cd "$work/run"

main_window_placed() {
  need_game_on_title
  check_main_placed "without a window manager"
  echo "window at $X,$Y size ${WIDTH}x$HEIGHT (menu bar $menu)"
  [ "$WIDTH" -eq 632 ] || fail "window width $WIDTH, expected 632"
}

# A second copy ends at once with exit code 1 and opens no window.
second_copy_refused() {
  need_game_on_title
  set +e
  timeout 10 "$bin" >/dev/null 2>&1
  local second=$?
  set -e
  [ "$second" -eq 1 ] || fail "second copy ended with $second, expected 1"
  local windows
  windows=$(xdotool search --onlyvisible --name '^Skarbolt 98$' | wc -l)
  [ "$windows" -eq 1 ] || fail "$windows main windows after the second start"
}

title_moves() {
  need_game_on_title
  moving || fail "the title does not move"
}

# The first start cuts the SoundFont down to the tunes' presets in the
# background; the next start uses that subset and leaves it as it is.
tune_soundfont_cached() {
  [ -f /usr/share/sounds/sf2/default-GM.sf2 ] || skip "no General MIDI SoundFont installed"
  need_game_on_title
  local subset="$work/cache/SK98/tunes.sf2"
  poll 200 test -s "$work/cache/SK98/tunes.stamp" || fail "no SoundFont subset in the cache after 20 s"
  local made
  made=$(stat -c %i.%.9Y "$subset")
  stop_game
  start_game
  sleep 3
  [ "$(stat -c %i.%.9Y "$subset")" = "$made" ] || fail "the subset was made again though nothing changed"
  ! grep -q "SoundFont" "$work/game.log" || fail "the program reported: $(grep SoundFont "$work/game.log")"
}

# After the version dialog closes the keys reach the game again, wherever the
# pointer is.
keys_reach_game_after_dialogs() {
  need_game_on_title
  xdotool key F7
  local about
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
}

# F1 starts a stage, F3 pauses it; the stage stays paused for the next scenarios.
pause_stops_drawing() {
  need_game_on_title
  leave_title
  xdotool key F1
  sleep 1
  alive
  xdotool key F3
  still || fail "the paused game still draws"
}

# The paused frame as put straight on the window equals the same frame
# repainted through the widget once the window is unmapped and mapped again.
paused_frame_repaints() {
  snap 0 0 632 400 direct
  xdotool windowunmap --sync "$wid"
  xdotool windowmap --sync "$wid"
  timeout 10 xdotool windowfocus --sync "$wid" || true
  sleep 0.5
  snap 0 0 632 400 repainted
  convert "$work/direct.png" "rgb:$work/direct.rgb"
  convert "$work/repainted.png" "rgb:$work/repainted.rgb"
  cmp -s "$work/direct.rgb" "$work/repainted.rgb" || fail "the frame shown differs from its repaint"
}

# The cursor is held inside the window during a stage, paused or not: the
# outer rectangle less 4 pixels left and right, 22 at the top, 34 at the bottom.
pointer_inside() {
  [ "$px" -ge $((X + 4)) ] && [ "$px" -lt $((X + WIDTH - 4)) ] &&
    [ "$py" -ge $((Y + 22)) ] && [ "$py" -lt $((Y + HEIGHT - 34)) ]
}
# Relative pushes meet the barriers; absolute moves (tablets, remote
# desktops) jump them and are pulled back.
cursor_held_in_window() {
  local push px py
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
}

# F3 resumes the paused stage. Fly and fire for a while, with a screenshot in
# the middle of it, until the name entry opens (clicks would land on it);
# then park the ship in the enemies' way until the game is over and the name
# entry opens (bounded).
game_over_opens_name_entry() {
  xdotool key F3
  for i in $(seq 40); do
    [ -n "$(entry_open)" ] && break
    at $((60 + (i * 37) % 400)) $((40 + (i * 53) % 320))
    xdotool click 1
    [ $((i % 5)) -eq 0 ] && xdotool click 3
    [ "$i" -eq 20 ] && import -window "$wid" "$shot_dir/e2e-play.png"
    sleep 0.1
  done
  alive
  at 560 180
  entry=""
  local deadline=$((SECONDS + 60))
  while [ $SECONDS -lt $deadline ] && [ -z "$entry" ]; do
    entry=$(entry_open) || true
    sleep 1
  done
  [ -n "$entry" ] || fail "no game over with a name entry within a minute"
  keep entry
  import -window "$wid" "$shot_dir/e2e-later.png"
}

# The entry has the keyboard: Esc leaves it open, the menu keys act on the game.
name_entry_passes_menu_keys() {
  xdotool windowfocus --sync "$entry" || fail "the name entry took no focus"
  xdotool key Escape
  sleep 0.5
  [ -n "$(entry_open)" ] || fail "Esc closed the name entry"
  xdotool key F3
  still || fail "F3 from the name entry did not pause the game"
  xdotool key F3
}

# A double-click beside the entry continues; the entry stays open.
double_click_continues() {
  xdotool windowfocus --sync "$wid" || true
  at 100 100
  xdotool click --repeat 2 --delay 80 1
  sleep 0.5
  alive
}

# The table and the settings as they stand, so that what a way out writes shows.
mark_saves() {
  touch -d @0 "$scores"
  rm -f "$work/config/SK98.conf"
}
check_saved() {
  [ "$(stat -c %Y "$scores")" -gt 0 ] || fail "$1 wrote no $scores"
  local lines key
  lines=$(wc -l <"$scores")
  [ "$lines" -eq 10 ] || fail "$scores has $lines lines after $1"
  for key in MidiOut WaveOut MouseLock Difficult; do
    grep -q "^$key=" "$work/config/SK98.conf" || fail "$key was not written to the settings by $1"
  done
}

# F9 from the entry saves and ends the program.
f9_from_name_entry_saves_and_quits() {
  xdotool windowfocus --sync "$entry" || fail "the name entry took no focus"
  mark_saves
  quit_with_f9 "from the name entry"
  check_saved F9
}

# A stored zoom whose window would not fit the screen (2x: 1264 x 868 and
# the menu bar on 1024 x 768) shows the largest that fits, 1x.
stored_zoom_fits_the_screen() {
  stop_game
  export XDG_CONFIG_HOME="$work/zoom-config"
  mkdir -p "$XDG_CONFIG_HOME"
  printf '[General]\nZoom=2\n' >"$XDG_CONFIG_HOME/SK98.conf"
  start_game
  [ "$WIDTH" -eq 632 ] && [ "$HEIGHT" -lt 868 ] || fail "window ${WIDTH}x$HEIGHT at a stored 2x zoom, expected 1x"
  [ $((X + WIDTH)) -le "$screen_w" ] && [ $((Y + HEIGHT)) -le "$screen_h" ] || fail "window at $X,$Y reaches past the screen"
  stop_game
}

window_manager_runs() {
  command -v openbox >/dev/null || skip "openbox is not installed: nothing checked under a window manager"
  stop_game
  openbox >"$work/openbox.log" 2>&1 &
  track $!
  # xdotool's window activation needs the manager to list _NET_ACTIVE_WINDOW
  # among what it supports; a loaded machine may take seconds to get there.
  local _
  for _ in $(seq 300); do xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break; sleep 0.1; done
  xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW || fail "openbox did not come up within 30 s"
  sleep 1  # the manager announces itself before it manages new windows
}

# A game played in the window leaves Replays/last.skr; watched from the list
# at 4x it stops on its last picture with the score the played game ended
# with. F9 keeps its replay for the record it entered, and both files verify
# without a display. Every key whose effect shows is pressed again until it
# shows (bounded): a busy machine may hand a key to a window still opening.
replay_watched_at_4x() {
  need_game_on_title
  leave_title
  xdotool key F1
  for i in $(seq 30); do
    [ -n "$(entry_open)" ] && break
    at $((60 + (i * 37) % 400)) $((40 + (i * 53) % 320))
    xdotool click 1
    sleep 0.1
  done
  at 560 180
  local entry="" deadline=$((SECONDS + 120))
  while [ $SECONDS -lt $deadline ] && [ -z "$entry" ]; do entry=$(entry_open) || true; sleep 1; done
  [ -n "$entry" ] || fail "no game over within two minutes"
  # Shots still in flight may score; then the score stands.
  settled 540 404 92 30 played || fail "the score did not settle after the game over"
  xdotool windowfocus --sync "$entry" || fail "the name entry took no focus"
  xdotool type Watcher
  for _ in 1 2 3; do xdotool key Return; gone "A New Record !" 50 && break; done
  gone "A New Record !" 1 || fail "the name entry stayed open"
  timeout 10 xdotool windowfocus --sync "$wid" || true
  # The title's status bar shows no score.
  for _ in 1 2 3; do xdotool key F2; poll 30 differs 540 404 92 30 played && break; done
  differs 540 404 92 30 played || fail "F2 did not return to the title"
  local replays
  replays=$(dirname "$(dirname "$scores")")/Replays  # beside Data/, where the game plays
  [ -s "$replays/last.skr" ] || fail "no Replays/last.skr after the game"
  for _ in 1 2 3; do
    xdotool key alt+g
    poll 50 menu_open && xdotool key l
    poll 50 titled "リプレイ" && break
    xdotool key Escape  # a menu that opened too late for the l
  done
  titled "リプレイ" || fail "リプレイ... opened no list"
  for _ in 1 2 3; do xdotool key Return; poll 50 untitled "リプレイ" && break; done
  untitled "リプレイ" || fail "the list stayed open"
  timeout 10 xdotool windowfocus --sync "$wid" || true
  xdotool key 4
  # At its end the replay holds its last picture; up to two minutes and a
  # half, enough for the whole game at 1x.
  settled 0 0 632 400 watched_field 300 || fail "the replay did not come to its end"
  snap 540 404 92 30 watched
  convert "$work/played.png" "rgb:$work/played.rgb"
  convert "$work/watched.png" "rgb:$work/watched.rgb"
  cmp -s "$work/played.rgb" "$work/watched.rgb" || {
    cp "$work/played.png" "$shot_dir/e2e-score-played.png"; cp "$work/watched.png" "$shot_dir/e2e-score-watched.png"
    fail "the replay ended with another score than the game (e2e-score-*.png)"
  }
  import -window "$wid" "$shot_dir/e2e-replay.png"
  local back=false
  for _ in 1 2 3; do xdotool key Escape; moving && { back=true; break; }; done
  $back || fail "Esc did not return to the title"
  quit_with_f9 "after watching a replay"
  local kept
  kept=$(awk '$4 ~ /^kept-/ {print $4; exit}' "$replays/index.txt" 2>/dev/null)
  [ -n "$kept" ] || fail "F9 kept no replay for the record"
  for file in "$replays/last.skr" "$replays/$kept"; do
    env -u DISPLAY "$bin" --verify-replay "$file" >/dev/null 2>"$work/verify.err" ||
      fail "$file does not verify: $(cat "$work/verify.err")"
  done
}

# The player's languages choose the windows' language: English under an
# English environment (the settings dialog's caption says so), the original
# Japanese under a Japanese one.
# Only the program gets them: the tools here keep a locale they can use. A
# machine without the ja_JP.UTF-8 locale gets its windows' WM_NAME garbled,
# so the titles are read as the window managers read them (_NET_WM_NAME).
titled() {
  local w
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && return 0
  done
  return 1
}
untitled() { ! titled "$1"; }
speaks_the_players_language() {
  stop_game
  leave_title
  local game=$bin env language lang title
  bin="$work/game_in_language"
  for env in "LANGUAGE=en_US:en LANG=en_US.UTF-8 Settings" "LANGUAGE= LANG=ja_JP.UTF-8 詳細設定"; do
    read -r language lang title <<<"$env"
    printf '#!/bin/sh\nexec env -u LC_ALL %s %s "%s"\n' "$language" "$lang" "$game" >"$bin"
    chmod +x "$bin"
    start_game
    xdotool key F5
    poll 100 titled "$title" || fail "F5 opened no dialog titled $title under $language $lang"
    xdotool key Escape
    poll 50 untitled "$title" || fail "Esc did not close $title"
    stop_game
  done
}

# Under a window manager: frames land where they are centred, the dialogs'
# at their first opening too, and the keys reach the game after a dialog.
placement_under_window_manager() {
  start_game
  sleep 0.5
  check_main_placed "under a window manager"
  local key_title key title dialog
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
}

# The window manager gives the window a close action whatever its hints say.
# Alt+F4 closes the window the manager holds active: wait until that is ours.
alt_f4_saves_and_ends() {
  need_game_on_title
  timeout 10 xdotool windowactivate --sync "$wid" || fail "the window manager did not activate the main window"
  mark_saves
  xdotool key alt+F4
  ended_with_0 "Alt+F4 (active window $(xdotool getactivewindow 2>/dev/null || echo none), ours $wid)"
  check_saved Alt+F4
}

sigterm_saves_and_ends() {
  need_game_on_title
  mark_saves
  kill -TERM "$(<"$work/game.pid")"
  ended_with_0 SIGTERM
  check_saved SIGTERM
}

# Full screen fitted to 1280 x 800 and 1366 x 768 screens: the picture
# fills the height, centred between black bars, with no menu bar over it;
# F10 brings the bar over the picture and Esc takes it away again.
full_screen_fits() {
  stop_game
  local size w h left right
  for size in 1280x800 1366x768; do
    IFS=x read -r w h <<<"$size"
    start_xvfb "$size"
    printf '[General]\nZoom=4\nFullScreenScaling=2\n' >"$work/config/SK98.conf"
    start_game
    [ "$WIDTH,$HEIGHT" = "$w,$h" ] || fail "the full screen window is ${WIDTH}x$HEIGHT on $size"
    xdotool key F1
    sleep 1
    xdotool key F3
    sleep 0.5
    import -window root "$shot_dir/e2e-fit-$size.png"
    left=$(((w - 632 * h / 434) / 2)) right=$(((w + 632 * h / 434) / 2))
    darkest "$shot_dir/e2e-fit-$size.png" 1x$h+$((left - 3))+0 || fail "no black bar left of the picture on $size"
    darkest "$shot_dir/e2e-fit-$size.png" $((left - 2))x30+0+0 || fail "a menu bar over the picture on $size"
    ! darkest "$shot_dir/e2e-fit-$size.png" $((right - left - 20))x1+$((left + 10))+0 ||
      fail "the picture does not reach the top on $size"
    ! darkest "$shot_dir/e2e-fit-$size.png" $((right - left - 20))x1+$((left + 10))+$((h - 2)) ||
      fail "the picture does not reach the bottom on $size"
    xdotool key F10
    sleep 0.5
    import -window root "$work/bar.png"
    ! darkest "$work/bar.png" $((left - 2))x10+0+3 || fail "F10 brought no menu bar on $size"
    xdotool key Escape
    sleep 0.5
    quit_with_f9 "from full screen on $size"
    stop_process "$xvfb_pid"
  done
  rm -f "$work/config/SK98.conf"
}
# True when a part of a picture (WxH+X+Y) is black throughout.
darkest() { [ "$(convert "$1" -crop "$2" +repage -format '%[fx:maxima]' info:)" = 0 ]; }

scenario main_window_placed
scenario second_copy_refused
scenario title_moves
scenario tune_soundfont_cached
scenario keys_reach_game_after_dialogs
scenario pause_stops_drawing
scenario paused_frame_repaints pause_stops_drawing
scenario cursor_held_in_window pause_stops_drawing
scenario game_over_opens_name_entry pause_stops_drawing
scenario name_entry_passes_menu_keys game_over_opens_name_entry
scenario double_click_continues name_entry_passes_menu_keys
scenario f9_from_name_entry_saves_and_quits double_click_continues
scenario replay_watched_at_4x
scenario speaks_the_players_language
scenario stored_zoom_fits_the_screen
scenario window_manager_runs
scenario placement_under_window_manager window_manager_runs
scenario alt_f4_saves_and_ends window_manager_runs
scenario sigterm_saves_and_ends window_manager_runs
scenario full_screen_fits
run_scenarios
