#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/
(committed) from the formula table, the built-in tool and the edge cases.
The byte layouts follow the targets' decoders (fuzz/fuzz_*.cpp): a value
selector byte below 128 picks kSpecialValues[n % 32] of fuzz_support.h, 128 to
239 the whole number n - 184, 240 and up eight raw bytes. Run again after
changing a decoder; libFuzzer adds what it finds to its own working corpus
under build/, not here."""
import hashlib
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Indices into kSpecialValues.
NAN, INF, NINF, BIG, NBIG, DMAX, NDMAX, DENORM, E75, NE75, ZERO, NZERO, ONE, NONE, HALF, \
    TWO9, NHALF, EIGHT, T24, T30, N8, F40, F31 = range(23)


def small(n):
    """Selector for a small whole number (-56 to 55)."""
    assert -56 <= n <= 55
    return n + 184


def raw(value):
    return bytes([240]) + struct.pack(">d", value)


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    digest = hashlib.sha1(data).hexdigest()[:12]
    with open(os.path.join(folder, "%s-%s" % (name, digest)), "wb") as f:
        f.write(data)


FORMULAS = [
    "0.693/t", "5 * t", "3.32*t", "t>24", "t>=30", "t<30", "t==30", "t!=30", "1 < t < 40",
    "t = 30", "t>24 && ke<0.1", "t<24 || steady>100", "!t", "!0", "t>24 ? 1 : 2",
    "t>24 ? 1 : t<10 ? 2 : 3", "t>24 ? 1 2", "t>24 ? 1 : 1/0", "2^3^2", "-2^2", "2^-1",
    "2 ** 3", "2**3", "-x", "+-+x", "--x", "10 % 3", "mod(10, 3)", "mod(-7, 3)", "mod(7, -3)",
    "mod(7, 0)", "7 % 0", "10/0 + 1", "2 * 3/0 * 5", "sqrt(x)", "cbrt(x)", "abs(x)", "sign(x)",
    "sign(0)", "round(2.5)", "round(-2.5)", "floor(-1.5)", "ceil(-1.5)", "log(0)",
    "log10(1000)", "exp(1000)", "exp(1000) > 0", "min(t, x)", "max(t, x)", "pow(2, 10)",
    "min(t)", "sqrt(4, 9)", "min(1, 2, 3)", "sqrt (16)", "( t )", "T", "pi", "t + foo", "2t",
    "1.5.3", ".", "1e3", ".5", "5.", "2.5E-2", "0x1A", "0X1p3", "1e400", "1e-400",
    "123456789012345678901234567890", "0.1234567890123456789", "", "   ", "\t\n\rt\r\n",
    "t\v", "t\f", "sqrt(16)+pow(2,10)", "min(t,x)*2^3^2",
    "weight/(height/100)^2 + abs(t-x)/2 - 0.5*dose*scr", "1/exp(1000)", "0/0 > 1",
    "a63_" + "a" * 59, "a63_" + "a" * 60, "_ + t", "t?", "t ? 1", "(t", "sqrt(4", "min(1,",
    "t >", "&& t", "t & x", "t | x", "t ! x", "\x80", "t\x80", "1e", "1e+", "0x", "00012.5000",
    "(" * 250 + "t" + ")" * 250, "-" * 250 + "t", "2^" * 120 + "2", "1?" * 120 + "1" + ":1" * 120,
]


def formula_seeds():
    # 14 inputs then 4 outputs; "t" is input 12, "x" input 13.
    ordinary = bytes([small(50)] * 12 + [T30, N8, small(0), small(55), ZERO, ZERO])
    specials = [bytes([v] * 12 + [v, v, v, v, v, v]) for v in (NAN, INF, NINF, BIG, NBIG, ZERO)]
    for i, f in enumerate(FORMULAS):
        write("fuzz_formula", "table%03d" % i, ordinary + f.encode("latin-1"))
    for j, prefix in enumerate(specials):
        for i, f in enumerate(FORMULAS[:60:3]):
            write("fuzz_formula", "special%d-%03d" % (j, i), prefix + f.encode("latin-1"))
    write("fuzz_formula", "raw-values", b"".join(raw(v) for v in
                                                 [1e308] * 12 + [5e-324, -1e308] + [1.0] * 4)
          + b"t*x")


def compute_tool_seeds():
    # input_count, output_count, rule_count, kind selector; inputs (key, label,
    # unit, value); outputs (key, label, unit, formula selector, format); rules
    # (condition selector, level, text); tool id; values; capacities.
    def tool(kind_selector, t_value, caps, formulas=(0, 1, 2), fmt=(3, 1, 1)):
        data = bytes([1, len(formulas), 2, kind_selector])
        data += bytes([0, 0, 0, t_value])                      # input "t"
        keys = (2, 3, 4)
        for k, f, m in zip(keys, formulas, fmt):
            data += bytes([k, 0, 3, f, m])
        data += bytes([3, 2, 2])                               # rule "t>24", level 1
        data += bytes([12, 1, 0])                              # rule "", level 0 (table entry "")
        data += bytes([35])                                    # id 30
        data += bytes([t_value])
        data += caps
        return data

    window = bytes([40, 16, 200]) + bytes([16]) + bytes([0]) + bytes([20])
    tiny = bytes([0, 0, 0]) + bytes([0])
    for name, t in (("t8", EIGHT), ("t30", T30), ("t24", T24), ("t0", ZERO), ("nan", NAN),
                    ("big", BIG), ("nbig", NBIG)):
        write("fuzz_compute_tool", "builtin-" + name, tool(0, t, window))
        write("fuzz_compute_tool", "tiny-" + name, tool(0, t, tiny))
    for kind in range(-1, 14):
        sel = 192 + (kind + 1)
        write("fuzz_compute_tool", "kind%d" % kind, tool(sel, T30, window))
    write("fuzz_compute_tool", "failing", tool(0, ZERO, window, formulas=(9, 10, 11)))
    write("fuzz_compute_tool", "later-outputs", tool(0, EIGHT, window, formulas=(7, 8, 17)))
    write("fuzz_compute_tool", "raw-formula",
          bytes([1, 1, 1, 0, 0, 0, 0, EIGHT, 2, 0, 0, 200, 10]) + b"t*2^0.5+1" +
          bytes([6, 200, 4]) + b"t>1" + bytes([3, 0, 35, EIGHT]) + window)


REPORT_KEYS = ["nurses", "days", "start", "interval", "times", "kind", "drugA", "drugB", "gap",
               "beds", "bed", "dose", "volume", "gtt", "panel", "Kind", "times"]


def report_seeds():
    def report(kind, pairs, capacity=bytes([32]), verdict=0, day=0, fixed=200, arg=(4, 0)):
        data = bytes([(kind + 1) % 14]) + bytes([len(pairs)])
        for key, value in pairs:
            data += bytes([REPORT_KEYS.index(key)]) + value
        data += capacity + bytes([verdict]) + struct.pack(">Q", day) + bytes([fixed])
        data += bytes(arg)
        return data

    def v(n):
        return bytes([small(n)]) if -56 <= n <= 55 else raw(float(n))

    big = bytes([32])      # 8192
    window = bytes([64])   # 4096
    today = 20794  # 2026-12-07
    cases = {
        1: [("nurses", v(40)), ("days", v(31))],
        2: [("start", v(8)), ("interval", raw(0.1)), ("times", v(45))],
        3: [("kind", raw(2.9))],
        4: [("kind", v(3))],
        5: [("kind", v(1))],
        6: [("drugA", v(9)), ("drugB", v(2))],
        7: [("start", v(1)), ("gap", v(7)), ("times", v(50))],
        8: [],
        9: [("beds", v(30))],
        10: [("bed", v(12)), ("dose", raw(250.5)), ("volume", v(50)), ("gtt", v(40))],
        11: [("panel", v(2))],
    }
    for kind, pairs in cases.items():
        for cap_name, cap in (("self", big), ("window", window), ("cut", bytes([200, 0, 0, 3, 0]))):
            write("fuzz_reports", "kind%d-%s" % (kind, cap_name),
                  report(kind, pairs, cap, day=today, fixed=0))
    for kind in (-1, 0, 12):
        write("fuzz_reports", "placeholder%d" % kind, report(kind, [], bytes([0])))
    write("fuzz_reports", "follow-up-year-end",
          report(7, [("start", v(3)), ("gap", v(0)), ("times", v(2))], big,
                 day=20817, fixed=0))
    write("fuzz_reports", "nan-values",
          report(1, [("nurses", bytes([NAN])), ("days", bytes([INF]))], big))
    write("fuzz_reports", "huge-values",
          report(2, [("start", bytes([BIG])), ("interval", bytes([BIG])),
                     ("times", bytes([NBIG]))], big))
    write("fuzz_reports", "capacity-1", report(9, [("beds", v(3))], bytes([0])))


def command_line_seeds():
    lines = [
        "Kinetora.exe", "Kinetora.exe --selftest", "Kinetora.exe --selftest out.txt",
        'Kinetora.exe --selftest ""', 'Kinetora.exe --selftest "C:\\a b\\r.txt"',
        "Kinetora.exe --selftest C:\\a b.txt", "Kinetora.exe --selftest=x.txt",
        "Kinetora.exe --selftest\tx.txt", 'Kinetora.exe --selftest "open ended',
        "C:\\--selftest\\Kinetora.exe", "C:\\--selftest\\Kinetora.exe --selftest later.txt",
        "Kinetora.exe --SELFTEST", "Kinetora.exe --selftes", "Kinetora.exe --selftest    ",
        "Kinetora.exe --selftest " + "p" * 600, 'Kinetora.exe --selftest "' + "q" * 600 + '"',
    ]
    for i, line in enumerate(lines):
        for cap in (0, 64 + 3, 200):
            data = bytes([cap]) + line.encode("ascii")
            write("fuzz_command_line", "line%02d-%d" % (i, cap), data)
    # Non-ASCII units: "报告" after the option, as two-byte units.
    write("fuzz_command_line", "wide-path",
          bytes([0]) + b"K.exe --selftest " + bytes([0xA5, 0x62, 0x4A, 0x54]))


def format_seeds():
    names = ["f0", "f1", "f2", "f3", "int", "pct", "date", None, "", "f4"]
    values = [bytes([x]) for x in range(32)] + [raw(12.3456), raw(-0.9), raw(0.9),
                                                  raw(19723.0), raw(-1.0), raw(1e300)]
    for n in range(len(names)):
        for i, value in enumerate(values):
            data = bytes([n]) + value + bytes([0]) + struct.pack(">Q", 19723) + bytes([40])
            data += struct.pack(">III", 2024, 1, 1)
            write("fuzz_format", "name%d-value%02d" % (n, i), data)
    write("fuzz_format", "raw-name", bytes([240]) + b"%s%n\0" + bytes([7]) + bytes([200, 3]))
    write("fuzz_format", "extreme-days",
          bytes([6, 3, 0]) + struct.pack(">Q", (1 << 64) - 1) + bytes([5]) +
          struct.pack(">III", 0x80000000, 0x80000000, 0x7FFFFFFF))


def record_line_seeds():
    def wide(pieces):
        # short form: even length byte, then the length, then piece selectors
        return bytes([0, len(pieces)]) + bytes(pieces)

    label = wide([6, 6, 6])            # "报报报"
    comma = wide([0, 1, 0, 2, 3, 4])   # a , a " CR LF
    detail = wide([6, 1, 2, 3, 4, 0] * 3)
    for count in (0, 1, 3, 16):
        data = bytes([count])
        for i in range(count):
            data += (comma if i % 2 else label) + bytes([T30])
        data += label + struct.pack(">I", 30) + detail
        data += bytes([0, 12, 7, 9, 5, 3])
        for cap in (bytes([0]), bytes([200, 0, 0, 0, 0])):
            write("fuzz_record_line", "inputs%d-cap%d" % (count, cap[0]),
                  data + cap + bytes([0]) + bytes([40, 1, 30]))


def wide_text_seeds():
    # format: two conversions, each an index into kConversions and a shape (bit 0
    # width, bit 1 a one-byte width instead of four bytes, bit 2 precision),
    # then 8 argument bytes, value selector, text length + text, character,
    # capacity
    def conversion(index, shape):
        data = bytes([index, shape])
        if index in (0, 1) and shape & 1:
            data += bytes([12]) if shape & 2 else struct.pack(">I", 600)
        if index in (2, 3) and shape & 4:
            data += bytes([2])
        return data
    arguments = struct.pack(">Q", 0x8000000012345678) + bytes([T30, 4]) + b"ab\xe4\xb8" + bytes([40])
    for first in range(7):
        for second in range(7):
            for shape in (0, 7):
                data = bytes([0]) + conversion(first, shape) + conversion(second, shape)
                write("fuzz_wide_text", "format%d%d-%d" % (first, second, shape),
                      data + arguments + bytes([0]))
        write("fuzz_wide_text", "format%d-cut" % first,
              bytes([0]) + conversion(first, 5) + conversion(first, 7) +
              struct.pack(">Q", 7) + bytes([BIG, 0, 65, 200, 3]))
    # UTF-8: ASCII, CJK, a pair, lone high and low surrogates; full and cut buffers
    units = bytes([10, 20, 230, 5, 140, 1, 180, 2, 150, 3, 200, 9])
    for cap in (bytes([0]), bytes([200, 5])):
        write("fuzz_wide_text", "utf8-cap%d" % cap[0], bytes([1, 9]) + units + cap)
    # bounded append: capacity, start length, source length, count
    for case in ((16, 10, 20, 255), (1, 0, 5, 20), (64, 63, 3, 10), (8, 2, 4, 0)):
        write("fuzz_wide_text", "append-%d-%d-%d-%d" % case, bytes([2]) + bytes(case))


# The pieces of fuzz_input_field.cpp's texts, in its table's order.
FIELD_PIECES = ["0", "1", "2", "3", "5", "9", "+", "-", ".", "e", "E", ":", " ", "\t", "\r", "\n",
                "\v", "\f", "\u00a0", "\u3000", "\uff10", "\uff11", "\uff19", "\uff0b", "\uff0d",
                "\uff0e", "\u3002", "\uff61", "\uff25", "\uff45", "\uff1a", "h", "H", "\uff48",
                "\uff28", "m", "l", "M", "\uff4d", "\uff4c", "\uff0f", "/", "\u4eba", "\u5929",
                "\u53f7", "\u5e8a", "\u65f6", "\u6b21", "\u5c0f", "\u540e", "\u6ef4", "\u5206",
                "\u533b", "\u5631", "\u5355", "\u4f4d", "x", "X", "i", "n", "f", "a", ",", "_",
                "\u2009", "\u0085", "\ufeff", "d", "p", "\uff0c"]
FIELD_UNITS = [None, "", "h", "\u4eba", "\u5929", "\u53f7", "\u5e8a", "ml", "\u65f6", "\u6b21",
               "\u5c0f\u65f6", "\u5929\u540e", "\u6ef4/\u5206", "\u6ef4/ml", "\u533b\u5631\u5355\u4f4d"]


def field_text(text):
    """A text as piece selectors, units outside the table as raw units."""
    pieces = FIELD_PIECES
    data = b""
    for c in text:
        if c in pieces:
            data += bytes([pieces.index(c)])
        else:
            data += bytes([252]) + struct.pack(">H", ord(c))
    return data


def input_field_seeds():
    units = FIELD_UNITS
    cases = [  # (unit, time of day, text)
        ("h", 0, "12"), ("h", 0, " 12\t"), ("h", 0, "\u300012\u3000"), ("h", 0, "-3.25e1"),
        ("h", 0, ".5"), ("h", 0, "5."), ("h", 0, "2E-3"), ("h", 0, "\uff11\uff12\uff0e5"),
        ("h", 0, "12\u30025"), ("h", 0, "12 h"), ("h", 0, "12H"), ("h", 0, "\uff11\uff12\uff48"),
        ("\u6ef4/\u5206", 0, "40 \u6ef4\uff0f\u5206"), ("\u65f6", 1, "8\u65f6"),
        ("\u65f6", 1, "22:30"), ("\u65f6", 1, "7:45"), ("\u65f6", 1, "\uff12\uff13\uff1a\uff15\uff19"),
        ("\u65f6", 1, "24:00"), ("\u65f6", 1, "22:60"), ("\u65f6", 1, "22:5"), ("h", 0, "22:30"),
        ("h", 0, "1,5"), ("h", 0, "1 5"), ("h", 0, "1e"), ("h", 0, "1e+"), ("h", 0, "0x10"),
        ("h", 0, "inf"), ("h", 0, "nan"), ("h", 0, "1e400"), ("h", 0, "1e-999"), ("h", 0, "12 hh"),
        (None, 0, "12A"), ("", 0, "12 "), ("\u533b\u5631\u5355\u4f4d", 0, "2\u533b\u5631\u5355\u4f4d"),
        ("h", 0, "9" * 127), ("h", 0, "9" * 128), ("h", 0, " " * 125 + "12"), ("h", 0, " " * 126 + "12"),
        ("h", 0, "1e" + "9" * 125), ("h", 0, "123456789012345678901234567890"),
    ]
    for i, (unit, clock, text) in enumerate(cases):
        shape = units.index(unit) << 1 | clock
        write("fuzz_input_field", "case%02d" % i, bytes([shape]) + field_text(text))


def print_layout_seeds():
    # ASCII, wide and surrogate widths, seven style factors; left, top, width
    # and height selectors; seven line heights; level; then title, subtitle,
    # computer, verdict, note, reference (a length byte each) and the report
    # (four length bytes), each followed by its piece selectors; the note flag.
    pieces = {"P": 0, "a": 1, "W": 2, " ": 3, "\u5b57": 5, "\u62a5": 6, "\n": 7, "\r": 8, "R": 134,
              "\t": 9, "1": 10, "\uff0c": 11, "-": 12, "\u3000": 13}

    def text(t, four=False):
        selectors = bytes(pieces[c] for c in t)
        units = sum(2 if c in "PR" else 1 for c in t)
        return (struct.pack(">I", units) if four else bytes([units])) + selectors

    def page(metrics, geometry, heights, level, report, verdict="\u5b57\u5b57 a", note="a a",
             reference="\u62a5\u62a5"):
        return (bytes(metrics) + bytes(geometry) + bytes(heights) + bytes([level + 1]) +
                text("\u5b57\u5b57\u5b57") + text("\u62a5 a") + text("aWWa") + text(verdict) +
                text(note) + text(reference) + text(report, four=True) + bytes([200]))

    a4 = ([10, 19, 10, 1, 1, 1, 1, 1, 1, 1], [75, 75, 63, 127], [60, 40, 36, 48, 42, 40, 34])
    lines = "aaaa aaaa\u5b57\u5b57R" * 20 + "P" * 10 + "\n" + "a " * 300
    write("fuzz_print_layout", "a4-report", page(*a4, 2, lines))
    write("fuzz_print_layout", "a4-empty", page(*a4, 0, ""))
    write("fuzz_print_layout", "a4-long-line", page(*a4, 3, "aW" * 900))
    narrow = ([10, 19, 10, 1, 1, 1, 1, 1, 1, 1], [50, 50, 200, 0x00, 0x00, 0x01, 0x40, 127],
              [60, 40, 36, 48, 42, 40, 34])
    write("fuzz_print_layout", "narrow", page(*narrow, 1, "a a a a a\u5b57 P P\n" * 30))
    short = ([10, 19, 10, 1, 1, 1, 1, 1, 1, 1], [50, 50, 0, 200, 0x00, 0x00, 0x02, 0x80],
             [60, 40, 36, 48, 42, 40, 34])
    write("fuzz_print_layout", "short-page", page(*short, 2, "aaaa\n" * 40 + "a" * 500))
    write("fuzz_print_layout", "blanks", page(*a4, 0, " " * 200 + "a" + " " * 300 + "\r\r\n\n \n"))
    # A text area 150 units wide, narrower than the level words and the page
    # number (one line each, never wrapped); and one 10 units high: no room.
    tiny = [75, 75, 200, 0, 0, 0, 160, 63]
    write("fuzz_print_layout", "narrower-than-the-words",
          page(a4[0], tiny, a4[2], 3, "aW\u5b57 " * 40))
    write("fuzz_print_layout", "no-room", page(a4[0], [75, 75, 63, 200, 0, 0, 0, 20], a4[2], 0, "a\n"))


if __name__ == "__main__":
    formula_seeds()
    compute_tool_seeds()
    report_seeds()
    command_line_seeds()
    format_seeds()
    record_line_seeds()
    wide_text_seeds()
    input_field_seeds()
    print_layout_seeds()
