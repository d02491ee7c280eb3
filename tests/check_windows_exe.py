# SPDX-License-Identifier: MIT
"""Reads back what trevika.exe carries: a GUI program with no console, its version record and
icon, and imports of nothing but DLLs that every Windows 10 has.

    check_windows_exe.py EXE ICO_FILE BUILT_FROM

BUILT_FROM is the trevika-built-from.txt of the Qt that scripts/windows-deps built: the version
record must name that Qt, Debian revision and all.
"""
import pathlib
import struct
import sys

import pefile

exe, ico, built_from = (pathlib.Path(arg) for arg in sys.argv[1:4])
pe = pefile.PE(str(exe))
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
qt = dict(line.split(" ", 1) for line in built_from.read_text().splitlines())["qt6-base"]
expect("Comments", strings.get("Comments"), f"Qt {qt} (Debian qt6-base)")
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

expect("subsystem", pe.OPTIONAL_HEADER.Subsystem,
       pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])

# Windows' own libraries; anything else would have to be shipped beside the program, and the
# zip holds only the program. msvcrt.dll is the C runtime that MinGW builds on, part of Windows.
SYSTEM_DLLS = {
    "advapi32.dll", "comdlg32.dll", "d3d11.dll", "d3d12.dll", "d3d9.dll", "dwmapi.dll",
    "dwrite.dll", "dxgi.dll", "gdi32.dll", "imm32.dll", "kernel32.dll", "msvcrt.dll",
    "netapi32.dll", "ole32.dll", "oleaut32.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "userenv.dll", "uxtheme.dll", "version.dll", "winmm.dll", "ws2_32.dll",
    "wtsapi32.dll", "authz.dll", "mpr.dll", "crypt32.dll", "d2d1.dll", "shcore.dll",
    # The printers, for Qt Print Support.
    "winspool.drv",
    # The network, for Qt Network: its interfaces, Schannel (TLS) with its cryptography, and
    # WinHTTP, through which Qt reads the system's proxy settings.
    "iphlpapi.dll", "secur32.dll", "bcrypt.dll", "winhttp.dll",
    # API sets, which Windows 8 and later resolve to their own DLLs: Qt waits on addresses
    # and reads the desktop's colour settings through them.
    "api-ms-win-core-synch-l1-2-0.dll", "api-ms-win-core-winrt-l1-1-0.dll",
    "api-ms-win-core-winrt-string-l1-1-0.dll",
}
imports = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
shipped = {path.name.lower() for path in exe.parent.glob("*.dll")}
for dll in imports:
    if dll not in SYSTEM_DLLS and dll not in shipped:
        failures.append(f"imports {dll}, which Windows does not have and is not shipped")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(strings)} version strings, {len(icons)} icon images read back; imports:",
      " ".join(imports))
sys.exit(1 if failures else 0)
