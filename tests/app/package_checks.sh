#!/usr/bin/env bash
# Builds the .deb from the finished build into a private folder and runs
# lintian on it: no errors allowed.
# Usage: package_checks.sh <build folder>
set -euo pipefail

build=$(realpath "$1")
for tool in cpack lintian dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/skarbolt98_*.deb)
dpkg-deb --field "$deb" Depends Recommends
lintian --fail-on error --tag-display-limit 0 "$deb"
echo PASS
