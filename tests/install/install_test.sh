#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and uses it the way a desktop user and a packager do:
# the layout, the validators, and the installed converter finding the shipped data and then the
# user's own copy.   install_test.sh BUILD_DIR gui|nogui png|nopng
set -uo pipefail
build=$1 gui=$2 png=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
usr=$root/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; exit 1; }

# --- the layout ---
id=cz.omnivelor.Omnivelor
expected=(
  bin/omnivelor-cli
  share/omnivelor/Omnivel.omv
  share/omnivelor/User.omv
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/omnivelor-cli.1.gz
  share/man/cs/man1/omnivelor-cli.1.gz
  share/man/cs/man1/omnivelor.1.gz
  share/man/man1/omnivelor.1.gz
  share/bash-completion/completions/omnivelor-cli
  share/doc/omnivelor/copyright
)
search=(
  bin/omnivelor-search
  share/man/man1/omnivelor-search.1.gz
  share/dbus-1/services/$id.SearchProvider.service
  share/gnome-shell/search-providers/$id.search-provider.ini
  share/krunner/dbusplugins/$id.desktop
  share/icons/hicolor/scalable/apps/$id-Delka.svg
  share/icons/hicolor/scalable/apps/$id-Teplota.svg
  share/icons/hicolor/scalable/apps/$id-User.svg
)
[ "$gui" = gui ] && expected+=(bin/omnivelor "${search[@]}")
if [ "$png" = png ]; then
  for s in 16 24 32 48 64 128 256; do expected+=("share/icons/hicolor/${s}x${s}/apps/$id.png"); done
fi
for f in "${expected[@]}"; do
  [ -s "$usr/$f" ] || fail "installed file missing: /usr/$f"
