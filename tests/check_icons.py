# SPDX-License-Identifier: MIT
"""The committed icons must be what resources/make-icons renders from trevika.svg today.

    check_icons.py RESOURCES_DIR WORK_DIR
"""
import pathlib
import subprocess
import sys

from PIL import Image, ImageChops

resources, work = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
subprocess.run([sys.executable, str(resources / "make-icons"), str(work)], check=True)
failures = []
made = sorted((work / "icons").glob("*.png")) + [work / "trevika.ico", work / "installer-side.bmp"]
for path in made:
    committed = resources / path.relative_to(work)
    sizes = Image.open(path).info.get("sizes") or [Image.open(path).size]
    for size in sorted(sizes):
        ours, theirs = Image.open(committed), Image.open(path)
        if committed.suffix == ".ico":
            ours.size = theirs.size = size
        if ImageChops.difference(ours.convert("RGBA"), theirs.convert("RGBA")).getbbox():
            failures.append(f"{committed.name} at {size}: run resources/make-icons")
ico = Image.open(resources / "trevika.ico")
if (32, 32) not in ico.info["sizes"]:
    failures.append("trevika.ico has no 32 x 32 image")
print("\n".join(failures) or f"{len(made)} icon files match their source")
sys.exit(1 if failures else 0)
