#!/usr/bin/env bash
# Builds the Debian package omnivelor_<version>_<arch>.deb in build-package/ as a packager would:
# a Release build of what the package ships (no tests, benchmarks or fuzzers), dependencies
# computed from the binaries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DOV_BUILD_TESTS=OFF -DOV_BUILD_BENCH=OFF -DOV_FUZZ=OFF
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB)
ls -1 "$PWD"/build-package/omnivelor_*.deb
