#!/usr/bin/env bash
# Black-box: DLLs named winmm.dll, oleacc.dll and comctl32.dll, planted beside CHIMO.EXE (a
# download dropped into the folder the portable zip was unpacked in), are never loaded, while
# CHIMO! starts, makes its window's controls, plays a sound and answers a screen reader; under Wine asked for Windows' search order, which
# looks in the program's folder first for any DLL that is not a KnownDLL.
# Usage: planted.sh CHIMO.EXE chimo_remote.exe marker.dll
set -euo pipefail
chimo=$1 remote=$2 marker=$3
source "$(dirname "$0")/lib.sh"

folder=$work/Downloads/CHIMO
mkdir -p "$folder"
cp "$chimo" "$folder/CHIMO.EXE"
cp "$remote" "$folder/probe.exe"
for dll in winmm oleacc comctl32; do cp "$marker" "$folder/$dll.dll"; done
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm,oleacc,comctl32=n,b"
sox -n -r 22050 -b 16 -c 1 "$work/tone.wav" synth 0.2 sine 440

# The plant works: a program that loads winmm.dll by name, as an import does, gets it.
wine "$folder/probe.exe" load winmm.dll >/dev/null 2>&1 || true
[ -e "$folder/winmm.dll.loaded" ] || { echo "FAIL: the planted DLL is not loaded even by name"; exit 1; }
rm -f "$folder"/*.loaded
pass "a program that loads winmm.dll by name gets the planted one"

wine "$folder/CHIMO.EXE" >/dev/null 2>&1 &
rc wait
rc settext IDC_SOUND_HOUR "$(winpath "$work/tone.wav")"
rm -f "$CHIMO_CAPTURE"
rc send IDC_PLAY_HOUR BM_CLICK 0 0
rc send IDC_DEVICE WM_GETOBJECT 0 OBJID_CLIENT # as a screen reader asks
for _ in $(seq 50); do [ -s "$CHIMO_CAPTURE" ] && break; sleep 0.1; done
[ -s "$CHIMO_CAPTURE" ] || { echo "FAIL: Play played nothing"; exit 1; }
rc quit
for dll in winmm oleacc comctl32; do
    [ ! -e "$folder/$dll.dll.loaded" ] || { echo "FAIL: CHIMO! loaded the planted $dll.dll"; exit 1; }
done
pass "CHIMO! started, played and answered a screen reader without loading a planted DLL"
echo "$passed passed, 0 failed"
