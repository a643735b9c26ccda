# Shared by the whole-process benchmarks: microsecond clocks, medians and missing tools.

# Microseconds since the epoch; the shell's own clock, so reading it starts no process.
now_us() { local t=$EPOCHREALTIME; echo "${t//[.,]/}"; }

# Median of the numbers given.
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {
  if (NR == 0) { print "nan"; exit }
  m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'; }

minimum() { printf '%s\n' "$@" | sort -g | head -n 1; }
maximum() { printf '%s\n' "$@" | sort -g | tail -n 1; }

# "a / b" with three decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", (b > 0 ? a / b : 0) }'; }

# Installs the Debian packages that provide the missing commands when run as root, otherwise
# says what to install. Arguments: pairs of "command:package".
need_commands() {
  local missing=() pair
  for pair in "$@"; do
    command -v "${pair%%:*}" >/dev/null 2>&1 || missing+=("${pair#*:}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
      { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }
  else
    echo "Missing packages. Run:  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}
