#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz and runs each for SECONDS (default 30) with a fixed seed, so a run is repeatable.
# A finding stops the script: the input is kept in build-fuzz/findings/ and belongs as a
# regression case in tests/core.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
jobs=$(nproc)
tree=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_WERROR=ON -DOV_FUZZ=ON \
  -DOV_BUILD_GUI=OFF -DOV_BUILD_BENCH=OFF >/dev/null
cmake --build "$tree" -j "$jobs" --target fuzzers

# Target: seed folders and dictionary. The loader also starts from the shipped data files.
declare -A seeds=(
  [loader]="fuzz/corpus/loader data tests/data"
  [number]="fuzz/corpus/number"
  [formats]="fuzz/corpus/formats"
  [represent]="fuzz/corpus/represent"
  [wildcard]="fuzz/corpus/wildcard"
  [quickconvert]="fuzz/corpus/quickconvert"
  [expression]="fuzz/corpus/expression"
)
declare -A dicts=([loader]=loader [number]=number [formats]=number [represent]=number [wildcard]=wildcard
                   [quickconvert]=quickconvert [expression]=expression)
declare -A maxlen=([loader]=4096)   # longer files only slow it; the lines repeat

mkdir -p "$tree/findings"
status=0
for name in loader number formats represent wildcard quickconvert expression; do
  work="$tree/corpus/$name"   # fresh each run, so a run depends on the seed alone
  rm -rf "$work"
  log="$tree/fuzz-$name.log"
  mkdir -p "$work"
  # shellcheck disable=SC2086
  if "$tree/bin/fuzz_$name" -seed=1 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len="${maxlen[$name]:-1024}" -dict="fuzz/${dicts[$name]}.dict" -print_final_stats=1 \
      -artifact_prefix="$tree/findings/$name-" "$work" ${seeds[$name]} >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cover=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "fuzz_$name: $runs executions in ${seconds} s, $cover, no finding"
  else
    echo "fuzz_$name: FINDING" >&2
    tail -n 60 "$log" >&2
    status=1
  fi
done
exit $status
