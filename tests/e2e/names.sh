#!/usr/bin/env bash
# Black-box: sound files named in Cyrillic and in Chinese characters. Each is typed into its
# slot, kept through OK and a restart, and rung at its quarter.
# Usage: names.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
fresh_account

tone колокол 880
tone 鐘の音 660
declare -A file=([колокол]=$(winpath "$work/колокол.wav") [鐘の音]=$(winpath "$work/鐘の音.wav"))
declare -A field=([колокол]=IDC_SOUND_QUARTER_AFTER [鐘の音]=IDC_SOUND_HALF_PAST)
declare -A key=([колокол]='(XX:15) Quarter After' [鐘の音]='(XX:30) Half Past')
declare -A minute=([колокол]=15 [鐘の音]=30)

# names TEXT NAME: TEXT names NAME's file (the slot field may change the letters' case).
names() {
    python3 -c 'import sys; sys.exit(sys.argv[1].casefold() != sys.argv[2].casefold())' \
        "$1" "${file[$2]}" || { echo "FAIL: '$1' is not ${file[$2]}"; return 1; }
}
# stored KEY: the text stored for the slot KEY (read whole: the console would show '?').
stored() {
    wine reg export "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\$1\\.current" "$work/slot.reg" /y \
        >/dev/null
    iconv -f UTF-16 -t UTF-8 "$work/slot.reg" | tr -d '\r' |
        sed -n 's/^@="\(.*\)"$/\1/p' | sed 's/\\\\/\\/g'
}

wine "$chimo" >/dev/null 2>&1 &
rc wait
rc state settings
for name in колокол 鐘の音; do rc settext "${field[$name]}" "${file[$name]}"; done

# OK finds both files (a question would leave it waiting), and saves them.
rc command IDOK || { echo "FAIL: OK did not find a file that is there"; exit 1; }
for name in колокол 鐘の音; do names "$(stored "${key[$name]}")" "$name"; done
pass "OK keeps both files: $(stored "${key[колокол]}") and $(stored "${key[鐘の音]}")"

# Started again in a zone of our own whose quarter of the file is seconds away: the slot shows
# it and the quarter rings it.
for name in колокол 鐘の音; do
    rc quit
    rm -f "$CHIMO_CAPTURE"
    start_in_zone "${minute[$name]}" wine "$chimo"
    names "$(rc gettext "${field[$name]}" | tr -d '\r')" "$name"
    python3 "$(dirname "$0")/chime_heard.py" "$CHIMO_CAPTURE" "$boundary" "$work/$name.wav" 100 0 ||
        { echo "FAIL: $name.wav did not ring at its quarter"; exit 1; }
    pass "after a restart the slot shows $name.wav and its quarter rings it"
done
echo "$passed passed, 0 failed"
