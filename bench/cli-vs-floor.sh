#!/usr/bin/env bash
# Whole-process speed of one conversion against the floor of any process: omnivelor-cli
# expressing 5 km in every length unit against a statically linked C program that does
# nothing (built here), run in turn (A B A B ...), medians compared.
#
#   bench/cli-vs-floor.sh [PATH/TO/omnivelor-cli] [RUNS]
#
# Defaults: build/bin/omnivelor-cli and 51 runs of each. Needs a C compiler and the static C
# library (libc6-dev). The ratio says how many empty processes one conversion costs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"
source "$here/pairs.sh"

cli_arguments "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tool=$(build_pairtime "$work")
printf 'int main(void) { return 0; }\n' >"$work/floor.c"
cc -O2 -static -o "$work/floor" "$work/floor.c" ||
  { echo "cannot link a static program (is libc6-dev installed?)" >&2; exit 1; }

ours=("$cli" convert 1 km 5)
out=$("${ours[@]}") || { echo "${ours[*]} failed" >&2; exit 1; }
grep -q $'^metr\tm\t5000$' <<<"$out" || { echo "${ours[*]}: unexpected output" >&2; exit 1; }

pair_compare "$tool" "$runs" "${ours[*]##*/}" "a static empty program" "${ours[@]}" --vs "$work/floor"
