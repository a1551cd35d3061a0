#!/usr/bin/env bash
# Black-box: the About box of the running CHIMO.EXE, opened from outside, shows the version
# line and the three links, plays the About sound, and closes back to the hidden window.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY, ALSA capture in CHIMO_CAPTURE).
# Usage: about-box.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

start_quiet
sleep 1
rm -f "$CHIMO_CAPTURE"
texts=$(wine "$remote" about | tr -d '\r')
expected=$'CHIMO! Version 1.60\nhttp://www.example.org/chimo/\nchimo@EXAMPLE.ORG\ndevelopers@EXAMPLE.ORG'
if [ "$texts" != "$expected" ]; then
    echo "FAIL: the About box showed:"; echo "$texts"; exit 1
fi
heard_within 5 || { echo "FAIL: no About sound"; exit 1; }
# The capture holds the samples as played: the whole About sound, however long it took.
captured_whole "$(dirname "$0")/../../res/sounds/about.wav" ||
    { echo "FAIL: the capture is not the whole About sound ($(stat -c %s "$CHIMO_CAPTURE") bytes)"; exit 1; }
echo "the whole About sound was played"
echo "2 passed, 0 failed"
