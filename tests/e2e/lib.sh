# Shared by the shell-driven black-box tests. Sourced after setting $chimo and $remote.
: "${CHIMO_CAPTURE:?run through scripts/test}"
set -E  # the trap below also reports failures inside functions
trap 'echo "FAIL: ${BASH_SOURCE[0]}:$LINENO: $BASH_COMMAND"' ERR
work=$(mktemp -d)
leftovers=() # files a test puts outside $work, removed however it ends
restore=()   # commands that put back what a test changed outside $work, run however it ends
trap 'rc quit >/dev/null 2>&1 || true; for c in "${restore[@]}"; do eval "$c" || true; done
      rm -rf "$work" "${leftovers[@]}"' EXIT

# No CHIMO! of a test before runs on (one in a virtual desktop of its own is out of reach of
# the remote control here): at its end it would save its settings over this test's. (A Wine
# process is named after its program; pgrep takes no pattern longer than a name, 15 bytes.)
for _ in $(seq 100); do
    pgrep -x CHIMO.EXE >/dev/null || pgrep -x BELLS.EXE >/dev/null || break
    sleep 0.2
done
pkill -9 -x CHIMO.EXE 2>/dev/null || true
pkill -9 -x BELLS.EXE 2>/dev/null || true

# The remote control, where the program runs (a test in a virtual desktop redefines it).
rc() { wine "$remote" "$@"; }
# tone NAME HZ: a 0.4 s test tone in the capture's format.
tone() { sox -n -r 22050 -b 16 -c 1 "$work/$1.wav" synth 0.4 sine "$2"; }
# fresh_account: no CHIMO! running, no profile, no sounds chosen: full volume, no lead-in, and
# nothing of the tests before.
fresh_account() {
    rc quit >/dev/null 2>&1 || true
    rm -f "$WINEPREFIX/drive_c/windows/CHIMO.INI"
    wine reg delete 'HKCU\AppEvents\Schemes\Apps\CHIMO!' /f >/dev/null 2>&1 || true
}
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
# A test may define before_start, which then runs before each start, and zone_chosen, which
# runs then too, once $boundary and $ahead are set.
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
        zone=$work/Z$attempt
        boundary=$((now - now % 60 + (minute - (now / 60 + ahead) % 60 + 60) % 60 * 60))
        ! declare -F zone_chosen >/dev/null || zone_chosen
        TZ=$zone "$@" >/dev/null 2>&1 &
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

# in_desktops PREFIX: from here on CHIMO! runs in Wine's virtual desktop, whose taskbar has a
# tray, and so do the remote control and `in_desktop COMMAND...`. Each start gets a desktop of
# its own (named PREFIX-1, PREFIX-2, ...), which it brings up: once an icon has taken the place
# of another, Wine's taskbar shows the old one's tooltip text. Programs in a virtual desktop see
# only its windows. The remote runs once the desktop is up (an explorer started before would
# make a desktop of its own); the explorer that runs it may return before it ends, and passes
# on neither its output nor its exit code, so the remote writes both to files, waited for.
in_desktops() {
    desktop_prefix=$1 starts=0 name= desktop=
    in_desktop() { wine explorer "$desktop" "$@"; }
    before_start() {
        starts=$((starts + 1))
        name=$desktop_prefix-$starts
        desktop=/desktop=$name,400x300
    }
    rc() {
        timeout 60 xdotool search --sync --name "^$name - Wine desktop\$" >/dev/null ||
            { echo "FAIL: the virtual desktop never came up"; return 1; }
        rm -f "$work/status" "$work/status.out"
        CHIMO_REMOTE_STATUS=$(winpath "$work/status") in_desktop "$remote" "$@" >/dev/null
        for _ in $(seq 1500); do
            [ -s "$work/status" ] && break
            sleep 0.1
        done
        tr -d '\r' <"$work/status.out" 2>/dev/null || true
        [ "$(cat "$work/status" 2>/dev/null)" = 0 ] ||
            { echo "(the remote control's '$*' ended with '$(cat "$work/status" 2>/dev/null)')"; return 1; }
    }
}

# tray_tip: prints the tray icon's tooltip, as the taskbar shows it when the pointer comes to
# rest on the icon (the bottom right of the desktop). Wine's taskbar shows it while it is the
# active window, and closes it after a while: so a click on the taskbar's empty middle first,
# and again until it is read.
tray_tip() {
    local id X Y WIDTH HEIGHT SCREEN WINDOW tip
    id=$(xdotool search --name "^$name - Wine desktop\$" | tail -1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    for _ in 1 2 3 4 5 6; do
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10)) click 1
        sleep 0.3
        xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT - 10))
        sleep 0.3
        xdotool mousemove $((X + WIDTH - 9)) $((Y + HEIGHT - 9))
        tip=$(rc tooltip 5) && break
    done
    echo "$tip"
}

# slots_ring FILE: every slot's sound is FILE.
slots_ring() {
    for key in '(XX:00) Hourly' '(XX:15) Quarter After' '(XX:30) Half Past' '(XX:45) Quarter Til'; do
        wine reg add "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\$key\\.current" /ve \
            /d "$(winpath "$1")" /f >/dev/null
    done
}

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

# heard: the tones the capture holds once they have sounded (for $listen seconds after the
# boundary, 9 unless set), as "Hz@ms" from the first, each 440, 660 or 880 Hz.
heard() {
    python3 - "$CHIMO_CAPTURE" "$boundary" "${listen:-9}" <<'PY'
import os, struct, sys, time
capture, boundary = sys.argv[1], float(sys.argv[2])
while time.time() < boundary + float(sys.argv[3]):
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
