#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays the quiz with Orca, the real screen reader, listening, and checks what Orca says: how
# to browse a list, as it takes the focus; the sites read out while browsing, with nothing
# picked; the verdict of a right pair and of a wrong pair, each right after its pick; and the
# round's score when the review opens at the round's end, then the review's lines as the
# learner moves through them; then two provinces reached by the arrow keys and a verdict in a
# round on the map. Everything runs on a virtual display, a private D-Bus session with its
# own accessibility bus, and a private home; speech goes to libao's null output, since
# without a sound card speaking blocks. Orca's debug log is where its speech is read.
#   check_screen_reader.sh PROGRAM       (needs Orca, speech-dispatcher, espeak-ng, Xvfb,
#                                          xdotool, dbus-run-session and unshare, as root)
set -eEuo pipefail
program=$(realpath "$1")
here=$(realpath "${BASH_SOURCE[0]}")

if [ "${2:-}" != --inside ]; then
    # A process namespace of its own, so that whatever the test starts, daemons included,
    # ends with it: a left-over Orca makes the next one wait for it forever.
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    status=0
    # The namespace's first process stays a plain shell: signals to a process 1 that has
    # not asked for them are dropped. The X server picks its display itself.
    unshare --pid --fork --mount-proc --kill-child bash -c '"$@"; exit $?' _ \
        "$(dirname "$here")/../scripts/with-xvfb" -s "-screen 0 800x600x24 -dpi 96" \
        dbus-run-session -- "$here" "$program" --inside "$work" || status=$?
    exit $status
fi

work=$3
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
log=$work/orca.log
pids=()

# Each process the test started, and those that they started in turn: the accessibility
# registry, the speech module and the accessibility bus.
stop_all() {
    local pid name
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for name in at-spi2-registryd sd_espeak-ng; do
        pkill -x "$name" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    done
}
trap stop_all EXIT

# Speech through espeak-ng to libao's null driver.
echo "default_driver=null" >"$HOME/.libao"
cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/"
printf 'AudioOutputMethod "libao"\nDefaultModule espeak-ng\n' \
    >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
disown
speech-dispatcher --spawn --timeout 0 --config-dir "$XDG_CONFIG_HOME/speech-dispatcher" \
    >"$work/speechd.out" 2>&1
pids+=("$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid/speech-dispatcher.pid")")

# What Orca has said since the log had the given number of lines, a text a line.
said_since() {
    tail -n +"$(($1 + 1))" "$log" 2>/dev/null |
        sed -n "s/^.*SPEECH OUTPUT: '\(.*\)' *{'established.*$/\1/p"
}

# Ends the test showing what was expected and everything Orca said, in order.
fail() {
    echo "FAILED: $1"
    echo "Orca said, in order:"
    said_since 0 | sed 's/^/    /' || true
    exit 1
}
# A command that fails by itself ends the test just as visibly.
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

# Whether Orca has begun an utterance with the text since the mark, waiting as long as given.
heard() {
    local mark=$1 text=$2 seconds=$3
    for _ in $(seq $((seconds * 10))); do
        said_since "$mark" | awk -v text="$text" 'index($0, text) == 1 { found = 1 } END { exit !found }' &&
            return 0
        sleep 0.1
    done
    return 1
}

# Each step waits for what Orca must say before the next key goes, however slow the machine:
# keys sent faster than Orca takes them in make it skip the older events, so what it says
# would depend on the machine's load.
step_seconds=20

# Presses the key and waits until Orca says the text for it. A key that Orca did not answer
# in time is pressed again, twice at most.
press() {
    local key=$1 text=$2 mark try
    mark=$(wc -l <"$log")
    for try in 1 2 3; do
        if [ "$try" -gt 1 ]; then
            echo "Orca did not say \"$text\" within $step_seconds s of $key: pressing $key again"
        fi
        xdotool key "$key"
        heard "$mark" "$text" "$step_seconds" && return 0
    done
    fail "after $key, Orca did not say: $text"
}

# shellcheck source=visible-window.sh
. "$(dirname "${BASH_SOURCE[0]}")/visible-window.sh"

# Accessibility on, as a screen reader's session has it.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
pids+=($!)
disown
window=$(visible_window "География" 60) || fail "the window did not appear within 60 s"
xdotool windowfocus --sync "$window"

# Up to the last three pairs before Orca starts, the first settlement with the last site:
# what stays is Търговище, Шумен and Ямбол, and Античен град "Кабиле", Античен театър and
# Антична римска „Вила Армира“. A list takes an item as picked when an arrow key moves to
# it, or on space; once a check has removed an item, the next one is current. Nobody listens
# to keys yet, so the program takes them as fast as they come.
xdotool key --delay 100 Tab Home space Tab End
for _ in $(seq 56); do
    xdotool key --delay 100 shift+Tab space Tab space
