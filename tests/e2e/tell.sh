#!/usr/bin/env bash
# Black-box, in Wine's virtual desktop (where a key registered with RegisterHotKey reaches the
# program): Ctrl+Alt+Shift+T, pressed at 10:38 local time, strikes ten hours one a second and
# then Half Past; with the time to be spoken, where Wine has no voice that speaks, it strikes
# all the same and CHIMO! answers afterwards.
# Usage: tell.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
in_desktops tell$$
before_start
sox -n -r 22050 -b 16 -c 1 "$work/hour.wav" synth 0.2 sine 880
sox -n -r 22050 -b 16 -c 1 "$work/half.wav" synth 0.4 sine 440
slots='HKCU\AppEvents\Schemes\Apps\CHIMO!'
wine reg delete "$slots" /f >/dev/null 2>&1 || true
wine reg add "$slots\\(XX:00) Hourly\\.current" /ve /d "$(winpath "$work/hour.wav")" /f >/dev/null
wine reg add "$slots\\(XX:30) Half Past\\.current" /ve /d "$(winpath "$work/half.wav")" /f >/dev/null
printf '[Options]\r\nVolume=100\r\nWake_Speakers=0\r\nSpeak_Time=1\r\n' >"$WINEPREFIX/drive_c/windows/CHIMO.INI"

# A zone whose local time is 10:38 now, so that it is still 10:3x when the key is pressed.
now=$(date -u +%s)
ahead=$(((10 * 60 + 38 - now / 60 % 1440 + 1440) % 1440))
printf 'Zone Tell %d:%02d - TEL\n' $((ahead / 60)) $((ahead % 60)) >"$work/zone.zi"
/usr/sbin/zic -d "$work" "$work/zone.zi"
TZ=$work/Tell in_desktop "$chimo" >/dev/null 2>&1 &
rc wait
sleep 1
rm -f "$CHIMO_CAPTURE"
id=$(xdotool search --name "^$name - Wine desktop\$" | tail -1)
# The desktop takes the keyboard (no window manager here: focus, not activation).
xdotool windowfocus --sync "$id" key --clearmodifiers ctrl+alt+shift+t
# Ten strikes and the quarter take about 12 s; the capture stops growing when they end.
last=-1
for _ in $(seq 300); do
    sleep 0.5
    size=$(stat -c %s "$CHIMO_CAPTURE" 2>/dev/null || echo 0)
    [ "$size" -gt 0 ] && [ "$size" = "$last" ] && break
    last=$size
done
python3 "$(dirname "$0")/strikes.py" "$CHIMO_CAPTURE" 22050 10 880 440 ||
    { echo "FAIL: the key did not strike ten hours and Half Past"; exit 1; }
pass "Ctrl+Alt+Shift+T at 10:3x struck ten hours and then Half Past"
rc gettext IDC_SOUND_HOUR >/dev/null || { echo "FAIL: CHIMO! no longer answers"; exit 1; }
pass "with the time to be spoken and no voice to speak it, CHIMO! answers"
echo "$passed passed, 0 failed"
