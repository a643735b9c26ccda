#!/usr/bin/env bash
# Whole-process speed of one conversion: omnivelor-cli expressing 5 km in every length unit
# against GNU units converting 5 km to metres, run in turn (A B A B ...), medians compared.
#
#   bench/cli-vs-units.sh [PATH/TO/omnivelor-cli] [RUNS]
#
# Defaults: build/bin/omnivelor-cli and 51 runs of each. GNU units is installed when missing
# and the script runs as root. A ratio below 1 means omnivelor-cli is the faster.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"
source "$here/pairs.sh"

cli_arguments "$@"
need_commands units:units

ours=("$cli" convert 1 km 5)
theirs=(units -t '5 km' m)

# Both must really convert, or the timing means nothing.
out=$("${ours[@]}") || { echo "${ours[*]} failed" >&2; exit 1; }
grep -q $'^metr\tm\t5000$' <<<"$out" || { echo "${ours[*]}: unexpected output" >&2; exit 1; }
[ "$("${theirs[@]}")" = 5000 ] || { echo "${theirs[*]}: unexpected output" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tool=$(build_pairtime "$work")
pair_compare "$tool" "$runs" "${ours[*]##*/}" "${theirs[*]}" "${ours[@]}" --vs "${theirs[@]}"
