#!/usr/bin/env bash
# Black-box: the portable zip unpacked on a drive of its own and started from there rings its
# own bells at the hour, keeps a sound and an option confirmed with OK in its own CHIMO.INI,
# the sound by its path from the program's folder (no drive letter), and writes nothing to the
# registry's sound scheme or the Windows directory. Then the installed way, with a Windows
# directory that refuses the file: the settings go to %APPDATA%\CHIMO\CHIMO.INI and are there
# at the next start.
# Usage: portable.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"
repo=$(cd "$(dirname "$0")/../.." && pwd)
fresh_account
windows_ini=$WINEPREFIX/drive_c/windows/CHIMO.INI
scheme='HKCU\AppEvents\Schemes\Apps\CHIMO!'

python3 "$repo/package/pack.py" "$repo" "$chimo" "$work/dist" >/dev/null
mkdir "$work/stick"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$work/dist/CHIMO-1.60-portable.zip" "$work/stick"
ln -s "$work/stick" "$WINEPREFIX/dosdevices/p:"
leftovers+=("$WINEPREFIX/dosdevices/p:")
ini=$work/stick/CHIMO/CHIMO.INI

rm -f "$CHIMO_CAPTURE" # what the tests before left there
start_in_zone 0 wine 'P:\CHIMO\CHIMO.EXE'
python3 "$(dirname "$0")/chime_heard.py" "$CHIMO_CAPTURE" "$boundary" \
    "$work/stick/CHIMO/Sounds/Hour.wav" 100 0 ||
    { echo "FAIL: the portable CHIMO! did not ring its own hour bell"; exit 1; }
pass "started from P:, the portable CHIMO! rings its own hour bell"

rc state settings
rc settext IDC_SOUND_HALF_PAST "P:\\CHIMO\\Sounds\\Ship's Bell.wav"
rc send IDC_MULTI BM_CLICK 0 0
rc command IDOK
rc quit
tr -d '\r' <"$ini" >"$work/ini.txt"
grep -qx 'Multi_Chimo=1' "$work/ini.txt" || { echo "FAIL: the option is not in its CHIMO.INI"; cat "$work/ini.txt"; exit 1; }
grep -qix "Half_Past=Sounds\\\\Ship's Bell.wav" "$work/ini.txt" ||
    { echo "FAIL: the sound is not kept by its path from the program's folder"; cat "$work/ini.txt"; exit 1; }
! grep -qi 'P:' "$work/ini.txt" || { echo "FAIL: its CHIMO.INI names the drive"; exit 1; }
! wine reg query "$scheme" >/dev/null 2>&1 || { echo "FAIL: the portable CHIMO! wrote the sound scheme"; exit 1; }
[ ! -e "$windows_ini" ] || { echo "FAIL: the portable CHIMO! wrote $windows_ini"; exit 1; }
pass "OK keeps the sound and the option in its own CHIMO.INI, without the drive letter, and nothing else"

# Installed: a Windows directory where CHIMO.INI cannot be written (a folder of that name).
mkdir "$windows_ini"
restore+=("rmdir '$windows_ini'")
roaming=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/CHIMO/CHIMO.INI
leftovers+=("$(dirname "$roaming")")
wine "$chimo" >/dev/null 2>&1 &
rc wait
rc state settings
rc send IDC_MULTI BM_CLICK 0 0
rc command IDOK
rc quit
grep -q 'Multi_Chimo=1' "$roaming" || { echo "FAIL: the settings are not in $roaming"; exit 1; }
wine "$chimo" >/dev/null 2>&1 &
rc wait
rc state settings
rc command IDOK
rc quit
grep -q 'Multi_Chimo=1' "$roaming" || { echo "FAIL: the next start did not find them there"; exit 1; }
pass "with the Windows directory refusing the file, the settings live in %APPDATA%\\CHIMO and stay"
echo "$passed passed, 0 failed"
