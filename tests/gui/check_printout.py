#!/usr/bin/env python3
"""Reads a printout back from its PDF (pdftotext, pdfinfo, pdffonts) and checks
it against the report the window showed:

  check_printout.py PDF REPORT_FILE TOOL_NAME LEVEL_WORDS [MIN_PAGES [INPUTS [SIGNATURE [blocks]]]]

- every line of the report is in the text, in order, whitespace aside (a line
  wrapped at the margin reads back as several), as pdftotext reads it or in
  its layout mode (a table's rows);
- every page has the header (the tool's name, the print time) and the footer
  "第 N 页 / 共 M 页" with its own N and M = the PDF's page count, and the
  notice "计算结果仅供临床参考";
- the verdict's level in words is on the first page;
- INPUTS ("label：value unit" lines joined by "|"): the "输入" block on the
  first page, every line in order, before the level words;
- the signature line (SIGNATURE when given and not empty, else the common
  核对人/执行人 line) is on the last page and on no other, and the common line
  is nowhere when the tool has its own;
- with "blocks": every block of the report (its lines between empty lines) is
  whole on one page;
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
    inputs = sys.argv[6].split("|") if len(sys.argv) > 6 and sys.argv[6] else []
    signature = sys.argv[7] if len(sys.argv) > 7 and sys.argv[7] else SIGNATURE
    blocks = len(sys.argv) > 8 and sys.argv[8] == "blocks"
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
        if (flat(signature) in text) != (n == pages):
            fail(f"page {n} {'lacks' if n == pages else 'has'} the signature line")
        if signature != SIGNATURE and flat(SIGNATURE) in text:
            fail(f"page {n} has the common signature line as well as the tool's own")
    if flat(level_words) not in page_texts[0]:
        fail(f"the first page lacks the level words {level_words!r}")
    if inputs:
        at = page_texts[0].find(flat("输入"))
        for line in inputs:
            found = page_texts[0].find(flat(line), at) if at >= 0 else -1
            if found < 0:
                fail(f"the first page lacks the input line {line!r} after \"输入\"")
            at = found + len(flat(line))
        if page_texts[0].find(flat(level_words), at) < 0:
            fail("the inputs do not come before the verdict")

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

    if blocks:
        block = ""
        for line in report.splitlines() + [""]:
            if flat(line):
                block += flat(line)
                continue
            if block and not any(block in text for text in page_texts):
                fail(f"block split across pages: {block[:40]!r}")
            block = ""

    fonts = run("pdffonts", pdf).splitlines()[2:]
    embedded = [row for row in fonts if len(row.split()) >= 5 and row.split()[-5] == "yes"]
    if not embedded:
        fail("no embedded font:\n" + "\n".join(fonts))
    print(f"pages={pages} report_lines={len(lines)} embedded_fonts={len(embedded)}")


main()
