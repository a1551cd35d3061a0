#!/usr/bin/env bash
# Black-box: the About box of the running CHIMO.EXE, opened from outside, shows the version
# line and the three links, plays the About sound, and closes back to the hidden window.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY, ALSA capture in CHIMO_CAPTURE).
# Usage: about-box.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

start_at 10:02:00
sleep 1
rm -f "$CHIMO_CAPTURE"
texts=$(wine "$remote" about | tr -d '\r')
expected=$'CHIMO! Version 1.60\nhttp://www.example.org/chimo/\nchimo@EXAMPLE.ORG\ndevelopers@EXAMPLE.ORG'
if [ "$texts" != "$expected" ]; then
    echo "FAIL: the About box showed:"; echo "$texts"; exit 1
fi
heard_within 5 || { echo "FAIL: no About sound"; exit 1; }
sleep 6
# The capture holds the samples in the sound's own format: the About sound (the Westminster
# quarters and an hour bell) is 12 800 Hz, 8-bit mono, 5.25 s; each cue lasts about a second.
seconds=$(sox -t raw -r 12800 -e unsigned -b 8 -c 1 "$CHIMO_CAPTURE" -n stat 2>&1 |
    awk '/Length/ {print int($3 * 10)}')
echo "About sound heard, $((seconds / 10)).$((seconds % 10)) s"
[ "$seconds" -ge 50 ] || { echo "FAIL: the sound was too short for the About sound"; exit 1; }
echo "2 passed, 0 failed"
