#!/usr/bin/env bash
# Whole-process figures of the real program under a private X server, side by
# side with a reference game (Debian's starfighter, installed here if missing):
# CPU over a stretch of seconds on the title screen, in play and paused (from
# /proc/<pid>/task/*/stat utime+stime: whole process, split into the UI
# thread, SDL's audio threads, Qt's pooled threads and the rest, with the X
# server's CPU over the same stretch beside it), peak memory
# (VmHWM) with music playing, the proportional memory when paused (anonymous,
# file-backed, shared), the ten largest resident mappings in play with music,
# and the time from start to the first title frame on screen (polled from the
# screen; the figure is an upper bound).
# The game runs once before the measured run with the same private cache
# folder, so what it makes at a first start is there (and timed) as a player's
# later starts find it.
# Usage: bench/process_bench.sh [skarbolt binary] [gamedata folder] [seconds]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(realpath "${1:-$root/build/bin/skarbolt}")
gamedata=$(realpath "${2:-$root/gamedata}")
seconds=${3:-20}
for tool in Xvfb xdotool import convert timeout; do
  command -v "$tool" >/dev/null || { echo "$tool is needed (scripts/deps.sh installs it)"; exit 1; }
done
reference=/usr/games/starfighter
if [ ! -x "$reference" ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends starfighter >/dev/null || true
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br 3>"$work/display" 2>/dev/null &
xserver=$!
pids+=("$xserver")
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
hz=$(getconf CLK_TCK)

ticks() { awk '{print $14 + $15}' "$1"; }
# One line per thread of process $1: "tid ticks group", where the group is
# UI (the main thread), audio (SDL's audio threads), pool (Qt's thread pool)
# or other.
threads() {
  local pid=$1 task tid name group
  for task in /proc/"$pid"/task/*; do
    tid=${task##*/}
    name=$(cat "$task/comm" 2>/dev/null) || continue
    case "$name" in
      SDLAudio*) group=audio ;;
      "Thread (pooled)") group=pool ;;
      *) group=other ;;
    esac
    [ "$tid" = "$pid" ] && group=UI
    echo "$tid $(ticks "$task/stat" 2>/dev/null || echo 0) $group"
  done
}
# Percent of one core used by process $1 over $seconds, then the same split
# by thread group and the X server's share over the same stretch.
cpu() {
  local pid=$1 a b xa xb
  a=$(threads "$pid"); xa=$(ticks "/proc/$xserver/stat")
  sleep "$seconds"
  b=$(threads "$pid"); xb=$(ticks "/proc/$xserver/stat")
  awk -v hz="$hz" -v s="$seconds" -v x=$((xb - xa)) '
    function pct(t) { return 100 * t / hz / s }
    FNR == NR { before[$1] = $2; next }
    { used = $2 - before[$1]; total += used; group[$3] += used }
    END {
      printf "%5.2f%% [UI %.2f, audio %.2f, pool %.2f, other %.2f; X server %.2f]",
        pct(total), pct(group["UI"]), pct(group["audio"]), pct(group["pool"]), pct(group["other"]), pct(x)
    }' <(echo "$a") <(echo "$b")
}
peak() { awk '/VmHWM/ { printf "%.1f MB", $2 / 1024 }' "/proc/$1/status"; }
# Proportional resident memory now, split into anonymous (heap, decoded
# pictures, sample buffers), file-backed (code, fonts, mapped files) and
# shared memory (X shared-memory images); then the whole resident set, which
# other programs sharing the same libraries do not lower.
resident() {
  awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } /^Pss_Anon:/ { a = $2 } /^Pss_File:/ { f = $2 } /^Pss_Shmem:/ { m = $2 }
       END { printf "Pss %.1f MB [anon %.1f, file %.1f, shmem %.1f], Rss %.1f", p / 1024, a / 1024, f / 1024, m / 1024, r / 1024 }' \
    "/proc/$1/smaps_rollup"
}
# The ten mappings of process $1 with the most resident memory, as one
# "name Rss/Pss MB" per line: libraries and fonts by file name, the heap, the
# unnamed anonymous memory together, X's shared-memory segments by key.
# (awk, not head, keeps the ten: head would close the pipe early, and
# pipefail would end the script.)
mappings() {
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / {
      name = NF >= 6 ? $6 : "[anon]"
      for (i = 7; i <= NF; i++) name = name " " $i
      sub(/.*\//, "", name); sub(/ \(deleted\)$/, "", name)
      next
    }
    /^Rss:/ { rss[name] += $2 }
    /^Pss:/ { pss[name] += $2 }
    END { for (n in rss) printf "%d %.1f/%.1f %s\n", rss[n], rss[n] / 1024, pss[n] / 1024, n }' \
    "/proc/$1/smaps" | sort -rn | awk 'NR <= 10' | cut -d' ' -f2-
}
now() { date +%s.%N; }
# Ends a process: politely, then for sure.
stop() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null || true
}
# Mean brightness (0..1) of a screen rectangle WxH+X+Y.
brightness() { import -window root -crop "$1" +repage png:- 2>/dev/null | convert png:- -format '%[fx:mean]' info: 2>/dev/null || echo 0; }
# Seconds from $1 until the rectangle $2 shows a picture (bounded by 10 s).
first_picture() {
  local start=$1 area=$2 deadline=$((SECONDS + 10))
  while [ $SECONDS -lt $deadline ]; do
    if awk -v b="$(brightness "$area")" 'BEGIN { exit !(b > 0.05) }'; then
      awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f s", b - a }'
      return
    fi
  done
  echo "n/a"
}

