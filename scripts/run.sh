#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in its run-time
# folder (Data/, Wave/, BGM/), which lives outside the source tree so the
# high-score file survives rebuilds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh

rundir="${SKARBOLT_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/skarbolt98}"
mkdir -p "$rundir"
# Ship the data files; never touch the player's Data/Hi-Score.dat. An
# installed copy of the game may have left links to its own files here: the
# copies replace the links, never the files they lead to.
(cd gamedata && find . -type f ! -path ./Data/Hi-Score.dat -exec cp --parents --remove-destination {} "$rundir/" \;)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: run this from a desktop session (or set DISPLAY)."
  exit 1
fi
cd "$rundir"
exec "$OLDPWD/build/bin/skarbolt"
