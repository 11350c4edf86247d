#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all the tests: once in
# the release build, once more under AddressSanitizer and UndefinedBehavior-
# Sanitizer (with clang, which also builds and briefly runs the fuzzers).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

scripts/build.sh
ctest --test-dir build --output-on-failure

CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DSKARBOLT_SANITIZE=ON -DSKARBOLT_FUZZ=ON -DSKARBOLT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -LE "e2e|package"
