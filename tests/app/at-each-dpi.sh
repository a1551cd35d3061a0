#!/usr/bin/env bash
# Runs the display-scale tests of app_tests.exe at 120, 144 and 192 DPI (125 %, 150 % and
# 200 %; the plain run is at 96), and puts the prefix's scale back afterwards.
# Usage: at-each-dpi.sh app_tests.exe
set -euo pipefail
key='HKCU\Control Panel\Desktop'
trap 'wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
status=0
for dpi in 120 144 192; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    echo "== $dpi DPI"
    CHIMO_TEST_DPI=$dpi wine "$1" --gtest_filter='*DisplayScale' --gtest_brief=1 ||
        status=1
done
exit $status
