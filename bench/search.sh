#!/usr/bin/env bash
# The desktop search's answer time: omnivelor-search activated on a private session bus (the
# one the service's test uses, naming the build's service file) and asked one query many times
# by bench/search-client.
#
#   bench/search.sh [BUILD_DIR] [QUERY] [RUNS]
#
# Defaults: build, "5 km na mi", 500 calls of each kind.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
query=${2:-5 km na mi}
runs=${3:-500}
conf=$build/tests/search/bus/session.conf
client=$build/bench/search-client
for f in "$conf" "$client"; do
  [ -e "$f" ] || { echo "missing $f (build the targets search_test and search-client first)" >&2; exit 2; }
done
# The shipped data files, not the user's copies; the service ends with the bus.
XDG_DATA_HOME=$(mktemp -d) LC_ALL=cs_CZ.UTF-8 dbus-run-session --config-file="$conf" -- "$client" "$query" "$runs" 2>/dev/null &
wait $!
