#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the shipped files a second time, from a clone of the same commit in another folder,
# and compares them byte for byte with those of the first build: trevika.exe, the Windows zip
# and installer, and the Debian package. Names the first file that differs.
#   check_reproducible.sh ROOT     (after scripts/dev test has built ROOT's files)
set -euo pipefail
root=$(cd "$1" && pwd)
# The version as the project states it, once, in its CMakeLists.txt.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/CMakeCache.txt")
[ -n "$version" ] || { echo "no version in $root/build/CMakeCache.txt"; exit 1; }
files=(build-windows/window/trevika.exe "build-windows/trevika-$version-win64.zip"
    "build-windows/trevika-$version-win64-setup.exe" "build/trevika_${version}_amd64.deb")
for file in "${files[@]}"; do
    [ -f "$root/$file" ] || { echo "the first build has no $file"; exit 1; }
done
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "note: $root has changes not committed; the second build is of the commit alone"
fi

second=$(mktemp -d "${TMPDIR:-/tmp}/trevika-second.XXXXXX")
trap 'rm -rf "$second"' EXIT
git clone -q "$root" "$second/trevika"
(cd "$second/trevika" && git checkout -q "$(git -C "$root" rev-parse HEAD)")
# The same date as the first build, which took it from the same commit.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) "$second/trevika/scripts/dev" release \
    >"$second/build.log" 2>&1 || { tail -n 40 "$second/build.log"; exit 1; }

for file in "${files[@]}"; do
    if ! cmp -s "$root/$file" "$second/trevika/$file"; then
        echo "not reproducible: $file differs between $root and a second build in another folder"
        cmp "$root/$file" "$second/trevika/$file" || true
        # Kept, to be compared at leisure (diffoscope).
        trap - EXIT
        echo "the second build is in $second/trevika"
        exit 1
    fi
done
for sums in build/SHA256SUMS build-windows/SHA256SUMS; do
    (cd "$root/$(dirname "$sums")" && sha256sum --quiet -c SHA256SUMS) ||
        { echo "$sums does not match its files"; exit 1; }
done
echo "reproducible: ${files[*]} are byte for byte the same from a second folder"
