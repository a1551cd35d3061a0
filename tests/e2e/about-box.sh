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
# The capture holds the samples as played. The About sound is whole when the capture is
# exactly the sound's data (however long a busy machine took to play it).
about=$(dirname "$0")/../../res/sounds/about.wav
whole() {
    python3 - "$about" "$CHIMO_CAPTURE" <<'PY'
import struct, sys
wav, captured = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
at = 12
while wav[at:at + 4] != b'data':
    at += 8 + struct.unpack('<I', wav[at + 4:at + 8])[0]
size = struct.unpack('<I', wav[at + 4:at + 8])[0]
sys.exit(0 if captured == wav[at + 8:at + 8 + size] else 1)
PY
}
for _ in $(seq 150); do whole && break; sleep 0.2; done
whole || { echo "FAIL: the capture is not the whole About sound ($(stat -c %s "$CHIMO_CAPTURE") bytes)"; exit 1; }
echo "the whole About sound was played"
echo "2 passed, 0 failed"
