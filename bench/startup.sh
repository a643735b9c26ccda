#!/usr/bin/env bash
# Start-up time of the window: from starting the program to its main window being mapped,
# under a private Xvfb, omnivelor against the bare Qt window built from bench/bare-window,
# run in turn (A B A B ...), medians compared; and the memory each holds once started: its
# resident set half a second after the map, when the first paint and whatever the program
# put off until after it are done.
#
#   bench/startup.sh [PATH/TO/omnivelor] [PATH/TO/bare-window] [RUNS]
#
# Defaults: build/bin/omnivelor, build/bin/bare-window and 15 runs of each. The main window
# is the first window mapped on the root window whose preferred type is normal (omnivelor's
# splash window comes before it and is not counted); the X server reports each map as it
# happens, so nothing polls. Settings go to a temporary home that the first, uncounted run fills.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/timing.sh"

app=${1:-$here/../build/bin/omnivelor}
bare=${2:-$here/../build/bin/bare-window}
runs=${3:-15}
for p in "$app" "$bare"; do
  [ -x "$p" ] || { echo "no program at $p (build it first, or give its path)" >&2; exit 2; }
done
[ "$runs" -ge 15 ] 2>/dev/null || { echo "at least 15 runs, not '$runs'" >&2; exit 2; }
need_commands Xvfb:xvfb xev:x11-utils xprop:x11-utils stdbuf:coreutils

work=$(mktemp -d)
xvfb_pid= xev_pid=
cleanup() {
  [ -n "$xev_pid" ] && kill "$xev_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; Xvfb writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# Every map of a top-level window, as one line each, the moment the server reports it.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
xev_pid=$XEV_PID
sleep 0.3

drain() { local line; while IFS= read -r -t 0.3 -u "${XEV[0]}" line; do :; done; }

# Microseconds from starting the program to its first normal window being mapped, then its
# resident memory in KiB once it has settled.
startup_us() {
  local t0 t line win pid type rss
  drain
  t0=$(now_us)
  "$1" >/dev/null 2>&1 &
  pid=$!
  while IFS= read -r -t 30 -u "${XEV[0]}" line; do
    [[ $line == MapNotify* ]] || continue
    t=$(now_us)
    IFS= read -r -t 5 -u "${XEV[0]}" line
    win=${line##*window }; win=${win%%,*}
    type=$(xprop -id "$win" _NET_WM_WINDOW_TYPE 2>/dev/null || true)
    [[ $type == *"= _NET_WM_WINDOW_TYPE_NORMAL"* ]] || continue   # its first, preferred type
    sleep 0.5
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    echo "$((t - t0)) ${rss:-0}"
    return 0
  done
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  echo "$1: no main window within 30 s" >&2
  return 1
}

a=() b=() pairs=() ma=() mb=()
for ((i = -1; i < runs; i++)); do          # the first round is not counted
  ra=$(startup_us "$app")
  rb=$(startup_us "$bare")
  ta=${ra% *} ka=${ra#* } tb=${rb% *} kb=${rb#* }
  ((i < 0)) && continue
  a+=("$ta") b+=("$tb") pairs+=("$(ratio "$ta" "$tb")") ma+=("$ka") mb+=("$kb")
done

row() { printf '%-34s median %8s %s   min %7s   max %7s\n' "$1" "$(median "${@:3}")" "$2" "$(minimum "${@:3}")" "$(maximum "${@:3}")"; }
echo "start-up to the mapped main window under Xvfb, $runs runs each, in turn"
row "A: ${app##*/}" µs "${a[@]}"
row "B: ${bare##*/}" µs "${b[@]}"
echo "A/B ratio of medians: $(ratio "$(median "${a[@]}")" "$(median "${b[@]}")")   median of pairwise ratios: $(median "${pairs[@]}")"
echo "resident memory 0.5 s after the map"
row "A: ${app##*/}" KiB "${ma[@]}"
row "B: ${bare##*/}" KiB "${mb[@]}"
mA=$(median "${ma[@]}") mB=$(median "${mb[@]}")
awk -v a="$mA" -v b="$mB" 'BEGIN { printf "A/B ratio of medians: %.3f   A - B: %.1f MiB\n", (b > 0 ? a / b : 0), (a - b) / 1024 }'
