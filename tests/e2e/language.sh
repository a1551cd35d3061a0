#!/usr/bin/env bash
# Black-box: CHIMO! speaks Windows' language, and the one chosen over it. Under a German Wine the
# window and the Quit question are German, under a Japanese one Japanese; with Language=en-US in
# its profile, English under the German one. (Wine takes its display language from LANG.)
# Usage: language.sh CHIMO.EXE chimo_remote.exe
set -euo pipefail
chimo=$1 remote=$2
source "$(dirname "$0")/lib.sh"

for locale in de_DE.utf8 ja_JP.utf8; do
    locale -a | grep -qix "$locale" ||
        { echo "FAIL: the Linux locale $locale is missing (Wine would speak English)"; exit 1; }
done

# LANG, the profile's Language (or none), then the Sound group's title, the Quit question's
# caption and its first line as CHIMO! must show them.
cases=(
    "de_DE.UTF-8||Klang|CHIMO!: Beenden...|Wenn Sie CHIMO! beenden, erklingen keine CHIMO!-Klänge mehr."
    "ja_JP.UTF-8||サウンド|CHIMO!: 終了...|終了すると CHIMO! のサウンドは鳴らなくなります。"
    "de_DE.UTF-8|en-US|Sound|CHIMO!: Exit...|CHIMO! sound events will not play if you exit."
)
for case in "${cases[@]}"; do
    IFS='|' read -r lang chosen group caption question <<<"$case"
    fresh_account
    if [ -n "$chosen" ]; then
        printf '[Options]\r\nLanguage=%s\r\n' "$chosen" >"$WINEPREFIX/drive_c/windows/CHIMO.INI"
    fi
    LANG=$lang LC_ALL=$lang wine "$chimo" >/dev/null 2>&1 &
    rc wait
    shown=$(rc gettext IDC_SOUND_GROUP | tr -d '\r')
    [ "$shown" = "$group" ] ||
        { echo "FAIL: under $lang with Language='$chosen' the Sound group reads '$shown', not '$group'"; exit 1; }
    asked=$(rc ask ID_QUIT | tr -d '\r')
    [ "$(sed -n 1p <<<"$asked")" = "$caption" ] && [ "$(sed -n 2p <<<"$asked")" = "$question" ] ||
        { echo "FAIL: under $lang with Language='$chosen' the Quit question is: $asked"; exit 1; }
    pass "under $lang with Language='$chosen': '$group', and '$caption' asks '$question'"
    rc quit
done
echo "$passed passed, 0 failed"
