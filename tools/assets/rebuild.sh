#!/usr/bin/env bash
# Rebuilds every asset of the game from its source: pictures (res/), stage
# maps (gamedata/Data/), the contact sheet (docs/assets.png), sound effects
# (gamedata/Wave/) and music (gamedata/BGM/). Needs only Python 3. Runs from
# the repository root whatever the current directory.
set -euo pipefail
cd "$(dirname "$0")/../.."
export PYTHONDONTWRITEBYTECODE=1

python3 tools/assets/test_generators.py --quiet
python3 tools/assets/pictures.py
python3 tools/assets/maps.py
python3 tools/assets/contact_sheet.py
python3 tools/assets/desktop_icons.py
for script in sounds.py music.py; do
  if [ -f "tools/assets/$script" ]; then
    python3 "tools/assets/$script"
  else
    echo "rebuild.sh: tools/assets/$script is not there yet; skipped" >&2
  fi
done
