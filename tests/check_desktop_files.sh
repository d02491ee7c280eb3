#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The desktop entry and the AppStream metainfo must pass their validators without a word:
# both tools exit 0 on hints, so their output is what counts.
#   check_desktop_files.sh DESKTOP_FILE METAINFO_FILE
set -u
status=0
out=$(desktop-file-validate "$1" 2>&1) || status=1
[ -z "$out" ] || { echo "$out"; status=1; }
out=$(appstreamcli validate --no-net --pedantic "$2" 2>&1) || status=1
echo "$out"
echo "$out" | grep -qE '^[EWIP]: ' && status=1
exit $status
