#!/usr/bin/env bash
# The include graph runs one way: the shell (app/) over the core (game/,
# scores/) over nothing of theirs, and sonobox (sound/) on its own. Lists
# every include that runs against it and fails if there is one.
# Usage: include_graph.sh <source root>
set -uo pipefail
cd "$1" || exit 2
found=0
# forbid <included path, as a regex> <the rule> <folders whose files must not>
forbid() {
  local pattern=$1 why=$2; shift 2
  local hits
  hits=$(grep -rnE --include='*.h' --include='*.cpp' --include='*.c' "^\s*#\s*include\s*[<\"]($pattern)" "$@" 2>/dev/null)
  if [ -n "$hits" ]; then
    echo "$why:"
    echo "$hits" | sed 's/^/  /'
    found=1
  fi
}
# Tests and benchmarks stand above everything and may measure the shell.
forbid 'app/' "only the shell, its tests and benchmarks include the shell" \
  game scores sound tools fuzz tests/game tests/scores tests/sound tests/assets
forbid 'Q[A-Za-z]*[>.]|Qt[A-Za-z]*/' "the core and sonobox are free of Qt" game scores sound
forbid 'SDL|fluidsynth' "only sonobox talks to the sound system" game scores
forbid 'sound/' "the core reaches sound through its own table, bound by the shell and the driver" game scores
forbid 'game/|scores/' "sonobox knows nothing of the game" sound
forbid 'game/|sound/' "the high-score table stands below the game" scores
exit $found
