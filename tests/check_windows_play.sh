#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays trevika.exe under Wine on the X display with real key presses, as a learner with a
# keyboard would, and reads each verdict back through the clipboard: a right pair, a wrong
# pair, then the clear button and the right pair again, which only full lists allow; the first
# site is reached by browsing with Ctrl first. Then it starts the program again with a teacher's
# table in Windows-1251 under a Cyrillic file name, on its command line, and plays a pair; and
# once more with an Excel workbook, as LibreOffice saves one, under a Cyrillic name. Between
# them it starts again and reads the first play's progress from the progress window.
#   check_windows_play.sh EXE        (needs DISPLAY, Wine, xdotool and xclip)
set -euo pipefail
exe=$1
data=$(cd "$(dirname "${BASH_SOURCE[0]}")/data" && pwd)
# shellcheck source=wine-play.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-play.sh"
start

# The focus starts in the message box; then come the settlements, the sites and the button.
# Home or End moves to an item, and space selects it even when it was already the current one.
# Each check leaves the focus in the sites; the message box is three tab stops on, after "Чисти"
# and the menu button.
verdict() {
    keys Tab Tab Tab ctrl+a ctrl+c
    xclip -o -selection clipboard
}

expect() {
    local actual
    actual=$(verdict)
    if [ "$actual" != "$1" ]; then
        printf 'the message box holds:\n%s\nwanted:\n%s\n' "$actual" "$1" | sed 's/\r/<CR>/g'
        exit 1
    fi
    keys Tab
}

# Ямбол ends the settlements; its site, Античен град "Кабиле", starts the sites.
right=$'Вярно  селище Ямбол забележителност Античен град "Кабиле"\n област Ямбол'
# With Ctrl the keys only browse: were the sites picked on the way, the verdict would be wrong.
keys Tab End space Tab ctrl+End ctrl+Page_Up ctrl+Home space
expect "$right"
keys Home space Tab Home space
expect $'Грешно Асеновград забележителност Античен театър'
keys Tab Tab space Tab Tab Tab End space Tab Home space
expect "$right"
echo "right, wrong, clear and right again: verdicts exact"
stop
# The menu from its button (F10); its last entry opens the progress window, whose lines Ctrl+C
# copies.
start
keys F10 Up Return
sleep 1
keys ctrl+c
today=$(xclip -o -selection clipboard | grep '^Днес: ' || true)
if [ "$today" != "Днес: 3 отговора, 2 верни" ]; then
    printf 'the progress window says:\n%s\n' "$(xclip -o -selection clipboard)"
    exit 1
fi
echo "the progress of that play, after a new start: $today"
stop

# Реки.csv as Excel saves it on a Bulgarian Windows: Windows-1251, semicolons, CR LF.
table="$work/Реки.csv"
printf 'река;влива се в;дължина\r\nИскър;Дунав;368 км\r\nМарица;Бяло море;472 км\r\n' |
    iconv -f UTF-8 -t CP1251 >"$table"
start "$(winepath -w "$table")"
keys Tab Home space Tab Home Down
expect $'Вярно  река Искър влива се в Дунав\n дължина 368 км'
echo "a Windows-1251 table with a Cyrillic name, from the command line: verdict exact"
stop

# A workbook whose first sheet has its header on row 2, a hidden row and a merged cell.
cp "$data/sheets/libreoffice-features.xlsx" "$work/Реки.xlsx"
start "$(winepath -w "$work/Реки.xlsx")"
keys Tab Home space Tab Home Down
expect $'Вярно  Река Бели  Лом Извор Лудогорие\n Дължина, км при Русе'
echo "an Excel workbook with a Cyrillic name, from the command line: verdict exact"
