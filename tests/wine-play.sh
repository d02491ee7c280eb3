# SPDX-License-Identifier: MIT
# What the checks that play trevika.exe under Wine share, sourced by each: a settled Wine
# prefix, a work folder, no progress from an earlier play, and starting, keying and stopping
# the program on the X display as a learner with a keyboard would (needs xdotool).
"$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-prefix"
[ -n "${DISPLAY:-}" ] || { echo "no X display: run under scripts/with-xvfb"; exit 1; }
# shellcheck source=visible-window.sh
. "$(dirname "${BASH_SOURCE[0]}")/visible-window.sh"

work=$(mktemp -d)
program=""
finish() {
    kill $program 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
# The progress of this play only, in %APPDATA%\Trevika of the test's own Wine.
rm -rf "${WINEPREFIX:-$HOME/.wine}"/drive_c/users/*/AppData/Roaming/Trevika

# Starts the program with the arguments and waits until its window has the focus.
start() {
    # A UTF-8 locale carries a Cyrillic argument into Wine's wide command line intact; the
    # program's ANSI code page stays Wine's default, which is not Windows-1251.
    LC_ALL=C.UTF-8 wine "$exe" "$@" &
    program=$!
    window=$(visible_window "trevika.example.org" 60) || { echo "no window within 60 s"; exit 1; }
    xdotool windowfocus --sync "$window"
    sleep 1
}

keys() {
    xdotool key --delay 150 "$@"
    sleep 0.5
}

stop() {
    wineserver -k
    wait $program || true
}
