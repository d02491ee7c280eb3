#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays the quiz with Orca, the real screen reader, listening, and checks what Orca says: how
# to browse a list, as it takes the focus; the sites read out while browsing, with nothing
# picked; the verdict of a right pair and of a wrong pair, each right after its pick; and the
# round's score when the review opens at the round's end, then the review's lines as the
# learner moves through them. Everything runs on a virtual display, a private D-Bus session with its
# own accessibility bus, and a private home; speech goes to libao's null output, since
# without a sound card speaking blocks. Orca's debug log is where its speech is read.
#   check_screen_reader.sh PROGRAM       (needs Orca, speech-dispatcher, espeak-ng, Xvfb,
#                                          xdotool, dbus-run-session and unshare, as root)
set -euo pipefail
program=$(realpath "$1")
here=$(realpath "${BASH_SOURCE[0]}")

if [ "${2:-}" != --inside ]; then
    # A process namespace of its own, so that whatever the test starts, daemons included,
    # ends with it: a left-over Orca makes the next one wait for it forever.
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    status=0
    # The namespace's first process stays a plain shell: signals to a process 1 that has
    # not asked for them are dropped, and xvfb-run waits for the X server's signal.
    unshare --pid --fork --mount-proc --kill-child bash -c '"$@"; exit $?' _ \
        xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" \
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

# Accessibility on, as a screen reader's session has it.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
pids+=($!)
disown
window=$(timeout 30 xdotool search --sync --onlyvisible --name "География" | head -n1)
xdotool windowfocus --sync "$window"
sleep 1

keys() {
    xdotool key --delay 100 "$@"
}

# Up to the last three pairs before Orca starts, the first settlement with the last site:
# what stays is Търговище, Шумен and Ямбол, and Античен град "Кабиле", Античен театър and
# Антична римска „Вила Армира“. A list takes an item as picked when an arrow key moves to
# it, or on space; once a check has removed an item, the next one is current.
keys Tab Home space Tab End
for _ in $(seq 56); do
    keys shift+Tab space Tab space
done
sleep 1

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

# Waits until Orca has said the text, or fails showing what it said.
said() {
    local line="SPEECH OUTPUT: '$1'"
    for _ in $(seq 300); do
        grep -qF -- "$line" "$log" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "Orca did not say: $1"
    echo "It said:"
    grep -o "SPEECH OUTPUT: .*" "$log" | sed 's/^SPEECH OUTPUT: //' | tail -n 20
    exit 1
}

# What Orca has said since the log had the given number of lines, a text a line.
said_since() {
    tail -n +"$(($1 + 1))" "$log" | sed -n "s/^.*SPEECH OUTPUT: '\(.*\)' *{'established.*$/\1/p"
}

said "Screen reader on."
keys shift+Tab
said "List with 3 items."
keys End Tab
said "Ctrl и стрелките: разглеждане; интервал: избор."
# Browsing the sites with Ctrl reads them out and picks none; space picks.
mark=$(wc -l <"$log")
keys ctrl+Home ctrl+End ctrl+Home
browsed=(
    'Античен град "Кабиле"'
    'Антична римска „Вила Армира“'
    'Античен град "Кабиле"'
)
for _ in $(seq 100); do
    heard=$(said_since "$mark" | grep -F -e Античен -e Антична || true)
    [ "$(wc -l <<<"$heard")" -ge 3 ] && break
    sleep 0.1
done
sleep 1
heard=$(said_since "$mark" | grep -F -e Античен -e Антична -e notification | sed 's/\.$//')
if [ "$heard" != "$(printf '%s\n' "${browsed[@]}")" ]; then
    printf 'browsing with Ctrl, Orca said:\n%s\n' "$(said_since "$mark")"
    exit 1
fi
keys space
said 'notification Вярно  селище Ямбол забележителност Античен град "Кабиле" област Ямбол.'
keys shift+Tab Home Tab space
said "notification Грешно Търговище забележителност Античен театър."
keys shift+Tab space Tab space
said "notification Грешно Шумен забележителност Антична римска „Вила Армира“"
said "Край на кръга dialog Край: 3 от 60."
keys Down
said "Балчик – Архитектурно-парков комплекс „Двореца“, област Добрич."
keys Escape
echo "Orca said how to browse, the sites browsed, the verdicts, the round's score and the review's lines"
