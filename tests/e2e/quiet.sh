#!/usr/bin/env bash
# Black-box, in Wine's virtual desktop (whose taskbar has a tray): "Silence for an hour" from
# the tray menu keeps the next quarter silent, and the tray icon's tooltip says until when.
# Usage: quiet.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
desktop=/desktop=quiet,400x300
# Programs in a virtual desktop see only its windows: the remote control runs there too.
in_desktop() { wine explorer "$desktop" "$@"; }
restore+=("wine explorer $desktop '$remote' quit >/dev/null 2>&1")

# Every slot rings a tone, in a zone of our own whose next quarter is 15 to 75 s away.
tone quarter 880
for key in '(XX:00) Hourly' '(XX:15) Quarter After' '(XX:30) Half Past' '(XX:45) Quarter Til'; do
    wine reg add "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\$key\\.current" /ve \
        /d "$(winpath "$work/quarter.wav")" /f >/dev/null
done
now=$(date -u +%s)
ahead=$(((14 - now / 60 % 15 + 15) % 15)) # minutes ahead of UTC: the local minute is :14
if ((now % 60 > 45)); then ahead=$((ahead + 14)); fi # too close: :13
printf 'Zone Quiet 0:%02d - QUI\n' "$ahead" >"$work/zone.zi"
/usr/sbin/zic -d "$work" "$work/zone.zi"
quarter=$((now - now % 60 + (15 - (now / 60 + ahead) % 15) * 60)) # the local quarter, in UTC
TZ=$work/Quiet in_desktop "$chimo" >/dev/null 2>&1 &
# The desktop first: a second explorer started before it is up would make one of its own.
id=$(timeout 30 xdotool search --sync --name '^quiet - Wine desktop$' | tail -1)
in_desktop "$remote" wait
in_desktop "$remote" send 0 273 32783 0 # WM_COMMAND: the tray menu's Silence for an hour
chosen=$(date -u +%s)
rm -f "$CHIMO_CAPTURE"

# The tooltip, as the taskbar shows it when the pointer rests on the icon (the bottom right).
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT - 10))
sleep 0.5
xdotool mousemove $((X + WIDTH - 9)) $((Y + HEIGHT - 9))
tip=$(in_desktop "$remote" tooltip | tr -d '\r')
until_minute=$(((chosen / 60 + ahead) % 60)) # an hour on
[[ "$tip" =~ ^CHIMO!:\ Silent\ until\ [0-9]{1,2}[:.]([0-9]{2}) ]] &&
    [ "$((10#${BASH_REMATCH[1]}))" -eq "$until_minute" ] ||
    { echo "FAIL: the tooltip says '$tip', not silent until the local minute $until_minute"; exit 1; }
pass "the tooltip says: $tip"

sleep $((quarter - $(date -u +%s) + 3))
[ ! -e "$CHIMO_CAPTURE" ] || { echo "FAIL: the silenced quarter rang"; exit 1; }
pass "the quarter an hour's silence covers stayed silent"
echo "$passed passed, 0 failed"
