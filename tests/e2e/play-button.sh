#!/usr/bin/env bash
# Black-box: the Play buttons of the running CHIMO.EXE, pressed from outside, play the slot's
# file at once: a full path, and a bare name found in the Windows media folder.
# Needs the environment scripts/test sets up (WINEPREFIX, DISPLAY, ALSA capture in CHIMO_CAPTURE).
# Usage: play-button.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

start_quiet
tone half 660
wine "$remote" settext 1003 "$(winpath "$work/half.wav")"
sleep 1
rm -f "$CHIMO_CAPTURE"
wine "$remote" click 1016
expect_tone 5 600 720 "Half Past's Play with a full path"

media="$WINEPREFIX/drive_c/windows/media"
mkdir -p "$media"
leftovers+=("$media/PLAYME.WAV")
sox -n -r 22050 -b 16 -c 1 "$media/PLAYME.WAV" synth 0.4 sine 330
wine "$remote" settext 1001 PLAYME.WAV
sleep 1
rm -f "$CHIMO_CAPTURE"
wine "$remote" click 1014
expect_tone 5 290 370 "Top of the hour's Play with a bare name in the media folder"
echo "2 passed, 0 failed"
