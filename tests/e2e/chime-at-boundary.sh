#!/usr/bin/env bash
# Black-box: the real CHIMO.EXE, started with a fake wall clock a few seconds before 10:15,
# rings the Quarter After slot's tone at the boundary and nothing before it.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY, ALSA capture in CHIMO_CAPTURE).
# Usage: chime-at-boundary.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
: "${CHIMO_CAPTURE:?run through scripts/test}"
work=$(mktemp -d)
trap 'wine "$remote" quit >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

tone() { sox -n -r 22050 -b 16 -c 1 "$work/$1.wav" synth 0.4 sine "$2"; }
tone hour 440
tone quarter 880
winpath() { echo "Z:${1//\//\\}"; }
frequency() {
    sox -t raw -r 22050 -e signed -b 16 -c 1 "$CHIMO_CAPTURE" -n stat 2>&1 |
        awk '/Rough/ {print int($3)}'
}

wine "$remote" quit >/dev/null 2>&1 || true
rm -f "$CHIMO_CAPTURE"
faketime "$(date +%Y-%m-%d) 10:14:54" wine "$chimo" &
wine "$remote" wait
wine "$remote" settext 1001 "$(winpath "$work/hour.wav")"
wine "$remote" settext 1002 "$(winpath "$work/quarter.wav")"
sleep 2
if [ -e "$CHIMO_CAPTURE" ]; then
    echo "FAIL: sound before the boundary"; exit 1
fi
for _ in $(seq 100); do [ -s "$CHIMO_CAPTURE" ] && break; sleep 0.1; done
sleep 1
[ -s "$CHIMO_CAPTURE" ] || { echo "FAIL: nothing rang at 10:15"; exit 1; }
f=$(frequency)
echo "rang at the boundary, rough frequency $f Hz"
if [ "$f" -lt 800 ] || [ "$f" -gt 960 ]; then
    echo "FAIL: expected the Quarter After tone (880 Hz)"; exit 1
fi
echo "1 passed, 0 failed"
