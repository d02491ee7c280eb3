#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays a whole round of trevika.exe under Wine with real key presses while a screen reader's
# side of UI Automation stands in: UiaClient asks the window for its UI Automation root, as a
# screen reader does, and a recording UIAutomationCore.dll in the prefix's system32 writes each
# notification event's text to RECORDING, a line each. Wine's own library lacks the notification
# call. The recording must hold the round's 60 verdicts as their one-line spoken texts, a right
# one and a wrong one first, and then the review's score.
#   check_windows_screen_reader.sh EXE RECORDER CLIENT RECORDING     (needs DISPLAY, Wine, xdotool)
set -euo pipefail
exe=$1 recorder=$2 client=$3 recording=$4
# shellcheck source=wine-play.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-play.sh"

# Qt loads the library from the system folder only; Wine's own goes back there afterwards.
library="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/system32/uiautomationcore.dll"
if ! cmp -s "$recorder" "$library"; then
    cp "$library" "$work/wine-uiautomationcore.dll"
fi
restore() {
    if [ -f "$work/wine-uiautomationcore.dll" ]; then
        cp "$work/wine-uiautomationcore.dll" "$library"
    fi
    finish
}
trap restore EXIT
cp "$recorder" "$library"
rm -f "$recording"
UIA_RECORDING=$(winepath -w "$recording")
export UIA_RECORDING WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}uiautomationcore=n"
start
wine "$client"

lines() { [ -f "$recording" ] && wc -l <"$recording" || echo 0; }
# Waits until the recording has the number of lines, as long as the seconds given.
recorded() {
    for _ in $(seq $(($2 * 10))); do
        [ "$(lines)" -ge "$1" ] && return 0
        sleep 0.1
    done
    printf 'after %s s, %s lines were recorded, not %s:\n' "$2" "$(lines)" "$1"
    cat "$recording" 2>/dev/null || true
    exit 1
}

# From the message box: Ямбол, the last settlement, with Античен град "Кабиле", the first site;
# then Асеновград, the first settlement, with Античен театър, now the first site. Each check
# leaves the focus in the sites and makes the next item of each list the current one, which
# space picks: so the rest of the round goes by twos, each waited for.
keys Tab End space Tab Home space
recorded 1 10
keys shift+Tab Home space Tab Home space
recorded 2 10
for check in $(seq 3 60); do
    xdotool key --delay 100 shift+Tab space Tab space
    recorded "$check" 10
done
recorded 61 20
stop

right=$(grep -c '^Вярно ' "$recording" || true)
wrong=$(grep -c '^Грешно ' "$recording" || true)
first=$(sed -n 1p "$recording")
second=$(sed -n 2p "$recording")
last=$(sed -n 61p "$recording")
want_first='Вярно  селище Ямбол забележителност Античен град "Кабиле" област Ямбол'
want_second='Грешно Асеновград забележителност Античен театър'
want_last="Край: $right от 60"
if [ "$first" != "$want_first" ] || [ "$second" != "$want_second" ] ||
    [ $((right + wrong)) -ne 60 ] || [ "$last" != "$want_last" ] || [ "$(lines)" -ne 61 ]; then
    printf 'wanted 60 verdicts, first:\n%s\nthen:\n%s\nand last:\n%s\nrecorded:\n' \
        "$want_first" "$want_second" "$want_last"
    cat "$recording"
    exit 1
fi
echo "UI Automation was told each of the round's 60 verdicts ($right right) and then \"$last\""
