#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays a whole round of trevika.exe under Wine with real key presses while a screen reader's
# side of UI Automation stands in: UiaClient asks the window for its UI Automation root, as a
# screen reader does, and a recording UIAutomationCore.dll in the prefix's system32 writes each
# notification event's text to RECORDING, a line each, and the name of what takes the focus
# after "focus: ". Wine's own library lacks the notification call. The recording must hold the
# round's 60 verdicts as their one-line spoken texts, a right one and a wrong one first, and
# then the review's score; then, on the map, the round's first question, the province the first
# arrow key goes to, and the verdict of the answer given there with the next question.
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

# What was told, without the focus's moves.
told() { grep -v '^focus: ' "$recording" 2>/dev/null || true; }
lines() { told | wc -l; }
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
# The map (F4), with the keys on its round's button: space starts the round, which asks its
# first question, the first arrow key goes to Стара Загора, and space answers with it.
keys Escape F4
map=$(visible_window "Карта на България" 30) || { echo "the map did not open"; exit 1; }
xdotool windowfocus --sync "$map"
keys space Right
for _ in $(seq 100); do
    grep -qx 'focus: област Стара Загора' "$recording" && break
    sleep 0.1
done
keys space
recorded 63 10
stop

right=$(grep -c '^Вярно ' "$recording" || true)
wrong=$(grep -c '^Грешно ' "$recording" || true)
first=$(told | sed -n 1p)
second=$(told | sed -n 2p)
last=$(told | sed -n 61p)
asked=$(told | sed -n 62p)
on_map=$(told | sed -n 63p)
want_first='Вярно  селище Ямбол забележителност Античен град "Кабиле" област Ямбол'
want_second='Грешно Асеновград забележителност Античен театър'
want_last="Край: $right от 60"
if [ "$first" != "$want_first" ] || [ "$second" != "$want_second" ] ||
    [ $((right + wrong)) -ne 60 ] || [ "$last" != "$want_last" ] || [ "$(lines)" -ne 63 ] ||
    ! printf '%s\n' "$asked" | grep -Eq '^Къде е: .+\?$' ||
    ! grep -qx 'focus: област Стара Загора' "$recording" ||
    ! printf '%s\n' "$on_map" | grep -Eq '^(Вярно|Грешно): .+ е в област .+\. Къде е: .+\?$'; then
    printf 'wanted 60 verdicts, first:\n%s\nthen:\n%s\nand last:\n%s\n' \
        "$want_first" "$want_second" "$want_last"
    printf 'then a question, the focus on област Стара Загора and a verdict on the map;'
    printf ' recorded:\n'
    cat "$recording"
    exit 1
fi
echo "UI Automation was told each of the round's 60 verdicts ($right right), then \"$last\";" \
    "on the map, the focus on област Стара Загора and \"$on_map\""
