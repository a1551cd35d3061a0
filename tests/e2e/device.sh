#!/usr/bin/env bash
# Black-box, with three sound devices (Wine's ALSA driver lists the ALSA devices named in its
# registry value after the default one; each here writes to a file of its own): the device
# chosen in "Play on:" takes the chime after OK and a restart, and no other device hears it.
# Taken away, CHIMO! rings on the default device. (What the list shows is tested in-process.)
# Usage: device.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
rc quit >/dev/null 2>&1 || true
rm -f "$WINEPREFIX/drive_c/windows/CHIMO.INI"

cat >"$work/asound.conf" <<ALSA
pcm.!default { type file; slave.pcm { type null }; file "$work/default.raw"; format "raw" }
pcm.devA { type file; slave.pcm { type null }; file "$work/a.raw"; format "raw" }
pcm.devB { type file; slave.pcm { type null }; file "$work/b.raw"; format "raw" }
ALSA
export ALSA_CONFIG_PATH=$work/asound.conf
drivers='HKCU\Software\Wine\Drivers'
restore+=("wine reg delete '$drivers' /v Audio /f >/dev/null 2>&1"
    "wine reg delete '$drivers\\winealsa.drv' /f >/dev/null 2>&1")
wine reg add "$drivers" /v Audio /d alsa /f >/dev/null
devices() {
    wine reg add "$drivers\\winealsa.drv" /v ALSAOutputDevices /t REG_MULTI_SZ /d "$1" /f >/dev/null
}
devices 'devA\0devB'
tone quarter 880
slots_ring "$work/quarter.wav"
captures() { rm -f "$work/default.raw" "$work/a.raw" "$work/b.raw"; }
# heard_only DEVICE: the tone was written to DEVICE's file whole, and to no other device.
heard_only() {
    local bytes other
    bytes=$(sox "$work/quarter.wav" -t raw - | wc -c)
    for _ in $(seq 300); do
        [ "$(stat -c %s "$work/$1.raw" 2>/dev/null || echo 0)" -ge "$bytes" ] && break
        sleep 0.1
    done
    cmp -s -n "$bytes" <(sox "$work/quarter.wav" -t raw -) "$work/$1.raw" ||
        { echo "FAIL: $1 did not play the tone"; return 1; }
    for other in default a b; do
        [ "$other" = "$1" ] || [ ! -s "$work/$other.raw" ] ||
            { echo "FAIL: $other heard it too"; return 1; }
    done
}

wine "$chimo" >/dev/null 2>&1 &
rc wait
rc state settings
listed=$(rc items IDC_DEVICE | tr -d '\r')
b=$(grep -n 'devB' <<<"$listed" | cut -d: -f1) ||
    { echo "FAIL: devB is not in the list:"; echo "$listed"; exit 1; }
rc send IDC_DEVICE CB_SETCURSEL $((b - 1)) 0
rc command IDC_DEVICE CBN_SELCHANGE
rc command IDOK
rc quit
captures
start_in_zone 0 wine "$chimo"
python3 "$(dirname "$0")/chime_heard.py" "$work/b.raw" "$boundary" "$work/quarter.wav" 100 0 ||
    { echo "FAIL: the chime did not ring on the device chosen"; exit 1; }
heard_only b
pass "after OK and a restart, the chime rings on the device chosen alone"

devices 'devA'
rc quit
captures
start_in_zone 0 wine "$chimo"
python3 "$(dirname "$0")/chime_heard.py" "$work/default.raw" "$boundary" "$work/quarter.wav" 100 0 ||
    { echo "FAIL: with its device gone, the chime did not ring on the default device"; exit 1; }
heard_only default
pass "with its device gone the chime rings on the default one"
echo "$passed passed, 0 failed"
