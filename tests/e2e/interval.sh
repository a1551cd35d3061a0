#!/usr/bin/env bash
# Black-box: the time told every few minutes, where no voice speaks (Wine has none), heard in
# the capture with short tones (the hour bell at 440 Hz, the quarter bell at 880 Hz): every 5
# minutes strikes the ten hours at 10:05 and nothing else; at 10:15 only the quarter rings;
# every 10 minutes keeps 10:05 silent. (Which minutes tell, and the silences they keep, are the
# in-process and native tests'.)
# Usage: interval.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
fresh_account
tone hour 440
tone quarter 880
for t in hour quarter; do sox "$work/$t.wav" "$work/short-$t.wav" trim 0 0.15; done
for key in '(XX:00) Hourly' '(XX:15) Quarter After'; do
    [[ $key == *Hourly ]] && t=hour || t=quarter
    wine reg add "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\$key\\.current" /ve \
        /d "$(winpath "$work/short-$t.wav")" /f >/dev/null
done
ini() {
    printf '[Options]\r\nVolume=100\r\nWake_Speakers=0\r\nSpeak_Only=1\r\nTell_Every=%s\r\n' "$1" \
        >"$WINEPREFIX/drive_c/windows/CHIMO.INI"
}
listen=13

ini 5
start_at 10 5
expect "every 5 minutes, at 10:05 (speak only, no voice)" \
    "440@0 440@1000 440@2000 440@3000 440@4000 440@5000 440@6000 440@7000 440@8000 440@9000"
rc quit

start_at 10 15
expect "every 5 minutes, at 10:15" "880@0"
rc quit

ini 10
start_at 10 5
expect "every 10 minutes, at 10:05" ""
echo "$passed passed, 0 failed"
