#!/usr/bin/env bash
# Black-box, as a user installs it: the MSI built from the release CHIMO.EXE installs silently
# for this user (files, Start-menu shortcut, installed-programs entry, sign-in entry); CHIMO!
# started from the shortcut strikes the bundled hour bell at the hour of a zone of our own; a
# sound the user chose survives an upgrade; uninstalling leaves nothing of ours. (The image
# and the zip's files are checked by the package test.)
# Usage: install.sh CHIMO.EXE chimo_remote.exe
# CHIMO.EXE is packed, installed and started: on a machine whose Wine runs only 64-bit
# programs, the x86_64 release build, and its package is an x64 one.
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
repo=$(cd "$(dirname "$0")/../.." && pwd)
rc quit >/dev/null 2>&1 || true

python3 "$repo/package/pack.py" "$repo" "$chimo" "$work/dist" >/dev/null
msi=$work/dist/CHIMO-1.60.msi
# The registry view the installed package writes to: the 32-bit one for an i686 package.
view=/reg:64
x86_64-w64-mingw32-objdump -f "$chimo" | grep -q 'pei-i386' && view=/reg:32

# The default value (or NAME) of a registry key, or nothing when there is none.
reg_value() {
    local key=$1 name=${2:-}
    if [ -n "$name" ]; then wine reg query "$key" /v "$name" $view 2>/dev/null; else wine reg query "$key" /ve $view 2>/dev/null; fi |
        tr -d '\r' | awk -F'    ' '/REG_/ {print $4}' || true
}
# The installed-programs entries named CHIMO!, one line each (Wine files per-user ones in HKLM).
arp_entries() {
    for hive in HKCU HKLM; do
        wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s $view 2>/dev/null |
            tr -d '\r' | awk '/^HKEY/ {key=$0} /DisplayName +REG_SZ +CHIMO!$/ {print key}' || true
    done
}
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
slots='HKCU\AppEvents\Schemes\Apps\CHIMO!'

# A user who has never run CHIMO!, and a silent install, no administrator rights asked for.
wine reg delete "$slots" /f >/dev/null 2>&1 || true
wine msiexec /i "$msi" /qn
local_app=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
roaming=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")
dir=$local_app/Programs/CHIMO
shortcut=$roaming/Microsoft/Windows/Start\ Menu/Programs/CHIMO!.lnk
leftovers+=("$dir") # however the test ends
for f in CHIMO.EXE README.txt LICENSE.txt "Sounds/Hour.wav" "Sounds/Quarter Past.wav" \
    "Sounds/Half Past.wav" "Sounds/Quarter To.wav" "Sounds/Quarter Bell.wav" \
    "Sounds/Ship's Bell.wav"; do
    [ -f "$dir/$f" ] || { echo "FAIL: $dir/$f was not installed"; exit 1; }
done
cmp -s "$dir/CHIMO.EXE" "$chimo" || { echo "FAIL: the installed CHIMO.EXE is not the one packed"; exit 1; }
[ -f "$shortcut" ] || { echo "FAIL: no Start-menu shortcut"; exit 1; }
[ "$(arp_entries | wc -l)" -eq 1 ] || { echo "FAIL: no installed-programs entry"; exit 1; }
arp=$(arp_entries)
[ "$(reg_value "$arp" DisplayVersion)" = 1.60.0 ] || { echo "FAIL: version"; exit 1; }
[ "$(reg_value "$arp" Publisher)" = "The CHIMO! Project" ] || { echo "FAIL: publisher"; exit 1; }
exe_win=$(winepath -w "$dir/CHIMO.EXE")
[ "$(reg_value "$run_key" 'CHIMO!')" = "\"$exe_win\"" ] || { echo "FAIL: no sign-in entry"; exit 1; }
pass "installed: files, shortcut, installed-programs entry, sign-in entry"

# Started as the shortcut starts it, in a zone of our own whose hour is seconds away and whose
# offset is no whole quarter: the bundled hour bell at the user's volume of 50 %, after
# the lead-in that wakes wireless speakers, its first note on the local hour. CHIMO! follows
# the system's local time, which obeys a zone file named in TZ; the C run-time cannot read
# such a name, takes UTC, and would ring nothing then.
tone quarter 880 # not installed: for the user's own choice below
rm -f "$CHIMO_CAPTURE"
printf '[Options]\r\nVolume=50\r\nWake_Speakers=1\r\n' >"$WINEPREFIX/drive_c/windows/CHIMO.INI"
start_in_zone 0 wine start "$(winepath -w "$shortcut")"
python3 "$(dirname "$0")/chime_heard.py" "$CHIMO_CAPTURE" "$boundary" "$dir/Sounds/Hour.wav" 50 700 ||
    { echo "FAIL: the bundled hour bell did not ring as set, on the hour"; exit 1; }
pass "the shortcut's CHIMO! struck the bundled hour bell at 50 %, after its lead-in, on the local hour"

# The user's own choice, saved as CHIMO! ends; then another build of the same version is
# installed over it, this time without the sign-in entry.
mine=$(winpath "$work/quarter.wav")
rc settext IDC_SOUND_QUARTER_AFTER "$mine"
rc quit
SOURCE_DATE_EPOCH=$(($(git -C "$repo" log -1 --format=%ct) + 60)) \
    python3 "$repo/package/pack.py" "$repo" "$chimo" "$work/dist2" >/dev/null
wine msiexec /i "$work/dist2/CHIMO-1.60.msi" AUTOSTART=0 /qn
[ "$(reg_value "$slots\\(XX:15) Quarter After\\.current")" = "${mine^^}" ] ||
    { echo "FAIL: the upgrade lost the user's sound"; exit 1; }
[ "$(arp_entries | wc -l)" -eq 1 ] || { echo "FAIL: the old version is still listed"; exit 1; }
[ -z "$(reg_value "$run_key" 'CHIMO!')" ] || { echo "FAIL: AUTOSTART=0 kept the sign-in entry"; exit 1; }
[ -f "$dir/CHIMO.EXE" ] || { echo "FAIL: the upgrade removed the program"; exit 1; }
pass "an upgrade keeps the user's sound; AUTOSTART=0 leaves out the sign-in entry"

wine msiexec /x "$work/dist2/CHIMO-1.60.msi" /qn
[ ! -e "$dir" ] || { echo "FAIL: left behind: $(find "$dir")"; exit 1; }
[ ! -e "$shortcut" ] || { echo "FAIL: the shortcut was left behind"; exit 1; }
[ -z "$(arp_entries)" ] || { echo "FAIL: still listed as installed"; exit 1; }
[ -z "$(reg_value "$run_key" 'CHIMO!')" ] || { echo "FAIL: the sign-in entry was left behind"; exit 1; }
[ -z "$(reg_value "$slots\\(XX:00) Hourly\\.Default")" ] || { echo "FAIL: the default sounds were left behind"; exit 1; }
[ "$(reg_value "$slots\\(XX:15) Quarter After\\.current")" = "${mine^^}" ] ||
    { echo "FAIL: the user's settings went too"; exit 1; }
pass "uninstalled: no file, shortcut, entry or default of ours left; the user's settings stay"
echo "$passed passed, 0 failed"
