#!/usr/bin/env bash
# Black-box: settings typed into a running CHIMO.EXE but never confirmed are saved when a second
# instance takes over, and the new instance shows them.
# Usage: takeover-keeps-edits.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND"' ERR
chimo=$1 remote=$2
trap 'wine "$remote" quit >/dev/null 2>&1 || true' EXIT
wine "$remote" quit >/dev/null 2>&1 || true

wine "$chimo" &
first=$!
wine "$remote" wait
wine "$remote" settext 1003 'C:\UNSAVED\HALF.WAV'
wine "$remote" settext 1021 '09:15PM'
wine "$chimo" &
wait "$first" # the first instance has saved and ended
wine "$remote" wait
half=$(wine "$remote" gettext 1003 | tr -d '\r')
start=$(wine "$remote" gettext 1021 | tr -d '\r')
echo "new instance shows: '$half' and '$start'"
[ "$half" = 'C:\UNSAVED\HALF.WAV' ] || { echo "FAIL: slot text lost"; exit 1; }
[ "$start" = '09:15PM' ] || { echo "FAIL: start time lost"; exit 1; }
echo "1 passed, 0 failed"
