#!/usr/bin/env bash
# Black-box: starting CHIMO.EXE again always leaves exactly one instance, the new one, showing
# what the old one had typed but never confirmed, whatever window the old one had open; the end
# of the session saves too; a renamed copy counts as an instance, a stranger's window titled
# "CHIMO!" does not, a CHIMO.EXE from before the mark does; ten takeovers in a row lose no
# edit; and of three started at the same moment one runs on.
# Usage: takeover.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
rc quit >/dev/null 2>&1 || true

# launch EXE: starts it in the background (never holding this script's output) and waits for
# its window; the process id is in $pid.
launch() {
    wine "$1" >/dev/null 2>&1 &
    pid=$!
    rc wait
}
# gone PID: true when that process has ended within a minute, with exit code 0. (Wine reports 0
# for a process another one ended too: what the new instance shows tells that the old one saved.)
gone() {
    for _ in $(seq 600); do
        if ! kill -0 "$1" 2>/dev/null; then
            local code=0
            wait "$1" 2>/dev/null || code=$?
            [ "$code" -eq 0 ] || echo "the old instance ended with code $code"
            return "$code"
        fi
        sleep 0.1
    done
    return 1
}
# shows TEXT: the running CHIMO! shows TEXT in the Half Past slot.
shows() {
    local shown
    shown=$(rc gettext IDC_SOUND_HALF_PAST | tr -d '\r')
    [ "$shown" = "$1" ] || { echo "FAIL: CHIMO! shows '$shown', not '$1'"; return 1; }
}
# takes_over OLD_PID: a new CHIMO.EXE starts, the old process ends by itself, and the new one
# shows the edit the old one was left with.
takes_over() {
    launch "$chimo"
    gone "$1" || { echo "FAIL: the old instance did not save and exit by itself"; return 1; }
    rc wait
    shows "$edit"
}

# A browser that cannot be started, so the About box's web link fails (put back at the end).
http='HKCR\http\shell\open\command'
browser=$(wine reg query "$http" /ve 2>/dev/null | tr -d '\r' | awk -F'    ' '/REG_/ {print $4}' || true)
restore+=("wine reg add '$http' /ve /d '$browser' /f >/dev/null 2>&1")
wine reg add "$http" /ve /d '"C:\no-such-folder\browser.exe" "%1"' /f >/dev/null

# Windows titled "CHIMO!" of other programs are never sent anything.
rc stranger 120 >"$work/stranger.out" &
stranger=$!
for _ in $(seq 600); do grep -q ready "$work/stranger.out" && break; sleep 0.1; done
grep -q ready "$work/stranger.out" || { echo "FAIL: the strangers' windows never came up"; exit 1; }
launch "$chimo"
wait "$stranger" || true
# Its word, not its exit code: Wine reports 0 for a process that another one ended.
[ "$(tr -d '\r' <"$work/stranger.out")" = "$(printf 'ready\nleft alone')" ] ||
    { echo "FAIL: a stranger's window titled CHIMO! was closed, or its program ended"; exit 1; }
pass "strangers titled CHIMO! were left alone"
for state in none settings about quit invalidtime missingfile linkerror browse menu; do
    [ "$state" = none ] || rc state "$state"
    # Typed while that window is up (opening the settings window reloads the fields).
    edit="C:\\UNSAVED\\${state^^}.WAV" # the slot fields are upper-case
    rc settext IDC_SOUND_HALF_PAST "$edit"
    takes_over "$pid"
    pass "taken over while showing: $state"
done

# Closed as an installer closes a program in its way (the Restart Manager ends its session):
# it saves and goes, and the next start shows the edit.
edit='C:\ENDSESSION.WAV'
rc settext IDC_SOUND_HALF_PAST "$edit"
rc endsession
gone "$pid" || { echo "FAIL: the session's end did not save and exit"; exit 1; }
launch "$chimo"
shows "$edit"
pass "the end of the session saved and closed it"

# A copy under another name is still an instance, and is taken over in turn.
cp "$chimo" "$work/BELLS.EXE"
old=$pid
launch "$work/BELLS.EXE"
gone "$old"
rc wait
edit='C:\RENAMED.WAV'
rc settext IDC_SOUND_HALF_PAST "$edit"
takes_over "$pid"
pass "a renamed copy took over and was taken over"

# A CHIMO.EXE from before the instance mark is an instance too.
rc quit
mkdir -p "$work/old"
cp "$remote" "$work/old/CHIMO.EXE"
wine "$work/old/CHIMO.EXE" old >"$work/old/up" 2>/dev/null &
old=$!
for _ in $(seq 300); do grep -q ready "$work/old/up" && break; sleep 0.1; done
launch "$chimo"
gone "$old" || { echo "FAIL: the earlier version did not end as asked"; exit 1; }
pass "a CHIMO! from before the mark was taken over"

# Ten in a row, each with an edit of its own.
for i in $(seq 10); do
    edit="C:\\STORM\\$i.WAV"
    rc settext IDC_SOUND_HALF_PAST "$edit"
    takes_over "$pid"
done
pass "ten takeovers in a row kept every edit"

# Three started at the same instant (the sign-in entry and two clicks), round after round, each
# beside the one left running: one runs on. Their start-ups overlap for sure: the remote control
# creates the three processes suspended and then lets them all go. (A Wine process is named after
# its program.)
instances() { pgrep -xc "$(basename "$chimo")" || true; }
for round in 1 2 3 4; do
    rc launch 3 "$(winpath "$chimo")"
    for _ in $(seq 120); do
        sleep 0.5
        [ "$(instances)" -ne 1 ] || break
    done
    sleep 3 # and stays one
    running=$(instances) windows=$(rc count | tr -d '\r')
    [ "$running" -eq 1 ] && [ "$windows" -eq 1 ] ||
        { echo "FAIL: round $round: $running processes and $windows windows after three simultaneous starts"; exit 1; }
done
rc wait
pass "three simultaneous starts, four times over, left one instance"
echo "$passed passed, 0 failed"
