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
