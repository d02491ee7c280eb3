#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The GIFT files the program writes, read by gift-pegjs, the GIFT parser of GIFT's own tooling:
# it must find every question, named as written, with every pair. Moodle and gift-pegjs trim
# white space around each text, so the pairs are compared trimmed. gift-pegjs is installed once
# with npm into the cache (TREVIKA_CACHE, or ~/.cache/trevika), pinned to its version.
#   check_gift_parser.sh EXCHANGE_FILES WORK_FOLDER     (needs node and npm)
set -Eeuo pipefail
trap 'echo "check_gift_parser.sh: line $LINENO failed: $BASH_COMMAND" >&2' ERR
tool=$1 work=$2
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
version=1.0.2
cache=${TREVIKA_CACHE:-$HOME/.cache/trevika}/npm/gift-pegjs-$version
if [ ! -f "$cache/node_modules/gift-pegjs/package.json" ]; then
    mkdir -p "$cache"
    npm install --prefix "$cache" --no-audit --no-fund --no-save --loglevel=error \
        "gift-pegjs@$version" >/dev/null
fi
rm -rf "$work"
mkdir -p "$work"
"$tool" "$work"
trimmed() { sed -E 's/^[[:space:]]+//; s/[[:space:]]*\t[[:space:]]*/\t/; s/[[:space:]]+$//' "$1"; }
for gift in "$work"/*.gift; do
    name=${gift%.gift}
    NODE_PATH=$cache/node_modules node "$here/gift-pairs.js" "$gift" >"$name.read"
    if ! diff -u <(trimmed "$name.pairs") <(trimmed "$name.read"); then
        echo "gift-pegjs read $(basename "$gift") otherwise than it was written"
        exit 1
    fi
    echo "gift-pegjs read $(basename "$gift"): $(grep -c '^# ' "$name.read") questions," \
        "$(grep -vc '^# ' "$name.read") pairs, as written"
done
