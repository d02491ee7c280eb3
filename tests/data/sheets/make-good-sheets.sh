#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How the spreadsheets among the test data were saved: by LibreOffice Calc itself, from the
# CSV files beside them and from features.fods (a merged cell, a hidden row, formulas, repeated
# cells, a text with a bold word and two spaces, a second sheet). Needs libreoffice-calc-nogui;
# run once, and commit what it writes. BUILT_IN_CSV is the built-in table as the program saves
# it ("Запиши таблицата като CSV…").
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$(dirname "$here")
built_in_csv=${1:?usage: make-good-sheets.sh BUILT_IN_CSV}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert() { # FORMAT FILTER_OPTIONS FILE
    (cd "$work" && HOME="$work" soffice -env:UserInstallation="file://$work/profile" --headless \
        ${2:+--infilter="$2"} --convert-to "$1" "$3" >/dev/null)
}
cp "$built_in_csv" "$work/built-in.csv"
cp "$data/libreoffice-utf8-commas.csv" "$work/authors.csv"
cp "$here/features.fods" "$work/"
for format in xlsx ods; do
    convert "$format" "CSV:59,34,76,1" built-in.csv # semicolons, quotes, UTF-8, from line 1
    convert "$format" "CSV:44,34,76,1" authors.csv
    convert "$format" "" features.fods
    cp "$work/built-in.$format" "$data/libreoffice-built-in.$format"
    cp "$work/authors.$format" "$data/libreoffice-authors.$format"
    cp "$work/features.$format" "$here/libreoffice-features.$format"
done
convert "xls:MS Excel 97" "" "$work/authors.ods"
cp "$work/authors.xls" "$here/libreoffice-authors-97.xls"
