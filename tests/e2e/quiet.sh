#!/usr/bin/env bash
# Black-box, in Wine's virtual desktop (whose taskbar has a tray): "Silence for an hour" from
# the tray menu keeps the next quarter silent, and the tray icon's tooltip says until when.
# Usage: quiet.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
in_desktops quiet$$
tone quarter 880
slots_ring "$work/quarter.wav"
start_in_zone 0 in_desktop "$chimo"
# The program takes the snooze's start from its own clock: somewhere between these two.
before=$(date -u +%s)
rc command ID_SNOOZE # the tray menu's Silence for an hour
after=$(date -u +%s)
rm -f "$CHIMO_CAPTURE"
((after < boundary)) || { echo "FAIL: the snooze came only $((after - boundary)) s after the quarter"; exit 1; }

tip=$(tray_tip)
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
