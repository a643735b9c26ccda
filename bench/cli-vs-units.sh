#!/usr/bin/env bash
# Whole-process speed of one conversion: omnivelor-cli expressing 5 km in every length unit
# against GNU units converting 5 km to metres, run in turn (A B A B ...), medians compared.
#
#   bench/cli-vs-units.sh [PATH/TO/omnivelor-cli] [RUNS]
#
# Defaults: build/bin/omnivelor-cli and 31 runs of each. GNU units is installed when missing
# and the script runs as root. A ratio below 1 means omnivelor-cli is the faster.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"

cli=${1:-$here/../build/bin/omnivelor-cli}
runs=${2:-31}
[ -x "$cli" ] || { echo "no omnivelor-cli at $cli (build it first, or give its path)" >&2; exit 2; }
[ "$runs" -ge 15 ] 2>/dev/null || { echo "at least 15 runs, not '$runs'" >&2; exit 2; }
need_commands units:units

ours=("$cli" convert 1 km 5)
theirs=(units -t '5 km' m)

# Both must really convert, or the timing means nothing.
out=$("${ours[@]}") || { echo "${ours[*]} failed" >&2; exit 1; }
grep -q $'^metr\tm\t5000$' <<<"$out" || { echo "${ours[*]}: unexpected output" >&2; exit 1; }
[ "$("${theirs[@]}")" = 5000 ] || { echo "${theirs[*]}: unexpected output" >&2; exit 1; }

a=() b=() e=() pairs=()
for ((i = -2; i < runs; i++)); do          # two warm-up rounds are not counted
  t0=$(now_us); "${ours[@]}" >/dev/null;   t1=$(now_us)
  "${theirs[@]}" >/dev/null;               t2=$(now_us)
  /bin/true;                               t3=$(now_us)
  ((i < 0)) && continue
  a+=($((t1 - t0))) b+=($((t2 - t1))) e+=($((t3 - t2)))
  pairs+=("$(ratio $((t1 - t0)) $((t2 - t1)))")
done

row() { printf '%-34s median %8s µs   min %6s   max %6s\n' "$1" "$(median "${@:2}")" "$(minimum "${@:2}")" "$(maximum "${@:2}")"; }
echo "whole processes, $runs runs each, in turn, wall time from fork to exit"
row "A: ${ours[*]##*/}" "${a[@]}"
row "B: ${theirs[*]}" "${b[@]}"
row "an empty process (/bin/true)" "${e[@]}"
echo "A/B ratio of medians: $(ratio "$(median "${a[@]}")" "$(median "${b[@]}")")   median of pairwise ratios: $(median "${pairs[@]}")"
