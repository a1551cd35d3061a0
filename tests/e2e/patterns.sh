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
