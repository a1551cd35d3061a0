#!/usr/bin/env bash
# Black-box: starting CHIMO.EXE again always leaves exactly one instance, the new one, showing
# what the old one had typed but never confirmed, whatever window the old one had open; the end
# of the session saves too; a renamed copy counts as an instance, a stranger's window titled
# "CHIMO!" does not; and ten takeovers in a row lose no edit.
# Usage: takeover.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
wine "$remote" quit >/dev/null 2>&1 || true

# launch EXE: starts it in the background (never holding this script's output) and waits for
# its window; the process id is in $pid.
launch() {
    wine "$1" >/dev/null 2>&1 &
    pid=$!
    wine "$remote" wait
}
# gone PID: true when that process has ended by itself (exit code 0: saved and left, not
# terminated by the new instance when its wait ran out).
gone() {
    for _ in $(seq 150); do
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
# takes_over OLD_PID EXPECTED: a new CHIMO.EXE starts, the old process ends, and the new one
# shows EXPECTED in the Half Past slot.
takes_over() {
    launch "$chimo"
    gone "$1" || { echo "FAIL: the old instance did not save and exit by itself"; return 1; }
    wine "$remote" wait
    shown=$(wine "$remote" gettext 1003 | tr -d '\r')
    [ "$shown" = "$2" ] || { echo "FAIL: the new instance shows '$shown', not '$2'"; return 1; }
}

# A browser that cannot be started, so the About box's web link fails (put back at the end).
http='HKCR\http\shell\open\command'
browser=$(wine reg query "$http" /ve 2>/dev/null | tr -d '\r' | awk -F'    ' '/REG_/ {print $4}' || true)
restore+=("wine reg add '$http' /ve /d '$browser' /f >/dev/null 2>&1")
wine reg add "$http" /ve /d '"C:\no-such-folder\browser.exe" "%1"' /f >/dev/null

passed=0
# Windows titled "CHIMO!" of other programs are never sent anything.
wine "$remote" stranger 8 &
stranger=$!
sleep 2
launch "$chimo"
wait "$stranger" || { echo "FAIL: a stranger's window titled CHIMO! was closed"; exit 1; }
wine "$remote" wait
echo "strangers titled CHIMO! were left alone"
passed=$((passed + 1))
for state in none settings about quit invalidtime missingfile linkerror browse menu; do
    old=$pid # the instance the last takeover left running
    edit="C:\\UNSAVED\\${state^^}.WAV" # the slot fields are upper-case
    [ "$state" = none ] || wine "$remote" state "$state"
    # Typed while that window is up (opening the settings window reloads the fields).
    wine "$remote" settext 1003 "$edit"
    takes_over "$old" "$edit"
    echo "taken over while showing: $state"
    passed=$((passed + 1))
done

# Closed as an installer closes a program in its way (the Restart Manager ends its session):
# it saves and goes, and the next start shows the edit.
old=$pid
wine "$remote" settext 1003 'C:\ENDSESSION.WAV'
wine "$remote" endsession
gone "$old" || { echo "FAIL: the session's end did not save and exit"; exit 1; }
launch "$chimo"
shown=$(wine "$remote" gettext 1003 | tr -d '\r')
[ "$shown" = 'C:\ENDSESSION.WAV' ] || { echo "FAIL: after the session's end: '$shown'"; exit 1; }
echo "the end of the session saved and closed it"
passed=$((passed + 1))

# A copy under another name is still an instance.
cp "$chimo" "$work/BELLS.EXE"
old=$pid
launch "$work/BELLS.EXE"
gone "$old" # the copy took over from the last CHIMO.EXE above
wine "$remote" wait
old=$pid
wine "$remote" settext 1003 'C:\RENAMED.WAV'
takes_over "$old" 'C:\RENAMED.WAV'
echo "a renamed copy was taken over"
passed=$((passed + 1))

# A hung instance holds a new start for seconds, not minutes, and is then ended.
wine "$remote" quit
wine "$remote" hang >/dev/null 2>&1 &
hung=$!
sleep 1
started=$(date +%s)
launch "$chimo"
took=$(($(date +%s) - started))
sleep 1
if kill -0 "$hung" 2>/dev/null; then echo "FAIL: the hung instance is still running"; exit 1; fi
echo "a hung instance held the start for ${took} s, and was ended"
[ "$took" -le 20 ] || { echo "FAIL: the hung instance held the start too long"; exit 1; }
wine "$remote" quit
passed=$((passed + 1))
launch "$chimo"

# Ten in a row, each with an edit of its own.
for i in $(seq 10); do
    old=$pid
    wine "$remote" settext 1003 "C:\\STORM\\$i.WAV"
    takes_over "$old" "C:\\STORM\\$i.WAV"
done
echo "ten takeovers in a row kept every edit"
passed=$((passed + 1))
echo "$passed passed, 0 failed"
