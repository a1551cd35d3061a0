#!/usr/bin/env bash
# Black-box, with the sound device playing in real time: while CHIMO! strikes the hour under
# Multi-CHIMO! it answers within a second, 7 s into the strikes; and a second start then takes
# over with the edit that was typed but never confirmed.
# Usage: strikes_live.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

# The device: the file plugin writes into a FIFO, drained at the sound's byte rate (22 050 Hz,
# 16-bit mono), so that Wine's writes block as a sound card's would.
mkfifo "$work/pcm.fifo"
cat >"$work/live.conf" <<ALSA
pcm.!default { type file; slave.pcm { type null }; file "$work/pcm.fifo"; format "raw" }
ALSA
python3 - "$work/pcm.fifo" "$CHIMO_CAPTURE" <<'PY' &
import sys, time
fifo, capture = sys.argv[1:]
while True:
    with open(fifo, "rb") as source, open(capture, "ab") as sink:
        start, taken = time.monotonic(), 0
        while chunk := source.read(4410):
            sink.write(chunk); sink.flush()
            taken += len(chunk)
            time.sleep(max(0.0, start + taken / 44100 - time.monotonic()))
PY
drainer=$!
restore+=("kill $drainer 2>/dev/null")
export ALSA_CONFIG_PATH=$work/live.conf

printf '[Options]\r\nMulti_Chimo=1\r\nVolume=100\r\nWake_Speakers=0\r\n' \
    >"$WINEPREFIX/drive_c/windows/CHIMO.INI"
# Strikes that last at least 10 s whatever the zone's hour: 2.5 s each, longer for few hours.
zone_chosen() {
    strikes=$(((boundary / 60 + ahead) / 60 % 12))
    [ "$strikes" -gt 0 ] || strikes=12
    length=$(python3 -c "print(max(2.5, 10.5 / $strikes))")
    sox -n -r 22050 -b 16 -c 1 "$work/hour.wav" synth "$length" sine 440
    slots_ring "$work/hour.wav"
}
start_in_zone 0 wine "$chimo"
pid=$!
left=$((boundary + 7 - $(date -u +%s)))
((left <= 0)) || sleep "$left"
answered=$(rc ping 1000) || { echo "FAIL: 7 s into the strikes CHIMO! did not answer within 1 s"; exit 1; }
heard=$(stat -c %s "$CHIMO_CAPTURE" 2>/dev/null || echo 0)
whole=$(python3 -c "print(int($length * 44100) * $strikes)")
((heard > 5 * 44100 && heard < whole)) ||
    { echo "FAIL: $heard bytes heard 7 s in: not in the middle of $strikes strikes ($whole bytes)"; exit 1; }
pass "7 s into $strikes strikes of $length s, CHIMO! answered in $answered ms"

edit='C:\UNCONFIRMED.WAV'
rc settext IDC_SOUND_HALF_PAST "$edit"
wine "$chimo" >/dev/null 2>&1 &
for _ in $(seq 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$pid" 2>/dev/null || { echo "FAIL: the striking instance did not end"; exit 1; }
rc wait
shown=$(rc gettext IDC_SOUND_HALF_PAST | tr -d '\r')
[ "$shown" = "$edit" ] || { echo "FAIL: after the takeover CHIMO! shows '$shown', not '$edit'"; exit 1; }
pass "a second start during the strikes kept the edit not yet confirmed"
echo "$passed passed, 0 failed"