done
[ -x "$usr/bin/omnivelor-cli" ] || fail "omnivelor-cli is not executable"
for f in "$usr"/share/man/*/*.gz "$usr"/share/man/*/*/*.gz; do
  gzip -t "$f" 2>/dev/null || fail "man page is not gzip: $f"
done
if [ "$png" = png ] && command -v file >/dev/null; then
  file "$usr/share/icons/hicolor/48x48/apps/$id.png" | grep -q '48 x 48' || fail "48x48 icon is not 48 x 48 pixels"
fi
grep -q '^License: MIT' "$usr/share/doc/omnivelor/copyright" || fail "copyright file has no 'License: MIT'"
grep -q '<project_license>MIT</project_license>' "$usr/share/metainfo/$id.metainfo.xml" || fail "metainfo licence is not MIT"

# --- the validators a distribution runs ---
desktop-file-validate "$usr/share/applications/$id.desktop" >"$tmp/dfv.log" 2>&1 || { cat "$tmp/dfv.log"; fail "desktop-file-validate"; }
grep -v ': hint: ' "$tmp/dfv.log" | grep . && fail "desktop-file-validate reports more than hints"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" >"$tmp/asv.log" 2>&1 || { cat "$tmp/asv.log"; fail "appstreamcli validate"; }

# --- the desktop search: key files that parse, naming one another and the installed service ---
# The value of KEY in GROUP of an ini-style file; fails when a line is neither a comment, a
# group, nor KEY=VALUE.
ini_value() {
  awk -v want_group="$2" -v want_key="$3" '
    /^[ \t]*(#|$)/ { next }
    /^\[[^]]+\]$/ { group = substr($0, 2, length($0) - 2); next }
    /^[A-Za-z0-9-]+(\[[A-Za-z@_.]+\])?=/ { if (group == want_group && substr($0, 1, index($0, "=") - 1) == want_key) print substr($0, index($0, "=") + 1); next }
    { print "unparsable line " NR ": " $0 > "/dev/stderr"; bad = 1 }
    END { exit bad }' "$1"
}
if [ "$gui" = gui ]; then
  service=$usr/share/dbus-1/services/$id.SearchProvider.service
  ini=$usr/share/gnome-shell/search-providers/$id.search-provider.ini
  runner=$usr/share/krunner/dbusplugins/$id.desktop
  bus=cz.omnivelor.Omnivelor.SearchProvider
  [ "$(ini_value "$service" "D-BUS Service" Name)" = $bus ] || fail "the service file does not name $bus"
  exec=$(ini_value "$service" "D-BUS Service" Exec)
  [ "$exec" = /usr/bin/omnivelor-search ] || fail "the service file starts '$exec', not /usr/bin/omnivelor-search"
  [ -x "$root$exec" ] || fail "the service file's program is not installed: $exec"
  for row in "BusName|$bus" "ObjectPath|/cz/omnivelor/Omnivelor/SearchProvider" "Version|2" "DesktopId|$id.desktop"; do
    IFS='|' read -r key want <<<"$row"
    [ "$(ini_value "$ini" "Shell Search Provider" "$key")" = "$want" ] || fail "search-provider.ini: $key is not $want"
  done
  [ -s "$usr/share/applications/$(ini_value "$ini" "Shell Search Provider" DesktopId)" ] || fail "DesktopId names no installed desktop file"
  for row in "X-Plasma-API|DBus" "X-Plasma-DBusRunner-Service|$bus" "X-Plasma-DBusRunner-Path|/runner" "Type|Service"; do
    IFS='|' read -r key want <<<"$row"
    [ "$(ini_value "$runner" "Desktop Entry" "$key")" = "$want" ] || fail "KRunner plugin: $key is not $want"
  done
fi

# --- the installed converter: shipped data first, then the user's copy ---
[ -e "$usr/bin/Omnivel.omv" ] && fail "data files stand beside the installed program"
run() { (cd / && env -u XDG_DATA_HOME -u LC_NUMERIC -u LANG LC_ALL=C.UTF-8 HOME="$tmp/home" "${envs[@]}" "$usr/bin/omnivelor-cli" "$@" 2>&1); }
metre_for_one_km() { run convert 1 km 1 | awk -F'\t' '$2 == "m" { print $3 }'; }
mkdir -p "$tmp/home"
envs=()
[ "$(metre_for_one_km)" = 1000 ] || fail "first run: 1 km is not 1000 m from the shipped data: $(run convert 1 km 1 | head -3)"
out=$(run check); code=$?
[ $code -eq 0 ] || fail "check of the shipped data exits $code: $out"
[ -z "$out" ] || fail "check of the shipped data prints: $out"

user=$tmp/home/.local/share/omnivelor
mkdir -p "$user"
cp "$usr/share/omnivelor/Omnivel.omv" "$usr/share/omnivelor/User.omv" "$user/"
[ "$(metre_for_one_km)" = 1000 ] || fail "the user's unchanged copy does not convert like the shipped data"
sed -i 's/^1|kilometr|km|1000|/1|kilometr|km|999|/' "$user/Omnivel.omv"
[ "$(metre_for_one_km)" = 999 ] || fail "editing the user's copy does not change the conversion: $(metre_for_one_km)"
grep -q '^1|kilometr|km|1000|' "$usr/share/omnivelor/Omnivel.omv" || fail "the shipped file changed"

# XDG_DATA_HOME names the per-user data folder when set.
mkdir -p "$tmp/xdg/omnivelor"
sed 's/^1|kilometr|km|1000|/1|kilometr|km|998|/' "$usr/share/omnivelor/Omnivel.omv" >"$tmp/xdg/omnivelor/Omnivel.omv"
envs=(XDG_DATA_HOME="$tmp/xdg")
[ "$(metre_for_one_km)" = 998 ] || fail "XDG_DATA_HOME is not used: $(metre_for_one_km)"
envs=()

# A named file still wins over both.
[ "$(run --data "$usr/share/omnivelor/Omnivel.omv" convert 1 km 1 | awk -F'\t' '$2 == "m" { print $3 }')" = 1000 ] \
  || fail "--data does not override the user's copy"

# --- the bash completion, with the two helpers of bash-completion stubbed ---
complete_words() {
  bash -c '
    _init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]}; words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
    _filedir() { COMPREPLY=(FILE); }
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _omnivelor_cli; echo "${COMPREPLY[*]}"' _ "$usr/share/bash-completion/completions/omnivelor-cli" "$@"
}
completion_rows=(
  "command|omnivelor-cli con|convert"
  "option|omnivelor-cli --bas|--base --base-places"
  "topic key|omnivelor-cli units Te|Teplota"
  "topic after options|omnivelor-cli --level 2 convert Uh|Uhel"
  "representation|omnivelor-cli as ro|roman"
  "check file|omnivelor-cli check x|FILE"
  "level value|omnivelor-cli --level |0 1 2 3"
)
for row in "${completion_rows[@]}"; do
  IFS='|' read -r name line want <<<"$row"
  read -ra words <<<"$line"
  [[ $line == *" " ]] && words+=("")
  got=$(complete_words "${words[@]}")
  [ "$got" = "$want" ] || fail "completion '$name': got '$got', want '$want'"
done

[ $failures -eq 0 ] && echo "install test passed"
exit $((failures > 0))
