#!/usr/bin/env bash
# Black-box: CHIMO! as Windows before 10 1903 runs it, which ignores the manifest's UTF-8 code
# page. The release image with that one entry blanked out (the same length: nothing else in
# the file moves), under the ANSI code page 1252, rings a sound named in Cyrillic at the hour
# and plays one named in Chinese characters with Play.
# Usage: codepage.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
fresh_account

acp=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP | tr -d '\r' |
    awk '$1 == "ACP" {print $3}')
[ "$acp" = 1252 ] || { echo "FAIL: the ANSI code page here is '$acp', not 1252"; exit 1; }

mkdir "$work/old"
python3 - "$chimo" "$work/old/CHIMO.EXE" <<'PY'
import sys
image = open(sys.argv[1], "rb").read()
entry = (b'<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">'
         b'UTF-8</activeCodePage>')
assert image.count(entry) == 1, "the manifest's code page entry is not there once"
blanked = image.replace(entry, b" " * len(entry))
assert len(blanked) == len(image)
open(sys.argv[2], "wb").write(blanked)
PY
chimo=$work/old/CHIMO.EXE

tone колокол 880
tone 钟声 660
bell=$(winpath "$work/колокол.wav") gong=$(winpath "$work/钟声.wav")

wine "$chimo" >/dev/null 2>&1 &
rc wait
rc state settings
rc settext IDC_SOUND_HOUR "$bell"
rc settext IDC_SOUND_HALF_PAST "$gong"
# OK finds both files (a question would leave it waiting) and stores them.
rc command IDOK || { echo "FAIL: OK did not find a file that is there"; exit 1; }

# Play: the Chinese name's tone, whole.
rm -f "$CHIMO_CAPTURE"
rc command IDC_PLAY_HALF_PAST
python3 - "$CHIMO_CAPTURE" "$work/钟声.wav" <<'PY' || { echo "FAIL: Play did not play 钟声.wav"; exit 1; }
import os, sys, time, wave
with wave.open(sys.argv[2]) as w:
    tone = w.readframes(w.getnframes())
for _ in range(300):
    if os.path.exists(sys.argv[1]) and tone in open(sys.argv[1], "rb").read():
        sys.exit(0)
    time.sleep(0.1)
sys.exit(1)
PY
pass "Play plays 钟声.wav under code page 1252"

# Started again in a zone whose hour is seconds away: the hour rings the Cyrillic name.
rc quit
rm -f "$CHIMO_CAPTURE"
start_in_zone 0 wine "$chimo"
python3 "$(dirname "$0")/chime_heard.py" "$CHIMO_CAPTURE" "$boundary" "$work/колокол.wav" 100 0 ||
    { echo "FAIL: колокол.wav did not ring at the hour"; exit 1; }
pass "after a restart the hour rings колокол.wav under code page 1252"
echo "$passed passed, 0 failed"
