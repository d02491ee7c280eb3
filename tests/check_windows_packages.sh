#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows installer and portable zip into the build folder, where scripts/dev
# windows hands them over, then tries both under Wine: the program starts from the unpacked
# zip; the installer installs silently, with a Start menu entry and an uninstaller registered
# with Windows; the installed program starts; the uninstaller removes all of it silently.
#   check_windows_packages.sh BUILD_DIR WORK_DIR        (needs DISPLAY and Wine)
set -euo pipefail
"$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-prefix"
build=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
(cd "$build" && cpack -G "NSIS;ZIP" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
name=trevika-1.00-win64
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

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trevika'
folder=$(winepath -u 'C:\Program Files\Trevika')
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Тревика')
wine "$setup" /S
for file in "$folder/trevika.exe" "$folder/LICENSE.txt" "$folder/Uninstall.exe" "$menu/Тревика.lnk"; do
    [ -f "$file" ] || { echo "not installed: $file"; exit 1; }
done
wine reg query "$key" /v UninstallString >/dev/null || { echo "no uninstaller registered"; exit 1; }
starts "$folder/trevika.exe"

# The uninstaller runs from a copy of itself, so that it can delete itself: wait for that.
wine "$folder/Uninstall.exe" /S
wineserver -w
if [ -e "$folder" ] || [ -e "$menu" ]; then
    echo "left behind:"
    find "$folder" "$menu" 2>/dev/null
    exit 1
fi
if wine reg query "$key" >/dev/null 2>&1; then
    echo "the uninstaller is still registered"
    exit 1
fi
echo "zip and installer: installed, started and removed"
