#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package, checks what it holds and what it depends on, then runs the
# program from an unpacked copy long enough to see it start and stay up.
#   check_package.sh BUILD_DIR WORK_DIR APP_ID VERSION
set -euo pipefail
build=$1 work=$2 id=$3 release=$4
rm -rf "$work" && mkdir -p "$work"
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" ||
    { cat "$work/cpack.log"; exit 1; }
deb="$work/trevika_${release}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package at $deb"; ls "$work"; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/trevika ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$id.png; do
    grep -qxF "$file" <<<"$contents" || { echo "missing from the package: $file"; exit 1; }
done
# Print Support's module, which the program loads from its library folder to print.
grep -qE '^\./usr/lib/([a-z0-9_-]+/)?trevika/trevika-print\.so$' <<<"$contents" ||
    { echo "missing from the package: the print module"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6printsupport6 libqt6network6 libicu72 libc6; do
    grep -q "$library" <<<"$depends" || { echo "no dependency on $library: $depends"; exit 1; }
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || { echo "no maintainer"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
# The Qt it is built with, with Debian's revision, as an administrator checks for updates.
version=$("$work/root/usr/bin/trevika" --version)
qt=$(dpkg-query -W -f='${source:Version}' libqt6core6)
[ "$version" = "Trevika $release, Qt $qt (Debian qt6-base)" ] || { echo "--version says: $version"; exit 1; }
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/trevika" || status=$?
# 124: still running when the time was up, as a started quiz should be.
[ $status -eq 124 ] || { echo "the installed program ended early with status $status"; exit 1; }
echo "package $deb: files, dependencies and start-up checked"
