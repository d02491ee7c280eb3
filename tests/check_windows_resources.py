# SPDX-License-Identifier: MIT
"""Proves the Windows resource script: builds it into a small Windows executable with the
MinGW tools and reads back its version record and icon.

    check_windows_resources.py RC_FILE ICO_FILE WORK_DIR
"""
import pathlib
import struct
import subprocess
import sys

import pefile

rc, ico, work = (pathlib.Path(arg) for arg in sys.argv[1:4])
work.mkdir(parents=True, exist_ok=True)
stub = work / "stub.cpp"
stub.write_text("#include <windows.h>\nint WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) "
                "{ return 0; }\n")
subprocess.run(["x86_64-w64-mingw32-windres", str(rc), "-O", "coff", "-o",
                str(work / "trevika.res.o")], check=True)
subprocess.run(["x86_64-w64-mingw32-g++", "-mwindows", str(stub), str(work / "trevika.res.o"),
                "-o", str(work / "trevika.exe")], check=True)

pe = pefile.PE(str(work / "trevika.exe"))
failures = []


def expect(what, actual, wanted):
    if actual != wanted:
        failures.append(f"{what}: {actual!r}, wanted {wanted!r}")


strings = {}
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            expect("string table language", table.LangID, b"040204B0")
            strings.update({k.decode(): v.decode("utf-8") for k, v in table.entries.items()})
expect("FileVersion", strings.get("FileVersion"), "1.00")
expect("ProductVersion", strings.get("ProductVersion"), "1.00")
expect("ProductName", strings.get("ProductName"), "Тревика")
expect("FileDescription", strings.get("FileDescription"),
       "География - национални туристически обекти")
fixed = pe.VS_FIXEDFILEINFO[0]
expect("numeric file version", (fixed.FileVersionMS, fixed.FileVersionLS), (0x00010000, 0))
expect("numeric product version", (fixed.ProductVersionMS, fixed.ProductVersionLS),
       (0x00010000, 0))


def resources(kind):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == kind:
            for named in entry.directory.entries:
                for language in named.directory.entries:
                    data = language.data.struct
                    yield named.id, pe.get_data(data.OffsetToData, data.Size)


icons = dict(resources(pefile.RESOURCE_TYPE["RT_ICON"]))
groups = list(resources(pefile.RESOURCE_TYPE["RT_GROUP_ICON"]))
expect("icon groups", len(groups), 1)

# The icon file's own 32 x 32, 256-colour image must be the one the executable carries.
ico_bytes = ico.read_bytes()
_, _, count = struct.unpack_from("<HHH", ico_bytes)
wanted = None
for i in range(count):
    w, h, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", ico_bytes, 6 + 16 * i)
    if (w, h, bits) == (32, 32, 8):
        wanted = ico_bytes[offset:offset + size]
if wanted is None:
    failures.append("the icon file has no 32 x 32 image in 256 colours")
elif groups:
    group = groups[0][1]
    _, _, entries = struct.unpack_from("<HHH", group)
    carried = None
    for i in range(entries):
        w, h, _, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        if (w, h, bits) == (32, 32, 8):
            carried = icons.get(icon_id)
    expect("32 x 32 icon in 256 colours", carried == wanted, True)

for failure in failures:
    print("FAIL:", failure)
print(f"{len(strings)} version strings, {len(icons)} icon images read back")
sys.exit(1 if failures else 0)
