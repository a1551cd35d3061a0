#!/usr/bin/env bash
# Black-box, in Wine's virtual desktop (whose taskbar has a tray): with the quarter's own day
# unchecked, the quarter keeps quiet and the tray says Sleeping; with that day alone checked it
# rings.
# Usage: days.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
in_desktops days$$
tone quarter 880
slots_ring "$work/quarter.wav"
# The days CHIMO! starts with, from the weekdays in the zone chosen for the start (bit 0
# Monday): that day alone, or all but the boundary's day and today's. The tooltip at the start
# tells of today, the quarter of the boundary's day, and the two differ when the boundary is
# local midnight.
the_day() { date -u -d @$((${1:-$boundary} + ahead * 60)) +%u; }
zone_chosen() {
    local day=$((1 << ($(the_day) - 1)))
    [ "$only" = 1 ] || day=$((127 & ~day & ~(1 << ($(the_day "$(date -u +%s)") - 1))))
    printf '[Options]\r\nVolume=100\r\nWake_Speakers=0\r\nDays=%d\r\n' "$day" \
        >"$WINEPREFIX/drive_c/windows/CHIMO.INI"
}

only=0
start_in_zone 0 in_desktop "$chimo"
rm -f "$CHIMO_CAPTURE"
tip=$(tray_tip)
[ "$tip" = "CHIMO!: Sleeping" ] || { echo "FAIL: on a day it does not ring on, the tooltip says '$tip'"; exit 1; }
left=$((boundary + 3 - $(date -u +%s)))
((left <= 0)) || sleep "$left"
[ ! -e "$CHIMO_CAPTURE" ] || { echo "FAIL: a quarter on a day not checked rang"; exit 1; }
pass "day $(the_day) unchecked: the tray says Sleeping and its quarter keeps quiet"

rc quit
only=1
rm -f "$CHIMO_CAPTURE"
start_in_zone 0 in_desktop "$chimo"
python3 "$(dirname "$0")/chime_heard.py" "$CHIMO_CAPTURE" "$boundary" "$work/quarter.wav" 100 0 ||
    { echo "FAIL: the quarter on the one day checked did not ring"; exit 1; }
pass "day $(the_day) alone checked: its quarter rings"
echo "$passed passed, 0 failed"
