#!/usr/bin/env bash
# Records omnivelor-cli's runs of tests/core/cli/golden_test.cpp again, for an intended change
# of output (a data file fixed, a message reworded). Review the diff before committing it.
#
#   tests/core/cli/golden/regenerate.sh [BUILD_DIR]      (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
build=${1:-$root/build}
cmake --build "$build" -j2 --target omnivelor-cli cli_tests
rm -f "$here"/*.txt
OV_GOLDEN_RECORD=1 "$build/bin/cli_tests" --gtest_filter='Cli/Golden.*' --gtest_brief=1
git -C "$root" status --short -- "$here"
git -C "$root" diff --stat -- "$here"
