#!/usr/bin/env bash
# Black-box: the ways of striking, counted in the capture with short tones (the hour bell at
# 440 Hz, the quarter bell at 880 Hz, the half-hour stroke at 660 Hz): ship's bells at 4:00
# (eight, in pairs), quarter strikes at 3:00 under Multi-CHIMO! (four, then three hours), the
# half-hour stroke at 9:30 (one). Each in a zone of its own whose local time is that at a
# boundary seconds away. (The other quarters of each way, and the silent ones, are the
# in-process tests'.)
# Usage: patterns.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
fresh_account
tone hour 440
tone quarter 880
tone half 660
for t in hour quarter half; do sox "$work/$t.wav" "$work/short-$t.wav" trim 0 0.15; done
set_slot() {
    wine reg add "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\$1\\.current" /ve \
        /d "$(winpath "$work/short-$2.wav")" /f >/dev/null
}
set_slot '(XX:00) Hourly' hour
set_slot '(XX:15) Quarter After' quarter
set_slot '(XX:30) Half Past' half
set_slot '(XX:45) Quarter Til' half

# start_at HOUR MINUTE: CHIMO! started in a zone whose local time is HOUR:MINUTE at $boundary,
# some 15 to 75 s away (start_in_zone's minute, with the zone's hours added).
start_at() {
    local hour=$1 minute=$2
    zone_chosen() {
        local utc=$(((boundary / 60) % 1440)) want=$((hour * 60 + minute))
        ahead=$(((want - utc + 1440) % 1440))
        printf 'Zone Z%s %d:%02d - ZZZ\n' "$attempt" $((ahead / 60)) $((ahead % 60)) >"$work/zone.zi"
        /usr/sbin/zic -d "$work" "$work/zone.zi"
    }
    rm -f "$CHIMO_CAPTURE"
    start_in_zone "$minute" wine "$chimo"
}

# heard PATTERN: the tones the capture holds once they have sounded, as "Hz@ms" from the first.
heard() {
    python3 - "$CHIMO_CAPTURE" "$boundary" <<'PY'
import os, struct, sys, time
capture, boundary = sys.argv[1], float(sys.argv[2])
while time.time() < boundary + 9:
    time.sleep(0.2)
data = open(capture, "rb").read() if os.path.exists(capture) else b""
s = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
rate, window = 22050, 220
loud = [max(abs(v) for v in s[i:i + window]) > 1000 for i in range(0, len(s) - window + 1, window)]
out, start, first = [], None, None
for i, on in enumerate(loud + [False]):
    if on and start is None:
        start = i
    elif not on and start is not None:
        whole = s[start * window:i * window]
        part = whole[len(whole) // 4:len(whole) * 3 // 4]  # its steady middle
        hz = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0)) / 2 / (len(part) / rate)
        at = start * window * 1000 // rate
        first = at if first is None else first
        tone = min((440, 660, 880), key=lambda t: abs(t - hz))
        out.append("%d@%d" % (tone, round((at - first) / 100) * 100))
        start = None
print(" ".join(out))
PY
}
# expect WHAT WANTED: the strikes heard are WANTED.
expect() {
    local got
    got=$(heard)
    [ "$got" = "$2" ] || { echo "FAIL: $1: heard '$got', not '$2'"; exit 1; }
    pass "$1: $2"
}
ini() { printf '[Options]\r\nVolume=100\r\nWake_Speakers=0\r\n%s' "$1" >"$WINEPREFIX/drive_c/windows/CHIMO.INI"; }
pairs() { # N strikes of the hour bell in pairs
    local i out=
    for ((i = 0; i < $1; i++)); do out+=" 440@$((i / 2 * 2000 + i % 2 * 500))"; done
    echo "${out# }"
}

ini $'Pattern=2\r\nMulti_Chimo=1\r\n'
start_at 4 0
expect "ship's bells at 4:00" "$(pairs 8)"
rc quit

ini $'Pattern=1\r\nMulti_Chimo=1\r\n'
start_at 3 0
expect "quarter strikes at 3:00 under Multi-CHIMO!" \
    "880@0 880@600 880@1200 880@1800 440@2800 440@3800 440@4800"
rc quit

ini $'Pattern=3\r\nMulti_Chimo=0\r\n'
start_at 9 30
expect "the half-hour stroke at 9:30" "660@0"
echo "$passed passed, 0 failed"
