#!/usr/bin/env bash
# Records the golden replays again from their driver scripts. Run it only
# together with a step of kReplayRulesVersion (game/Replay.h): the goldens
# guard the core's rules, and a change that breaks them is a new version.
# Usage: make_goldens.sh <build folder> (from anywhere)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
driver=$(cd "$1" && pwd)/bin/skarbolt_driver
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# golden name, script, which of the script's games
for entry in easy:easy:1 normal:normal:1 hard:hard:2 continue:continue:2 lap2:lap2:1; do
  IFS=: read -r name script game <<<"$entry"
  mkdir -p "$work/$name"
  "$driver" --quiet --data "$here/../../../gamedata" --replays "$work/$name" "$here/$script.txt"
  cp "$work/$name/game-$game.skr" "$here/$name.skr"
done
