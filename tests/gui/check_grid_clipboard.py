#!/usr/bin/env python3
"""Reads the roster's cells back from the clipboard formats the copy command
placed (saved by the GUI driver) and checks them against the report box:

  check_grid_clipboard.py HTML_FILE CSV_FILE REPORT_FILE NURSES DAYS WORK_DIR

- HTML Format: the header's offsets frame the page and the fragment; the
  fragment's table, read by an HTML parser, is the grid;
- Csv (the ANSI code page of the Chinese prefix, 936) holds the same cells;
- the grid has a header row "日期", 1..DAYS, a row a nurse (护士01..) whose
  letters are the report's row for that nurse, and the day and night counts of
  each day;
- LibreOffice Calc opens the HTML page as the same cells (one value a cell),
  when soffice is installed.
Prints "cells=ROWSxCOLUMNS" and exits 0, or names the first failed check.
"""
import csv
import html.parser
import io
import os
import re
import shutil
import subprocess
import sys


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


class TableReader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.rows, self.cell = [], None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag == "td":
            self.cell = ""

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.rows[-1].append(self.cell)
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def html_cells(block):
    offsets = {}
    for name in ("StartHTML", "EndHTML", "StartFragment", "EndFragment"):
        match = re.search(rb"^" + name.encode() + rb":(\d+)\r\n", block, re.M)
        if not match:
            fail(f"HTML Format lacks {name}")
        offsets[name] = int(match.group(1))
    if offsets["EndHTML"] != len(block):
        fail(f"EndHTML {offsets['EndHTML']} is not the block's end {len(block)}")
    if not block[offsets["StartHTML"]:].startswith(b"<html>"):
        fail("StartHTML does not point at <html>")
    fragment = block[offsets["StartFragment"]:offsets["EndFragment"]].decode("utf-8")
    if not fragment.startswith("<table>") or not fragment.endswith("</table>"):
        fail(f"the fragment is not one table: {fragment[:40]!r}")
    reader = TableReader()
    reader.feed(fragment)
    return reader.rows, block[offsets["StartHTML"]:]


def report_letters(report, label):
    """The shift letters of the report's grid row that begins with `label`."""
    for line in report.splitlines():
        if line.startswith(label):
            return re.sub(r"[ \u3000]", "", line[len(label):])
    fail(f"the report has no row {label}")


def calc_cells(page, work):
    soffice = shutil.which("soffice")
    if not soffice:
        return None
    into, out = os.path.join(work, "calc-in"), os.path.join(work, "calc-out")
    os.makedirs(into, exist_ok=True)
    path = os.path.join(into, "grid.html")
    with open(path, "wb") as f:
        f.write(page)
    subprocess.run([soffice, f"-env:UserInstallation=file://{work}/calc-profile", "--headless",
                    "--infilter=HTML (StarCalc)", "--convert-to",
                    "csv:Text - txt - csv (StarCalc):44,34,76,1", "--outdir", out, path],
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=240)
    with open(os.path.join(out, "grid.csv"), encoding="utf-8", newline="") as f:
        return list(csv.reader(f))


def main():
    html_file, csv_file, report_file, nurses, days, work = sys.argv[1:7]
    nurses, days = int(nurses), int(days)
    with open(html_file, "rb") as f:
        cells, page = html_cells(f.read())
    with open(csv_file, "rb") as f:
        csv_rows = list(csv.reader(io.StringIO(f.read().decode("cp936"), newline="")))
    if csv_rows != cells:
        fail("the Csv cells differ from the HTML table's")
    if len(cells) != nurses + 3 or any(len(row) != days + 1 for row in cells):
        fail(f"{len(cells)} rows of {sorted({len(r) for r in cells})} cells, "
             f"expected {nurses + 3} of {days + 1}")
    if cells[0] != ["日期"] + [str(d) for d in range(1, days + 1)]:
        fail(f"header row {cells[0]}")
    with open(report_file, encoding="utf-8") as f:
        report = f.read()
    for i in range(1, nurses + 1):
        row = cells[i]
        if row[0] != f"护士{i:02d}":
            fail(f"row {i} is {row[0]!r}")
        if "".join(row[1:]) != report_letters(report, row[0]):
            fail(f"{row[0]}: cells {''.join(row[1:])} differ from the report's row")
    for row, label, letter in ((cells[-2], "白班人数", "D"), (cells[-1], "夜班人数", "N")):
        counted = [str(sum(cells[i][d] == letter for i in range(1, nurses + 1)))
                   for d in range(1, days + 1)]
        if row != [label] + counted:
            fail(f"{label}: {row[1:]} but the rows count {counted}")
    calc = calc_cells(page, work)
    if calc is not None and calc != cells:
        fail(f"LibreOffice Calc reads other cells: {calc[:2]}")
    print(f"cells={len(cells)}x{days + 1}{'' if calc is not None else ' (Calc not installed)'}")


main()
