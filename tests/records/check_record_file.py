#!/usr/bin/env python3
"""Reads record files back with real CSV readers after record_append wrote to
them through the record store: Python's csv module, and LibreOffice Calc's
UTF-8 CSV import when soffice is installed.

  check_record_file.py race <work folder> <command...>
      two copies append 500 records each at the same moment; the file must
      then hold one byte-order mark, one header and exactly the 1,000 records,
      each well formed
  check_record_file.py torn <work folder> <command...>
      files that end in a torn record get two more records; each must be a
      row of its own with 4 columns, and the rows before stay as they were

  check_record_file.py long <work folder> <command...>
      one record whose report is as long as the window's report (8,191 UTF-16
      units: Chinese text, commas, quotes, line breaks) is read back whole

<command...> runs record_append (under Wine: the runner and the .exe); the
base folder is handed to it as a Windows path when the program is a .exe.
"""
import csv
import io
import os
import re
import shutil
import subprocess
import sys
import time

BOM = b'\xef\xbb\xbf'
HEADER = ['时间', '工具', '半衰期', '结果']
HEADER_BYTES = BOM + ','.join(HEADER).encode() + b'\r\n'
TIME = re.compile(r'\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}')
T_FIELD = re.compile(r'半衰期=(\d+)')


# The verdict line that opens the result cell of every record record_append saves.
VERDICT_LINE = '【正常】药代参数估算完成'


def report(t):
    """The report record_append saves with t."""
    return f'第 {t} 条，"引号"\r\n第二行\r\n'


def cell(t):
    """The result cell of the record record_append saves with t."""
    return VERDICT_LINE + '\r\n' + report(t)


def record_bytes(t):
    """One record as the store writes it, at a fixed time."""
    quoted = '"' + cell(t).replace('"', '""') + '"'
    return f'2026-01-01 00:00:00,Kinetora,半衰期={t},{quoted}\r\n'.encode()


def record_t(row):
    """t of a well-formed record row, else None. Line breaks inside a field
    may come back as LF alone (LibreOffice)."""
    if len(row) != 4 or not TIME.fullmatch(row[0]) or row[1] != 'Kinetora':
        return None
    match = T_FIELD.fullmatch(row[2])
    if match is None or row[3].replace('\r\n', '\n') != cell(match.group(1)).replace('\r\n', '\n'):
        return None
    return int(match.group(1))


def python_rows(paths, work):
    rows = []
    for path in paths:
        with open(path, 'rb') as f:
            text = f.read().decode('utf-8', errors='replace')
        rows.append(list(csv.reader(io.StringIO(text.removeprefix('\ufeff'), newline=''))))
    return rows


def calc_rows(paths, work):
    """Each file as LibreOffice Calc imports it (comma, double quote, UTF-8),
    saved again as CSV and read back."""
    soffice = shutil.which('soffice')
    into = os.path.join(work, 'calc-in')
    out = os.path.join(work, 'calc-out')
    os.makedirs(into, exist_ok=True)
    copies = []
    for number, path in enumerate(paths):
        copies.append(os.path.join(into, f'file{number}.csv'))
        shutil.copyfile(path, copies[-1])
    subprocess.run([soffice, f'-env:UserInstallation=file://{work}/calc-profile', '--headless',
                    '--infilter=CSV:44,34,76,1', '--convert-to',
                    'csv:Text - txt - csv (StarCalc):44,34,76,1', '--outdir', out, *copies],
                   stdin=subprocess.DEVNULL, capture_output=True, timeout=240)
    rows = []
    for copy in copies:
        # Calc writes every row as wide as the widest one.
        with open(os.path.join(out, os.path.basename(copy)), encoding='utf-8', newline='') as f:
            rows.append(list(csv.reader(f)))
    return rows


def readers():
    found = [('csv module', python_rows)]
    if shutil.which('soffice'):
        found.append(('LibreOffice Calc', calc_rows))
    else:
        print('skip - LibreOffice Calc (soffice) is not installed: read by the csv module only')
    return found


class Case:
    def __init__(self, work, command):
        self.command = command
        self.wine = command[-1].lower().endswith('.exe')
        self.work = os.path.abspath(work)
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)

    def base(self, name):
        path = os.path.join(self.work, name)
        os.makedirs(os.path.join(path, 'ToviMedSuite', 'records'))
        return path

    def file(self, base):
        return os.path.join(base, 'ToviMedSuite', 'records', 'T030.csv')

    def run(self, *args):
        converted = [('Z:' + a.replace('/', '\\')) if self.wine and a.startswith('/') else a
                     for a in args]
        return subprocess.run(self.command + converted, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, encoding='utf-8',
                              errors='replace')


