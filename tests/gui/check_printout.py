#!/usr/bin/env python3
"""Reads a printout back from its PDF (pdftotext, pdfinfo, pdffonts) and checks
it against the report the window showed:

  check_printout.py PDF REPORT_FILE TOOL_NAME LEVEL_WORDS [MIN_PAGES]

- every line of the report is in the text, in order, whitespace aside (a line
  wrapped at the margin reads back as several), as pdftotext reads it or in
  its layout mode (a table's rows);
- every page has the header (the tool's name, the print time) and the footer
  "第 N 页 / 共 M 页" with its own N and M = the PDF's page count, and the
  notice "计算结果仅供临床参考";
- the verdict's level in words is on the first page;
- the signature line is on the last page and on no other;
- at least MIN_PAGES pages (default 1); a font is embedded.
Prints "pages=M" and exits 0, or names the first failed check and exits 1.
"""
import re
import subprocess
import sys
import unicodedata

SIGNATURE = "核对人：＿＿＿＿＿＿  执行人：＿＿＿＿＿＿  日期：＿＿＿＿＿＿"


def flat(text):
    # NFKC: the PDF's text map may name a glyph by a compatibility code point
    # (U+F97E for 量); blanks are where wrapping and pdftotext put them.
    return re.sub(r"\s+", "", unicodedata.normalize("NFKC", text))


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def fail(message):
    print("FAIL - printout: " + message, file=sys.stderr)
    sys.exit(1)


def main():
    pdf, report_file, tool_name, level_words = sys.argv[1:5]
    min_pages = int(sys.argv[5]) if len(sys.argv) > 5 else 1
    info = run("pdfinfo", pdf)
    match = re.search(r"^Pages:\s+(\d+)", info, re.M)
    if not match:
        fail("pdfinfo gives no page count")
    pages = int(match.group(1))
    if pages < min_pages:
        fail(f"{pages} pages, expected at least {min_pages}")

    page_texts = [flat(run("pdftotext", "-f", str(n), "-l", str(n), "-enc", "UTF-8", pdf, "-"))
                  for n in range(1, pages + 1)]
    for n, text in enumerate(page_texts, start=1):
        for part in (tool_name, "打印时间：", f"第{n}页/共{pages}页", "计算结果仅供临床参考"):
            if flat(part) not in text:
                fail(f"page {n} lacks {part!r}")
        if (flat(SIGNATURE) in text) != (n == pages):
            fail(f"page {n} {'lacks' if n == pages else 'has'} the signature line")
    if flat(level_words) not in page_texts[0]:
        fail(f"the first page lacks the level words {level_words!r}")

    with open(report_file, encoding="utf-8") as f:
        report = f.read()
    lines = [flat(line) for line in report.splitlines() if flat(line)]

    # The first line not found in order in `whole`, or None.
    def missing(whole):
        at = 0
        for line in lines:
            found = whole.find(line, at)
            if found < 0:
                where = "anywhere" if whole.find(line) < 0 else "after the line before it"
                return f"report line not found {where}: {line!r}"
            at = found + len(line)
        return None

    # pdftotext reads a table's label column apart from its cells (the roster's
    # grid); its layout mode keeps each printed row whole.
    problem = missing("".join(page_texts))
    if problem is not None:
        layout = flat(run("pdftotext", "-layout", "-enc", "UTF-8", pdf, "-"))
        if missing(layout) is not None:
            fail(problem)

    fonts = run("pdffonts", pdf).splitlines()[2:]
    embedded = [row for row in fonts if len(row.split()) >= 5 and row.split()[-5] == "yes"]
    if not embedded:
        fail("no embedded font:\n" + "\n".join(fonts))
    print(f"pages={pages} report_lines={len(lines)} embedded_fonts={len(embedded)}")


main()
