#!/usr/bin/env bash
# Builds everything and runs every test: the full build as a packager builds it (Release), then
# the core and the window tests again as a Debug build under AddressSanitizer and
# UndefinedBehaviorSanitizer (leaks inside Qt and the system libraries are listed in tests/lsan.supp).
# Warnings are errors in both. Last, every fuzz target runs for 30 seconds with a fixed seed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DOV_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DOV_WERROR=ON -DOV_SANITIZE=ON -DOV_BUILD_GUI=ON -DOV_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

scripts/fuzz.sh 30