# --- Skarbolt 98 ------------------------------------------------------------
mkdir -p "$work/run" "$work/config" "$work/cache"
cp -r "$gamedata/." "$work/run/"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" XDG_CACHE_HOME="$work/cache" SKARBOLT_LOCK_DIR="$work"
start_game() {
  (cd "$work/run" && SDL_AUDIODRIVER=dummy exec "$bin" >"$work/game.log" 2>&1) &
  pid=$!
  pids+=("$pid")
}
# The first start: what it puts into the cache is ready once the cache has
# stood unchanged for a second (at most 20 s).
start_game
first_start=$(first_picture "$(now)" "400x60+312+330")
last="" deadline=$((SECONDS + 20))
while [ $SECONDS -lt $deadline ]; do
  sleep 1
  listing=$(ls -lR --time-style=+%s.%N "$work/cache" 2>/dev/null)
  [ -n "$listing" ] && [ "$listing" = "$last" ] && [ -z "$(find "$work/cache" -name '*.part*')" ] && break
  last=$listing
done
stop "$pid"

start_game
start=$(now)
# The window is centred: the title's logo band lies in the middle of it.
ours_start=$(first_picture "$start" "400x60+312+330")
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Skarbolt 98$' | head -1) || true
if [ -z "$wid" ]; then
  echo "the program showed no window (a copy of it already running ends a new one at once)"
  cat "$work/game.log"
  exit 1
fi
timeout 10 xdotool windowfocus --sync "$wid"
sleep 1
ours_title=$(cpu "$pid")
xdotool key F1
sleep 1
xdotool mousemove --window "$wid" 200 200
ours_play=$(cpu "$pid")
ours_mappings=$(mappings "$pid")
xdotool key F3
sleep 1
ours_paused=$(cpu "$pid")
ours_peak=$(peak "$pid")
ours_resident=$(resident "$pid")
stop "$pid"

# --- Reference ----------------------------------------------------------------
ref_title="n/a" ref_play="n/a" ref_paused="n/a" ref_peak="n/a" ref_resident="n/a" ref_start="n/a" ref_mappings=""
if [ -x "$reference" ]; then
  mkdir -p "$work/home"
  HOME="$work/home" SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 SDL_AUDIODRIVER=dummy \
    "$reference" >"$work/reference.log" 2>&1 &
  rpid=$!
  start=$(now)
  pids+=("$rpid")
  ref_start=$(first_picture "$start" "400x60+312+330")
  rwid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Starfighter' | head -1)
  timeout 10 xdotool windowfocus --sync "$rwid" || true
  sleep 6
  xdotool key Return   # the intro gives way to the title menu
  sleep 2
  ref_title=$(cpu "$rpid")
  # Start new game, start game, skip the intro, leave the briefing.
  for key in Return Return Escape Return; do xdotool key "$key"; sleep 2; done
  ref_play=$(cpu "$rpid")
  ref_mappings=$(mappings "$rpid")
  xdotool key p
  sleep 1
  ref_paused=$(cpu "$rpid")
  ref_peak=$(peak "$rpid")
  ref_resident=$(resident "$rpid")
  stop "$rpid"
fi

printf '%-24s %-70s %s\n' "over $seconds s" "Skarbolt 98" "reference (starfighter)"
printf '%-24s %-70s %s\n' "CPU, title screen" "$ours_title" "$ref_title"
printf '%-24s %-70s %s\n' "CPU, in play" "$ours_play" "$ref_play"
printf '%-24s %-70s %s\n' "CPU, paused" "$ours_paused" "$ref_paused"
printf '%-24s %-70s %s\n' "peak memory (VmHWM)" "$ours_peak" "$ref_peak"
printf '%-24s %-70s %s\n' "resident when paused" "$ours_resident" "$ref_resident"
printf '%-24s %-70s %s\n' "start to first picture" "$ours_start" "$ref_start"
printf '%-24s %-70s %s\n' "first start" "$first_start" ""
# The largest mappings side by side, Rss/Pss in MB.
paste -d'\t' <(echo "$ours_mappings") <(echo "$ref_mappings") |
  awk -F'\t' '{ printf "%-24s %-70s %s\n", NR == 1 ? "largest mappings in play" : "", $1, $2 }'
