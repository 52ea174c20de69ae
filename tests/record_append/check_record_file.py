#!/usr/bin/env python3
"""Reads record files back with Python's csv module after record_append wrote
to them through the record store.

  check_record_file.py race <work folder> <command...>
      two copies append 500 records each at the same moment; the file must
      then hold one byte-order mark, one header and exactly the 1,000 records,
      each well formed
  check_record_file.py torn <work folder> <command...>
      files that end in a torn record get two more records; each must be a
      row of its own with 4 columns, and the rows before stay as they were

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


def report(t):
    """The report record_append saves with t."""
    return f'第 {t} 条，"引号"\r\n第二行\r\n'


def record_bytes(t):
    """One record as the store writes it, at a fixed time."""
    quoted = '"' + report(t).replace('"', '""') + '"'
    return f'2026-01-01 00:00:00,Kinetora,半衰期={t},{quoted}\r\n'.encode()


def record_t(row):
    """t of a well-formed record row, else None."""
    if len(row) != 4 or not TIME.fullmatch(row[0]) or row[1] != 'Kinetora':
        return None
    match = T_FIELD.fullmatch(row[2])
    if match is None or row[3] != report(int(match.group(1))):
        return None
    return int(match.group(1))


def read_rows(path):
    with open(path, 'rb') as f:
        raw = f.read()
    text = raw.decode('utf-8', errors='replace')
    return raw, list(csv.reader(io.StringIO(text.removeprefix('\ufeff'), newline='')))


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
    raw, rows = read_rows(case.file(base))
    if not raw.startswith(BOM) or raw.count(BOM) != 1:
        problems.append(f'{raw.count(BOM)} byte-order marks')
    if not raw.endswith(b'\r\n'):
        problems.append('the file does not end with CR LF')
    if not rows or rows[0] != HEADER:
        problems.append(f'first row is not the header: {rows[:1]}')
    values = []
    for number, row in enumerate(rows[1:], 2):
        t = record_t(row)
        if t is None:
            problems.append(f'row {number} is not a well-formed record: {row!r}')
        else:
            values.append(t)
    expected = list(range(1, count + 1)) + list(range(1001, 1001 + count))
    if sorted(values) != expected:
        missing = sorted(set(expected) - set(values))
        doubled = sorted({v for v in values if values.count(v) > 1})
        problems.append(f'{len(values)} records; missing {missing[:20]}, doubled {doubled[:20]}')
    print(f'{len(values)} records, {raw.count(BOM)} byte-order mark(s), '
          f'{sum(r == HEADER for r in rows)} header(s); whole run {wall_ms} ms')
    return problems


# Files ending in a torn record: BOM, header and one record, then the torn part.
TORN = [
    ('plain torn line', b'2026-01-01 00:00:00,Kinetora,\xe5\x8d\x8a\xe8\xa1\xb0'),
    ('open quote on the torn line', '2026-01-01 00:00:00,Kinetora,半衰期=8,"第 8 条，""引'.encode()),
    ('open quote, torn after a line break inside the report',
     '2026-01-01 00:00:00,Kinetora,半衰期=8,"第 8 条，""引号""\r\n'.encode()),
]


def torn(case):
    problems = []
    for number, (name, tail) in enumerate(TORN):
        base = case.base(f'torn{number}')
        before = HEADER_BYTES + record_bytes(7) + tail
        with open(case.file(base), 'wb') as f:
            f.write(before)
        done = case.run(base, '2', '101')
        if done.returncode != 0:
            problems.append(f'{name}: record_append exit code {done.returncode}: {done.stderr}')
            continue
        raw, rows = read_rows(case.file(base))
        if not raw.startswith(before):
            problems.append(f'{name}: the bytes before the new records changed')
        # Header, the complete record, the torn one, the two new ones.
        if len(rows) != 5 or rows[0] != HEADER or record_t(rows[1]) != 7 or \
                [record_t(row) for row in rows[3:]] != [101, 102]:
            problems.append(f'{name}: rows read back: {rows!r}')
        else:
            print(f'ok - {name}: torn row {rows[2]!r}, then two rows of 4 columns')
    return problems


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in ('race', 'torn'):
        print(__doc__, file=sys.stderr)
        return 2
    case = Case(sys.argv[2], sys.argv[3:])
    problems = race(case) if sys.argv[1] == 'race' else torn(case)
    for problem in problems:
        print('FAIL - ' + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
