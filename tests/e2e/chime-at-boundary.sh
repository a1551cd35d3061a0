#!/usr/bin/env bash
# Black-box: the real CHIMO.EXE, started with a fake wall clock a few seconds before 10:15,
# rings the Quarter After slot's tone at the boundary and nothing before it; and with a TZ
# variable that the C run-time cannot parse, it still rings by the system's local time.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY, ALSA capture in CHIMO_CAPTURE).
# Usage: chime-at-boundary.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

start_at 10:14:54
sleep 2
[ -e "$CHIMO_CAPTURE" ] && { echo "FAIL: sound before the boundary"; exit 1; }
expect_tone 10 800 960 "the Quarter After tone (880 Hz) at 10:15"

# Unix-style zone names are what shells and Wine on Linux set; the system's local time (the
# taskbar clock) follows them, the C run-time's localtime would read UTC (05:29 here).
export TZ=Asia/Kolkata
start_at 10:59:56
expect_tone 10 400 480 "the Hour tone (440 Hz) at 11:00 India time, with TZ=$TZ"
echo "2 passed, 0 failed"
