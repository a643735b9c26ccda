# Shared by the command-line benchmarks: two commands run in turn (A B A B ...) by pairtime.c,
# their wall and CPU times (microseconds, from wait4) as medians and ratios.

# cli_arguments [PATH/TO/omnivelor-cli] [RUNS]: sets cli and runs (default 51, at least 15), or
# ends the script with a usage error.
cli_arguments() {
  cli=${1:-$here/../build/bin/omnivelor-cli}
  runs=${2:-51}
  [ -x "$cli" ] || { echo "no omnivelor-cli at $cli (build it first, or give its path)" >&2; exit 2; }
  [ "$runs" -ge 15 ] 2>/dev/null || { echo "at least 15 runs, not '$runs'" >&2; exit 2; }
}

# Compiles pairtime.c into the folder given; prints its path.
build_pairtime() {
  need_commands cc:gcc
  cc -O2 -o "$1/pairtime" "$here/pairtime.c" || { echo "cannot compile $here/pairtime.c" >&2; return 1; }
  echo "$1/pairtime"
}

# pair_compare PAIRTIME RUNS LABEL_A LABEL_B COMMAND_A ... --vs COMMAND_B ...
# Two uncounted rounds first. Prints the medians (min, max) of each and the A/B ratios: of the
# medians and the median of the pairwise ratios, for wall and for CPU time.
pair_compare() {
  local tool=$1 runs=$2 la=$3 lb=$4
  shift 4
  local out wa=() ca=() wb=() cb=() rw=() rc=() w1 c1 w2 c2
  out=$("$tool" "$runs" 2 "$@") || return 1
  while read -r w1 c1 w2 c2; do
    wa+=("$w1") ca+=("$c1") wb+=("$w2") cb+=("$c2")
    rw+=("$(ratio "$w1" "$w2")") rc+=("$(ratio "$c1" "$c2")")
  done <<<"$out"
  row() { printf '%-36s median %7s µs   min %6s   max %6s\n' "$1" "$(median "${@:2}")" "$(minimum "${@:2}")" "$(maximum "${@:2}")"; }
  echo "whole processes, $runs runs each, in turn; wall from fork to exit, CPU = user + system"
  row "A: $la, wall" "${wa[@]}"
  row "A: $la, CPU" "${ca[@]}"
  row "B: $lb, wall" "${wb[@]}"
  row "B: $lb, CPU" "${cb[@]}"
  echo "A/B wall: ratio of medians $(ratio "$(median "${wa[@]}")" "$(median "${wb[@]}")")   median of pairwise ratios $(median "${rw[@]}")"
  echo "A/B CPU:  ratio of medians $(ratio "$(median "${ca[@]}")" "$(median "${cb[@]}")")   median of pairwise ratios $(median "${rc[@]}")"
  echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
}
