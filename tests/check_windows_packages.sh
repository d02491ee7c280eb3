#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows installer and portable zip into the build folder, where scripts/dev
# windows hands them over, then tries both under Wine: the program starts from the unpacked
# zip; the installer installs silently, with one Start menu shortcut and an entry in Apps &
# features that has all it shows, and an "Open with" entry for .csv, .xlsx and .ods that
# takes none of them over; the installed program starts; installed again, it replaces the
# first installation in place, in the folder that one was given; the uninstaller removes all
# it added, and only that, silently.
#   check_windows_packages.sh BUILD_DIR WORK_DIR VERSION        (needs DISPLAY and Wine)
set -euo pipefail
# Wine reads Cyrillic arguments and writes Cyrillic text in the locale's encoding: UTF-8.
export LC_ALL=C.UTF-8
"$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-prefix"
build=$1 work=$2 version=$3
rm -rf "$work" && mkdir -p "$work"
(cd "$build" && cpack -G "NSIS;ZIP" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
name=trevika-$version-win64
zip=$build/$name.zip setup=$build/$name-setup.exe
for file in "$zip" "$setup"; do
    [ -f "$file" ] || { echo "cpack wrote no $file"; exit 1; }
done

# Still running after a few seconds, as a started quiz should be: 124 is timeout's status.
starts() {
    local status=0
    timeout 5 wine "$1" || status=$?
    [ $status -eq 124 ] || { echo "$1 ended early with status $status"; exit 1; }
}

unzip -q "$zip" -d "$work/zip"
contents=$(cd "$work/zip" && find . -type f | sort | tr '\n' ' ')
[ "$contents" = "./$name/LICENSE.txt ./$name/trevika.exe " ] ||
    { echo "the zip holds: $contents"; exit 1; }
starts "$work/zip/$name/trevika.exe"

uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
key="$uninstall\Trevika"
programs=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs')
shortcut="$programs/Тревика.lnk"
# Wine's reg query writes Cyrillic as question marks; its exports are UTF-16 and exact.
exported() {
    wine reg export "$1" "$work/exported.reg" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$work/exported.reg" | tr -d '\r'
}
# A value of a key, unquoted: "C:\\X" in the export is C:\X; @ names the key's own value. Each
# grep reads the export to its end: one that stopped early would fail the pipe.
value_of() {
    local name="\"$2\""
    [ "$2" = @ ] && name=@
    exported "$1" | awk -v name="$name=" 'index($0, name) == 1 { print substr($0, length(name) + 1) }' |
        sed -E 's/^"(.*)"$/\1/; s/\\\\/\\/g; s/\\"/"/g'
}
# A value of the program's key in Apps & features.
value() {
    value_of "$key" "$1"
}
classes='HKLM\Software\Classes'
expect() {
    [ "$2" = "$3" ] || { echo "$1: '$2', wanted '$3'"; exit 1; }
}

# Another program already offered for CSV files stays offered, and the default stays its own.
wine reg add "$classes\.csv\OpenWithProgids" /v Other.Csv /d '' /f >/dev/null 2>&1
wine reg add "$classes\.csv" /ve /d Other.Csv /f >/dev/null 2>&1

# Installed in a folder of the teacher's choosing; the next installation finds it there.
wine "$setup" /S '/D=C:\Училище\Тревика'
folder=$(winepath -u 'C:\Училище\Тревика')
[ -f "$folder/trevika.exe" ] || { echo "not installed in the folder chosen"; exit 1; }
wine "$setup" /S
[ ! -e "$(winepath -u 'C:\Program Files\Trevika')" ] || { echo "a second folder was made"; exit 1; }
for file in "$folder/trevika.exe" "$folder/LICENSE.txt" "$folder/Uninstall.exe" "$shortcut"; do
    [ -f "$file" ] || { echo "not installed: $file"; exit 1; }
done
shortcuts=$(find "$programs" -iname '*.lnk' | grep -ci -e тревика -e trevika -e uninstall || true)
expect "Start menu shortcuts" "$shortcuts" 1
entries=$(exported "$uninstall" | grep -c '^"DisplayName"="Тревика"$' || true)
expect "Apps & features entries" "$entries" 1
# The shortcut points at the program itself, by its whole path.
python3 - "$shortcut" 'C:\Училище\Тревика\trevika.exe' <<'PY'
import sys
link, target = open(sys.argv[1], "rb").read(), sys.argv[2]
# The link's path in the system's code page, which Wine leaves without Cyrillic ("?"), and
# the folders of its item list, by name, in UTF-16.
ansi = any(target.encode(page, "replace") in link for page in ("cp1251", "ascii"))
at = 0
for name in target.split("\\")[1:]:
    at = link.find(name.encode("utf-16-le"), at)
    if at < 0:
        sys.exit(f"the shortcut's items do not lead to {target}")
if not ansi or b"\\.\\" in link:
    sys.exit(f"the shortcut does not point at {target}")
PY

expect DisplayName "$(value DisplayName)" "Тревика"
expect DisplayVersion "$(value DisplayVersion)" "$version"
expect Publisher "$(value Publisher)" "The Trevika developers"
expect DisplayIcon "$(value DisplayIcon)" 'C:\Училище\Тревика\trevika.exe'
expect InstallLocation "$(value InstallLocation)" 'C:\Училище\Тревика'
expect UninstallString "$(value UninstallString)" '"C:\Училище\Тревика\Uninstall.exe"'
size=$((16#$(value EstimatedSize | sed 's/^dword://')))
kib=$(du -sk "$folder" | cut -f1)
# In KiB, as Apps & features shows it: within a tenth of what the folder takes.
[ $((size)) -gt $((kib * 9 / 10)) ] && [ $((size)) -lt $((kib * 11 / 10)) ] ||
    { echo "EstimatedSize $size, the folder takes $kib KiB"; exit 1; }
starts "$folder/trevika.exe"

# "Open with" for the three formats, by the program's own entry and by a kind of file.
open='"C:\Училище\Тревика\trevika.exe" "%1"'
expect "open command" "$(value_of "$classes\Trevika.Table\shell\open\command" @)" "$open"
expect "application's command" \
    "$(value_of "$classes\Applications\trevika.exe\shell\open\command" @)" "$open"
for extension in .csv .xlsx .ods; do
    exported "$classes\\$extension\OpenWithProgids" | grep -F '"Trevika.Table"=""' >/dev/null ||
        { echo "$extension does not offer Тревика"; exit 1; }
    exported "$classes\Applications\trevika.exe\SupportedTypes" |
        grep -F "\"$extension\"=\"\"" >/dev/null ||
        { echo "Тревика does not say it opens $extension"; exit 1; }
done
expect ".csv default" "$(value_of "$classes\.csv" @)" Other.Csv

# The uninstaller runs from a copy of itself, so that it can delete itself: wait for that.
wine "$folder/Uninstall.exe" /S
wineserver -w
if [ -e "$folder" ] || [ -e "$shortcut" ]; then
    echo "left behind:"
    find "$folder" "$shortcut" 2>/dev/null
    exit 1
fi
for left in "$key" "$classes\Trevika.Table" "$classes\Applications\trevika.exe" \
    "$classes\.xlsx" "$classes\.ods"; do
    if wine reg query "$left" >/dev/null 2>&1; then
        echo "still registered: $left"
        exit 1
    fi
done
exported "$classes\.csv\OpenWithProgids" | grep -F '"Trevika.Table"' >/dev/null &&
    { echo ".csv still offers Тревика"; exit 1; }
expect "other program offered for .csv" "$(exported "$classes\.csv\OpenWithProgids" |
    grep -cF '"Other.Csv"=""')" 1
echo "zip and installer: installed, installed again in place, started and removed"