done

# Orca's log is written in blocks, and what is left in the buffer when Orca stops is lost:
# here it is opened line by line, so that each line can be waited for as it comes.
/usr/bin/python3 - "$log" <<'PY' &
import sys
orca = open('/usr/bin/orca', encoding='utf-8').read()
unbuffered = orca.replace("open(args.debug_file, 'w')", "open(args.debug_file, 'w', buffering=1)")
assert unbuffered != orca, "Orca opens its debug log another way now"
sys.argv = ['orca', '--debug', '--debug-file', sys.argv[1]]
exec(compile(unbuffered, '/usr/bin/orca', 'exec'), {'__name__': '__main__'})
PY
pids+=($!)
disown

heard 0 "Screen reader on." 60 || fail "Orca did not start within 60 s"
# The settlements, with how to browse them, as the list takes the focus.
mark=$(wc -l <"$log")
press shift+Tab "List with 3 items."
heard "$mark" "Ctrl и стрелките: разглеждане; интервал: избор." "$step_seconds" ||
    fail "Orca did not say how to browse the list"
press End "Ямбол."
# Browsing the sites with Ctrl reads them out and picks none; space picks.
mark=$(wc -l <"$log")
press Tab "Ctrl и стрелките: разглеждане; интервал: избор."
press ctrl+Home 'Античен град "Кабиле"'
press ctrl+End 'Антична римска „Вила Армира“'
press ctrl+Home 'Античен град "Кабиле"'
browsed=(
    'Античен град "Кабиле"'
    'Антична римска „Вила Армира“'
    'Античен град "Кабиле"'
)
heard=$(said_since "$mark" | grep -F -e Античен -e Антична -e notification | sed 's/\.$//' || true)
if [ "$heard" != "$(printf '%s\n' "${browsed[@]}")" ]; then
    fail "browsing with Ctrl, Orca was to say $(printf '\n    %s' "${browsed[@]}")
and said $(printf '\n    %s' "$heard")"
fi
press space 'notification Вярно  селище Ямбол забележителност Античен град "Кабиле" област Ямбол.'
press shift+Tab "List with 2 items."
press Home "Търговище."
press Tab "List with 2 items."
press space "notification Грешно Търговище забележителност Античен театър."
press shift+Tab "List with 1 item."
# Шумен is the current item already: picking it changes nothing Orca reads but the key.
press space "space"
press Tab "List with 1 item."
mark=$(wc -l <"$log")
press space "notification Грешно Шумен забележителност Антична римска „Вила Армира“"
# The review reads its score and, under it, the learner's progress with the table.
heard "$mark" "Край на кръга dialog Край: 3 от 60 Научени: 0 от 60." "$step_seconds" ||
    fail "Orca did not say: Край на кръга dialog Край: 3 от 60 Научени: 0 от 60."
press Down "Балчик – Архитектурно-парков комплекс „Двореца“, област Добрич."
xdotool key Escape
# The map (F4), its round's button, and one province answered from the keys: the first arrow
# key goes to Стара Загора and the next, down, to Хасково, which Orca reads as it reads a list's
# items; whatever the question, the verdict and the next question follow as one notification.
# Without a window manager the focus is nowhere once the review has gone: back to the quiz.
# Qt hands a key on only once Orca has seen it, which under load takes seconds, and a key goes
# where the focus was when it came: an F4 that came while the Escape still waited went to the
# review and was lost with it. So F4 is pressed again, in the quiz window, until the map shows.
mark=$(wc -l <"$log")
map=""
for _ in 1 2 3; do
    xdotool windowfocus --sync "$window"
    xdotool key F4
    map=$(visible_window "Карта на България" 10) && break
done
[ -n "$map" ] || fail "the map did not open"
xdotool windowfocus --sync "$map"
heard "$mark" "Кръг на картата" "$step_seconds" || fail "Orca did not say the map's button"
press space "notification Къде е: "
press Right "област Стара Загора"
press Down "област Хасково"
mark=$(wc -l <"$log")
xdotool key space
for _ in $(seq $((step_seconds * 10))); do
    said_since "$mark" | grep -Eq '^notification (Вярно|Грешно): .+ е в област .+\. Къде е: .+\?' &&
        break
    sleep 0.1
done
said_since "$mark" | grep -Eq '^notification (Вярно|Грешно): .+ е в област .+\. Къде е: .+\?' ||
    fail "Orca did not say the map's verdict and its next question"
echo "Orca said how to browse, the sites browsed, the verdicts, the round's score and progress, the review's lines, and provinces and a verdict on the map"
