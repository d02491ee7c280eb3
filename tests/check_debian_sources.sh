#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/debian-sources on each layout of apt's lists it meets, each in a copy of an apt
# folder made here: deb822 stanzas alone (a fresh Debian 12), one-line lists alone, both, and
# source lines there already. apt itself then reads the folder: every binary suite must have
# its source index to fetch, apt must say nothing (no error, no warning of a target configured
# twice), and a second run must change nothing.
#   tests/check_debian_sources.sh SCRIPT
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL $1: $2" >&2
    failures=$((failures + 1))
}

stanza() { # TYPES URI SUITES
    printf 'Types: %s\nURIs: %s\nSuites: %s\nComponents: main contrib\n' "$1" "$2" "$3"
}

# Each layout writes its lists into the folder given; the expected suites follow.
deb822_only() {
    {
        stanza deb http://deb.example/debian "bookworm bookworm-updates"
        printf '# a comment between stanzas\n\n'
        stanza deb http://security.example/debian-security bookworm-security
    } >"$1/sources.list.d/debian.sources"
}
one_line_only() {
    printf '# deb http://commented.example/debian bookworm main\n' >"$1/sources.list"
    printf 'deb http://deb.example/debian bookworm main contrib\n' >>"$1/sources.list"
    printf 'deb [arch=amd64] http://security.example/debian-security bookworm-security main\n' \
        >"$1/sources.list.d/security.list"
}
both() {
    stanza deb http://deb.example/debian bookworm >"$1/sources.list.d/debian.sources"
    printf 'deb http://security.example/debian-security bookworm-security main\n' \
        >"$1/sources.list"
}
sources_there() {
    stanza "deb deb-src" http://deb.example/debian bookworm >"$1/sources.list.d/debian.sources"
}

# What apt would fetch for the lists in folder $1, as "KIND SITE/SUITE" lines.
fetched() {
    local dir=$1
    mkdir -p "$work/state/lists/partial"
    apt-get -o Dir::Etc="$dir" -o Dir::Etc::SourceList="$dir/sources.list" \
        -o Dir::Etc::SourceParts="$dir/sources.list.d" -o Dir::Etc::Parts="$dir/apt.conf.d" \
        -o Dir::State::Lists="$work/state/lists" -o Debug::NoLocking=1 \
        update --print-uris 2>"$work/apt-errors" |
        sed -n "s#^'\([^']*\)/dists/\([^/]*\)/[^/]*/\(source/Sources\|binary-amd64/Packages\)\..*#\3 \1/\2#p" |
        sed 's|^source/Sources|source|; s|^binary-amd64/Packages|binary|' | sort -u
}

for layout in deb822_only one_line_only both sources_there; do
    dir="$work/$layout"
    mkdir -p "$dir/sources.list.d" "$dir/apt.conf.d"
    "$layout" "$dir"
    if ! "$script" "$dir" >"$work/out" 2>&1; then
        fail "$layout" "the script failed: $(cat "$work/out")"
        continue
    fi
    targets=$(fetched "$dir")
    if [ -s "$work/apt-errors" ]; then
        fail "$layout" "apt said: $(cat "$work/apt-errors")"
    fi
    binary=$(sed -n 's/^binary //p' <<<"$targets")
    source=$(sed -n 's/^source //p' <<<"$targets")
    if [ -z "$binary" ]; then
        fail "$layout" "apt finds no binary suite in the copy"
    elif [ "$binary" != "$source" ]; then
        fail "$layout" "binary suites [$(echo $binary)] but source suites [$(echo $source)]"
    fi
    before=$(cd "$dir" && find . -type f -exec sha256sum {} + | sort)
    "$script" "$dir" >/dev/null 2>&1 || fail "$layout" "the second run failed"
    after=$(cd "$dir" && find . -type f -exec sha256sum {} + | sort)
    [ "$before" = "$after" ] || fail "$layout" "the second run changed the lists"
    if [ "$layout" = sources_there ] && [ -n "$(ls "$dir/sources.list.d" | grep trevika)" ]; then
        fail "$layout" "source lines were there, yet the script wrote its own"
    fi
    [ "$failures" -eq 0 ] && echo "ok $layout: $(echo $source)"
done

# No list at all: the script must fail, and say why.
mkdir -p "$work/empty/sources.list.d"
if "$script" "$work/empty" >"$work/out" 2>&1; then
    fail empty "the script succeeded with no lists"
elif ! grep -q 'no Debian binary packages' "$work/out"; then
    fail empty "the script failed without saying why: $(cat "$work/out")"
fi

[ "$failures" -eq 0 ] || exit 1
echo "every layout gets its source lines"
