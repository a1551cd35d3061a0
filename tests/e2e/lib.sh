# Shared by the shell-driven black-box tests. Sourced after setting $chimo and $remote.
: "${CHIMO_CAPTURE:?run through scripts/test}"
set -E  # the trap below also reports failures inside functions
trap 'echo "FAIL: ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND"' ERR
work=$(mktemp -d)
leftovers=() # files a test puts outside $work, removed however it ends
restore=()   # commands that put back what a test changed outside $work, run however it ends
trap 'wine "$remote" quit >/dev/null 2>&1 || true; for c in "${restore[@]}"; do eval "$c" || true; done
      rm -rf "$work" "${leftovers[@]}"' EXIT

# tone NAME HZ: a 0.4 s test tone in the capture's format.
tone() { sox -n -r 22050 -b 16 -c 1 "$work/$1.wav" synth 0.4 sine "$2"; }
passed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
winpath() { echo "Z:${1//\//\\}"; }
# captured_is WAV: true when the capture holds exactly that file's samples, the whole sound.
captured_is() {
    python3 - "$1" "$CHIMO_CAPTURE" <<'PY'
import struct, sys
wav, captured = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
at = 12
while wav[at:at + 4] != b'data':
    at += 8 + struct.unpack('<I', wav[at + 4:at + 8])[0]
size = struct.unpack('<I', wav[at + 4:at + 8])[0]
sys.exit(0 if captured == wav[at + 8:at + 8 + size] else 1)
PY
}
# captured_whole WAV: waits (up to 30 s, however long a busy machine takes to play it) until
# the capture is exactly that sound.
captured_whole() {
    for _ in $(seq 150); do captured_is "$1" 2>/dev/null && return 0; sleep 0.2; done
    return 1
}
# waits up to $1 seconds for a sound; true when one was captured.
heard_within() {
    for _ in $(seq $(($1 * 10))); do [ -s "$CHIMO_CAPTURE" ] && return 0; sleep 0.1; done
    return 1
}
