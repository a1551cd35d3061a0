#!/usr/bin/env bash
# Black-box: quiet hours that include a quarter-hour boundary keep it silent (both ends belong
# to them); quiet hours that end just before it let it ring.
# Usage: quiet-hours.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

quiet() { # START STOP: types the times and switches the Sleep Timer on with a click
    wine "$remote" settext 1021 "$1"
    wine "$remote" settext 1022 "$2"
    wine "$remote" click 1020
}

start_at 10:14:54
quiet 10:00am 10:15am
if heard_within 9; then echo "FAIL: rang inside the quiet hours"; exit 1; fi
echo "silent at 10:15 with quiet hours 10:00am-10:15am"

start_at 10:14:54
quiet 9:00am 10:14am
heard_within 9 || { echo "FAIL: quiet hours that ended at 10:14 silenced 10:15"; exit 1; }
echo "rang at 10:15 with quiet hours 9:00am-10:14am"
echo "2 passed, 0 failed"
