#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DOV_WERROR=ON
cmake --build build -j "$(nproc)" --target omnivelor
exec build/bin/omnivelor "$@"