def race(case):
    base = case.base('race')
    count = 500
    started = time.monotonic()
    done = case.run('--race', base, str(count))
    wall_ms = round((time.monotonic() - started) * 1000)
    sys.stdout.write(done.stdout)
    sys.stderr.write(done.stderr[-4000:])
    problems = []
    if done.returncode != 0:
        problems.append(f'record_append exit code {done.returncode}')
    with open(case.file(base), 'rb') as f:
        raw = f.read()
    if not raw.startswith(BOM) or raw.count(BOM) != 1:
        problems.append(f'{raw.count(BOM)} byte-order marks')
    if not raw.endswith(b'\r\n'):
        problems.append('the file does not end with CR LF')
    expected = list(range(1, count + 1)) + list(range(1001, 1001 + count))
    for reader, read in readers():
        rows = read([case.file(base)], case.work)[0]
        if not rows or rows[0] != HEADER:
            problems.append(f'{reader}: first row is not the header: {rows[:1]}')
        values = []
        for number, row in enumerate(rows[1:], 2):
            t = record_t(row)
            if t is None:
                problems.append(f'{reader}: row {number} is not a well-formed record: {row!r}')
            else:
                values.append(t)
        if sorted(values) != expected:
            missing = sorted(set(expected) - set(values))
            doubled = sorted({v for v in values if values.count(v) > 1})
            problems.append(f'{reader}: {len(values)} records; missing {missing[:20]}, '
                            f'doubled {doubled[:20]}')
        print(f'{reader}: {len(values)} records, {raw.count(BOM)} byte-order mark(s), '
              f'{sum(r == HEADER for r in rows)} header(s)')
    print(f'whole run {wall_ms} ms')
    return problems


# Files ending in a torn record: BOM, header and one record, then the torn part.
TORN = [
    ('plain torn line', '2026-01-01 00:00:00,Kinetora,半衰'.encode()),
    ('open quote on the torn line', '2026-01-01 00:00:00,Kinetora,半衰期=8,"第 8 条，""引'.encode()),
    ('open quote, torn after a line break inside the report',
     '2026-01-01 00:00:00,Kinetora,半衰期=8,"第 8 条，""引号""\r\n'.encode()),
]


def torn(case):
    problems = []
    files = []
    for number, (name, tail) in enumerate(TORN):
        base = case.base(f'torn{number}')
        before = HEADER_BYTES + record_bytes(7) + tail
        with open(case.file(base), 'wb') as f:
            f.write(before)
        done = case.run(base, '2', '101')
        if done.returncode != 0:
            problems.append(f'{name}: record_append exit code {done.returncode}: {done.stderr}')
        with open(case.file(base), 'rb') as f:
            if not f.read().startswith(before):
                problems.append(f'{name}: the bytes before the new records changed')
        files.append(case.file(base))
    for reader, read in readers():
        for (name, _), rows in zip(TORN, read(files, case.work)):
            # Header, the complete record, the torn one, the two new ones.
            if len(rows) != 5 or rows[0] != HEADER or record_t(rows[1]) != 7 or \
                    [record_t(row) for row in rows[3:]] != [101, 102]:
                problems.append(f'{reader}, {name}: rows read back: {rows!r}')
            else:
                print(f'ok - {reader}, {name}: torn row {rows[2]!r}, then two rows of 4 columns')
    return problems


# The window's report holds at most this many UTF-16 units.
LONGEST_REPORT_UNITS = 8191


def long_report():
    """A report of exactly LONGEST_REPORT_UNITS units (all in the BMP), with
    everything a CSV field must carry: commas, quotes, CR LF line ends."""
    lines = []
    number = 1
    while sum(len(line) for line in lines) < LONGEST_REPORT_UNITS:
        lines.append(f'护士{number:02d}：1日D 2日N 3日R，"夜班"后休息\r\n')
        number += 1
    return ''.join(lines)[:LONGEST_REPORT_UNITS]


def long(case):
    problems = []
    report = long_report()
    expected = VERDICT_LINE + '\r\n' + report
    report_file = os.path.join(case.work, 'report.txt')
    with open(report_file, 'w', encoding='utf-8', newline='') as f:
        f.write(report)
    base = case.base('long')
    done = case.run('--report', base, report_file)
    if done.returncode != 0:
        return [f'record_append exit code {done.returncode}: {done.stderr}']
    for reader, read in readers():
        rows = read([case.file(base)], case.work)[0]
        if len(rows) != 2 or rows[0] != HEADER or len(rows[1]) != 4 or rows[1][2] != '半衰期=1':
            problems.append(f'{reader}: not the header and one record of 4 columns: {rows!r}'[:2000])
            continue
        got = rows[1][3]
        # LibreOffice may give line breaks inside a field back as LF alone.
        if got.replace('\r\n', '\n') != expected.replace('\r\n', '\n'):
            same = next((i for i, (a, b) in enumerate(zip(got, expected)) if a != b),
                        min(len(got), len(expected)))
            problems.append(f'{reader}: the result came back with {len(got)} characters of '
                            f'{len(expected)}, the same up to character {same}')
        else:
            print(f'ok - {reader}: the whole report of {len(report)} characters in one field')
    return problems


def main():
    checks = {'race': race, 'torn': torn, 'long': long}
    if len(sys.argv) < 4 or sys.argv[1] not in checks:
        print(__doc__, file=sys.stderr)
        return 2
    case = Case(sys.argv[2], sys.argv[3:])
    problems = checks[sys.argv[1]](case)
    for problem in problems:
        print('FAIL - ' + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
