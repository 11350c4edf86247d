#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/skarbolt98_<version>_<arch>.deb (install it with
# `sudo apt install ./build/skarbolt98_*.deb`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
(cd build && cpack -G DEB >/dev/null)
ls build/skarbolt98_*.deb
