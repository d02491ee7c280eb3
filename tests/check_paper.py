#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The sheets the program puts on paper, read back by poppler-utils and qpdf.

  check_paper.py pdf OUT TEST [WINE]   the built-in table's sheets written as PDFs by TEST
                                       (PaperMenuTest, under WINE if given): whole, A4, fonts
                                       embedded, every text extractable, the pages as laid out
  check_paper.py cups OUT TEST         the worksheet printed by TEST to a CUPS queue with a PDF
                                       printer (cups-pdf) in a private cupsd, against the same
                                       sheet saved as a PDF; needs root, as cupsd's backends do
"""
import os
import pathlib
import pwd
import re
import shutil
import signal
import subprocess
import sys
import time

SKIP = 77


def fail(message):
    print("check_paper: " + message, file=sys.stderr)
    sys.exit(1)


def run(command, env=None, **kwargs):
    result = subprocess.run(command, env=env, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        fail(f"{' '.join(map(str, command))} failed ({result.returncode}):\n"
             f"{result.stdout}\n{result.stderr}")
    return result.stdout


def write_sheets(out, test, wine, function, extra_env=None):
    out.mkdir(parents=True, exist_ok=True)
    env = dict(os.environ, TREVIKA_PAPER_OUT=str(out), **(extra_env or {}))
    if not wine:
        env["QT_QPA_PLATFORM"] = "offscreen"
    run(([wine] if wine else []) + [test, function], env=env)


def info(pdf):
    fields = {}
    for line in run(["pdfinfo", pdf]).splitlines():
        key, _, value = line.partition(":")
        fields[key.strip()] = value.strip()
    return fields


def words(text):
    # A text wrapped after a hyphen comes back with a space there.
    return re.sub(r"- (?=\S)", "-", " ".join(text.split()))


def check_pdf(pdf, pages, texts):
    run(["qpdf", "--check", pdf])
    fields = info(pdf)
    if int(fields["Pages"]) not in pages:
        fail(f"{pdf.name}: {fields['Pages']} pages, not {pages}")
    if "(A4)" not in fields["Page size"]:
        fail(f"{pdf.name}: page size {fields['Page size']}")
    fonts = run(["pdffonts", pdf]).splitlines()[2:]
    if not fonts:
        fail(f"{pdf.name}: no fonts")
    for font in fonts:
        # name, type, encoding, emb, sub, uni, object, generation; a type may have spaces.
        columns = font.split()
        if columns[-5] != "yes" or columns[-3] != "yes":
            fail(f"{pdf.name}: a font not embedded or without its Unicode: {font}")
    if b"/Lang (bg)" not in pdf.read_bytes():
        fail(f"{pdf.name}: no language")
    text = words(run(["pdftotext", "-raw", "-enc", "UTF-8", pdf, "-"]))
    count = int(fields["Pages"])
    for expected in texts + [f"стр. {page} от {count}" for page in range(1, count + 1)]:
        if words(expected) not in text:
            fail(f"{pdf.name}: „{expected}“ is not in its text:\n{text}")
    return fields, text


def check_columns(pdf, left_share, heading):
    """No word of a two-column sheet's rows lies in the gap between its columns or past the
    margin."""
    points_per_mm = 72 / 25.4
    width = 595.28 - 2 * 15 * points_per_mm
    gap = 6 * points_per_mm
    left_end = 15 * points_per_mm + (width - gap) * left_share
    right_start = left_end + gap
    right_end = 15 * points_per_mm + width
    html = run(["pdftotext", "-bbox", pdf, "-"])
    rows_begun = False
    for x_min, x_max, word in re.findall(
            r'<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)<', html):
        # The header runs across the page; the rows begin with the columns' headings.
        rows_begun = rows_begun or word.startswith(heading)
        if rows_begun and float(x_max) > right_end + 0.5:
            fail(f"{pdf.name}: „{word}“ runs to {x_max}, past the margin at {right_end:.1f}")
        if rows_begun and float(x_max) > left_end + 0.5 and float(x_min) < right_start - 0.5:
            fail(f"{pdf.name}: „{word}“ runs from {x_min} to {x_max}, between the columns "
                 f"({left_end:.1f} to {right_start:.1f})")


def check_written(out, test, wine):
    for old in out.glob("*.pdf"):
        old.unlink()
    write_sheets(out, test, wine, "writesEachSheetAsPdf")
    write_sheets(out, test, wine, "writesALearnersReviewSheet")
    write_sheets(out, test, wine, "longTableCanBeCancelled")
    expected = (out / "expected.txt").read_text(encoding="utf-8").splitlines()
    lefts, rights = expected[0::2], expected[1::2]
    title = "География - национални туристически обекти"
    for variant in (7, 8):
        fields, text = check_pdf(out / f"worksheet-{variant}.pdf", {2},
                                 lefts + rights + [title, f"Работен лист, вариант {variant}"])
        if fields["Title"] != f"{title} – Работен лист, вариант {variant}":
            fail(f"worksheet {variant}: title {fields['Title']}")
        check_columns(out / f"worksheet-{variant}.pdf", 0.36, "Селище")
    order = [re.search(r"А\. (.*?) Б\. ", words(run(["pdftotext", "-raw", out / name, "-"])))
             .group(1) for name in ("worksheet-7.pdf", "worksheet-8.pdf")]
    if order[0] == order[1]:
        fail(f"variants 7 and 8 begin with the same site: {order[0]}")
    _, key = check_pdf(out / "key-7.pdf", {1}, ["Отговори, вариант 7"])
    numbers = re.findall(r"(\d+) – ([А-Я]+)", key)
    if sorted(int(number) for number, _ in numbers) != list(range(1, len(lefts) + 1)):
        fail(f"the key does not number 1 to {len(lefts)}: {key}")
    _, blank = check_pdf(out / "map.pdf", {2, 3}, rights + ["Празна карта", "Отговори"])
    for province in range(1, 29):
        if not re.search(rf"\b{province}\b", blank):
            fail(f"province {province} is not numbered on the map")
    _, review = check_pdf(out / "review.pdf", {1},
                          ["Обекти", "За повторение, вариант 3", "Име: Ана", "Кърджали",
                           "Перперикон", "Мелник", "Къща"])
    if "Ямбол" in review or "Кабиле" in review:
        fail(f"the review sheet has a pair that was right: {review}")
    check_pdf(out / "long.pdf", range(25, 41),
              [f"дума {i}" for i in (0, 1, 500, 999)] + ["превод на думата 998"])
    # Its last pair's right text is one word of 300 letters, wrapped inside its column.
    check_columns(out / "long.pdf", 0.36, "Дума")
    sizes = {name.name: name.stat().st_size for name in out.glob("*.pdf")}
    print("sheets:", {name: info(out / name)["Pages"] + " pages, " + str(size) + " bytes"
                      for name, size in sorted(sizes.items())})


def blurred_pages(pdf, folder, stem):
    from PIL import Image, ImageFilter
    for old in folder.glob(stem + "-*.pgm"):
        old.unlink()
    subprocess.run(["pdftoppm", "-r", "40", "-gray", pdf, folder / stem],
                   capture_output=True, check=True)
    return [Image.open(page).filter(ImageFilter.GaussianBlur(2))
            for page in sorted(folder.glob(stem + "-*.pgm"))]


def difference(a, b):
    from PIL import ImageChops, ImageStat
    return max(ImageStat.Stat(ImageChops.difference(x, y)).mean[0] for x, y in zip(a, b))


def check_printed(out, test):
    if os.geteuid() != 0:
        print("check_paper: cupsd runs its PDF printer's backend only as root")
        sys.exit(SKIP)
    write_sheets(out, test, None, "writesEachSheetAsPdf")
    cups = out / "cups"
    shutil.rmtree(cups, ignore_errors=True)
    for folder in ("spool", "cache", "state", "log"):
        (cups / folder).mkdir(parents=True)
    (cups / "tmp").mkdir(mode=0o1777)
    os.chmod(cups / "tmp", 0o1777)
    socket = cups / "cups.sock"
    (cups / "cups-files.conf").write_text(
        f"ServerRoot {cups}\nRequestRoot {cups}/spool\nTempDir {cups}/tmp\n"
        f"CacheDir {cups}/cache\nStateDir {cups}/state\nPrintcap {cups}/printcap\n"
        f"AccessLog {cups}/log/access_log\nErrorLog {cups}/log/error_log\n"
        f"PageLog {cups}/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n")
    (cups / "cupsd.conf").write_text(
        f"Listen {socket}\nLogLevel info\nDefaultAuthType None\nWebInterface No\n"
        "Browsing No\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Policy default>\n  <Limit All>\n    Order deny,allow\n    Allow all\n  </Limit>\n"
        "</Policy>\n")
    cupsd = subprocess.Popen(["cupsd", "-f", "-c", cups / "cupsd.conf",
                              "-s", cups / "cups-files.conf"],
                             stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
    try:
        for _ in range(100):
            if socket.exists():
                break
            time.sleep(0.1)
        run(["lpadmin", "-h", socket, "-p", "trevika-pdf", "-E", "-v", "cups-pdf:/",
             "-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"])
        # cups-pdf writes into the folder PDF in the home of the job's owner.
        printed = pathlib.Path(pwd.getpwuid(os.geteuid()).pw_dir) / "PDF"
        # A queue started anew numbers its jobs from 1 again: a file of an earlier run may be
        # written over, so the job's is told by its time.
        started = time.time() - 1
        write_sheets(out, test, None, "printsToTheNamedPrinter",
                     {"CUPS_SERVER": str(socket), "TREVIKA_TEST_PRINTER": "trevika-pdf"})
        new = []
        for _ in range(600):
            jobs = run(["lpstat", "-h", socket, "-o", "trevika-pdf"])
            new = sorted(pdf for pdf in printed.glob("*.pdf")
                         if pdf.stat().st_mtime >= started) if printed.exists() else []
            if new and not jobs.strip():
                break
            time.sleep(0.1)
        if len(new) != 1:
            log = (cups / "log" / "error_log").read_text(errors="replace")
            fail(f"the queue gave {len(new)} PDFs in {printed}:\n{log}")
        job = out / "printed.pdf"
        shutil.move(new[0], job)
    finally:
        cupsd.send_signal(signal.SIGTERM)
        cupsd.wait(timeout=30)
    saved, other = out / "worksheet-7.pdf", out / "worksheet-8.pdf"
    job_info, saved_info = info(job), info(saved)
    if job_info["Pages"] != saved_info["Pages"] or "(A4)" not in job_info["Page size"]:
        fail(f"printed {job_info['Pages']} pages of {job_info['Page size']}, "
             f"saved {saved_info['Pages']}")
    # The printer's PDF is made by Ghostscript from PostScript: its pages must look as the saved
    # ones do, much closer to them than to another variant's.
    printed_pages = blurred_pages(job, out, "printed")
    same = difference(printed_pages, blurred_pages(saved, out, "saved"))
    against_other = difference(printed_pages, blurred_pages(other, out, "other"))
    print(f"printed: {job_info['Pages']} pages, by {job_info.get('Producer')}; difference "
          f"from the saved sheet {same:.2f}, from another variant {against_other:.2f}")
    if same > 4 or same * 2 > against_other:
        fail("the printed pages are not the saved sheet's")


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in ("pdf", "cups"):
        print(__doc__, file=sys.stderr)
        return 2
    out = pathlib.Path(sys.argv[2])
    if sys.argv[1] == "pdf":
        check_written(out, sys.argv[3], sys.argv[4] if len(sys.argv) > 4 else None)
    else:
        check_printed(out, sys.argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main())
