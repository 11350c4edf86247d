#!/usr/bin/env bash
# Builds the .deb from the finished build into a private folder and runs
# lintian on it: no errors allowed.
# Usage: package_checks.sh <build folder>
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

build=$(realpath "$1")
need_tools cpack lintian dpkg-shlibdeps

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/skarbolt98_*.deb)
dpkg-deb --field "$deb" Depends Recommends
lintian --fail-on error --tag-display-limit 0 "$deb"
echo PASS
