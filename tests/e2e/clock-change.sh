#!/usr/bin/env bash
# Black-box: the wall clock of the running CHIMO.EXE jumps from 10:02 to a few seconds before
# 10:15 and the system says so (WM_TIMECHANGE). The 10:15 boundary rings on time, with the
# Quarter After tone, although the timer armed at 10:02 was still 13 minutes from due.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY, ALSA capture in CHIMO_CAPTURE).
# Usage: clock-change.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

start_at 10:02:00
sleep 1
moved=$(date +%s.%N)
set_clock 10:14:56
wine "$remote" timechange
sleep 2
[ -e "$CHIMO_CAPTURE" ] && { echo "FAIL: sound right after the clock change"; exit 1; }
heard_within 10 || { echo "FAIL: nothing rang at 10:15 after the clock change"; exit 1; }
delay=$(awk -v a="$moved" -v b="$(date +%s.%N)" 'BEGIN {printf "%.1f", b - a}')
sleep 1
f=$(frequency)
echo "rang ${delay} s after the clock moved to 10:14:56, rough frequency $f Hz"
if [ "$f" -lt 800 ] || [ "$f" -gt 960 ]; then
    echo "FAIL: expected the Quarter After tone (880 Hz)"; exit 1
fi
if awk -v d="$delay" 'BEGIN {exit !(d < 3 || d > 6)}'; then
    echo "FAIL: expected the tone about 4 s after the clock change"; exit 1
fi
echo "1 passed, 0 failed"
