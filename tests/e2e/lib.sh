# Shared by the shell-driven black-box tests. Sourced after setting $chimo and $remote.
: "${CHIMO_CAPTURE:?run through scripts/test}"
set -E  # the trap below also reports failures inside functions
trap 'echo "FAIL: ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND"' ERR
work=$(mktemp -d)
leftovers=() # files a test puts outside $work, removed however it ends
restore=()   # commands that put back what a test changed outside $work, run however it ends
trap 'rc quit >/dev/null 2>&1 || true; for c in "${restore[@]}"; do eval "$c" || true; done
      rm -rf "$work" "${leftovers[@]}"' EXIT

# The remote control, where the program runs (a test in a virtual desktop redefines it).
rc() { wine "$remote" "$@"; }
# tone NAME HZ: a 0.4 s test tone in the capture's format.
tone() { sox -n -r 22050 -b 16 -c 1 "$work/$1.wav" synth 0.4 sine "$2"; }
passed=0
pass() { echo "ok: $1"; passed=$((passed + 1)); }
winpath() { echo "Z:${1//\//\\}"; }

# start_in_zone MINUTE COMMAND...: runs COMMAND (a start of CHIMO!, in the background) in a time
# zone of its own, whose local minute MINUTE (0 to 59) begins some 15 to 75 s after the program
# is up, and sets $boundary to that moment (UTC seconds) and $ahead to the zone's minutes ahead
# of UTC. The zone is chosen from the clock just
# before the start; a start so slow that fewer than 12 s are left once the program is up is
# undone and made again in a zone chosen anew (the second start is quicker: Wine is warm).
# The zone's offset is never a whole quarter hour, so UTC's quarters are not the local ones.
# A test may define before_start, which then runs before each start.
start_in_zone() {
    local minute=$1 attempt now up
    shift
    for attempt in 1 2 3 4; do
        now=$(date -u +%s)
        ahead=$(((minute - 1 - now / 60 % 60 + 120) % 60)) # the local minute is one before
        if ((now % 60 > 45)); then ahead=$(((ahead + 59) % 60)); fi # too close: two before
        if ((ahead % 15 == 0)); then ahead=$(((ahead + 59) % 60)); fi
        printf 'Zone Z%s 0:%02d - ZZZ\n' "$attempt" "$ahead" >"$work/zone.zi"
        /usr/sbin/zic -d "$work" "$work/zone.zi"
        ! declare -F before_start >/dev/null || before_start
        boundary=$((now - now % 60 + (minute - (now / 60 + ahead) % 60 + 60) % 60 * 60))
        TZ=$work/Z$attempt "$@" >/dev/null 2>&1 &
        rc wait
        up=$(date -u +%s)
        ((boundary - up < 12)) || return 0
        echo "(CHIMO! was up only $((boundary - up)) s before its boundary: started again)"
        rc quit >/dev/null
        rm -f "$CHIMO_CAPTURE"
    done
    echo "FAIL: CHIMO! never started 12 s before a boundary"
    return 1
}
