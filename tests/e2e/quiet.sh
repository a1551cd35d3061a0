#!/usr/bin/env bash
# Black-box, in Wine's virtual desktop (whose taskbar has a tray): "Silence for an hour" from
# the tray menu keeps the next quarter silent, and the tray icon's tooltip says until when.
# Usage: quiet.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
name= desktop=

# Programs in a virtual desktop see only its windows: the remote control runs there too, once
# the desktop is up (an explorer started before it would make a desktop of its own). The
# explorer that runs it may return before it ends, and passes on neither its output nor its
# exit code: the remote writes both to files, which are waited for.
in_desktop() { wine explorer "$desktop" "$@"; }
rc() {
    timeout 60 xdotool search --sync --name "^$name - Wine desktop\$" >/dev/null ||
        { echo "FAIL: the virtual desktop never came up"; return 1; }
    rm -f "$work/status" "$work/status.out"
    CHIMO_REMOTE_STATUS=$(winpath "$work/status") in_desktop "$remote" "$@" >/dev/null
    for _ in $(seq 1500); do
        [ -s "$work/status" ] && break
        sleep 0.1
    done
    tr -d '\r' <"$work/status.out" 2>/dev/null || true
    [ "$(cat "$work/status" 2>/dev/null)" = 0 ] ||
        { echo "(the remote control's '$*' ended with '$(cat "$work/status" 2>/dev/null)')"; return 1; }
}

# Every slot rings a tone.
tone quarter 880
for key in '(XX:00) Hourly' '(XX:15) Quarter After' '(XX:30) Half Past' '(XX:45) Quarter Til'; do
    wine reg add "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\$key\\.current" /ve \
        /d "$(winpath "$work/quarter.wav")" /f >/dev/null
done
# Each start of CHIMO! in a desktop of its own, which it brings up: once an icon has taken the
# place of another, Wine's taskbar shows the old one's tooltip text.
starts=0
before_start() {
    starts=$((starts + 1))
    name=quiet$$-$starts
    desktop=/desktop=$name,400x300
}
start_in_zone 0 in_desktop "$chimo"
# The program takes the snooze's start from its own clock: somewhere between these two.
before=$(date -u +%s)
rc send 0 273 32783 0 # WM_COMMAND: the tray menu's Silence for an hour
after=$(date -u +%s)
rm -f "$CHIMO_CAPTURE"
((after < boundary)) || { echo "FAIL: the snooze came only $((after - boundary)) s after the quarter"; exit 1; }

# The tooltip, as the taskbar shows it when the pointer comes to rest on the icon (the bottom
# right); Wine's taskbar shows it while it is the active window, and closes it after a while:
# so a click on the taskbar's empty middle first, and again until it is read.
id=$(xdotool search --name "^$name - Wine desktop\$" | tail -1)
eval "$(xdotool getwindowgeometry --shell "$id")"
tip=
for _ in 1 2 3 4 5 6; do
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10)) click 1
    sleep 0.3
    xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT - 10))
    sleep 0.3
    xdotool mousemove $((X + WIDTH - 9)) $((Y + HEIGHT - 9))
    tip=$(rc tooltip 5 | tr -d '\r') && break
done
# An hour after a moment, in the zone's local minutes.
local_minute() { echo $(((($1 + 3600) / 60 + ahead) % 60)); }
[[ "$tip" =~ ^CHIMO!:\ Silent\ until\ [0-9]{1,2}[:.]([0-9]{2}) ]] ||
    { echo "FAIL: the tooltip says '$tip', not silent until some time ($(rc count) instances)"; exit 1; }
shown=$((10#${BASH_REMATCH[1]}))
[ "$shown" -eq "$(local_minute "$before")" ] || [ "$shown" -eq "$(local_minute "$after")" ] ||
    { echo "FAIL: the tooltip says '$tip', not silent until the local minute" \
        "$(local_minute "$before") or $(local_minute "$after")"; exit 1; }
pass "the tooltip says: $tip"

left=$((boundary + 3 - $(date -u +%s)))
((left <= 0)) || sleep "$left"
[ ! -e "$CHIMO_CAPTURE" ] || { echo "FAIL: the silenced quarter rang"; exit 1; }
pass "the quarter an hour's silence covers stayed silent"
echo "$passed passed, 0 failed"
