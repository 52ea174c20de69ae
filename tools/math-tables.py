#!/usr/bin/env python3
"""Prints the constant tables of engine/portable_math.cpp (computed with
mpmath at 60 digits, rounded once to double):

  kLogRows[i] = {invc, logc, logctail} for the i-th of 128 subintervals of
    [kLogOffset, 2 * kLogOffset) in bit-pattern order (z = x scaled by 2^-k).
    invc is near 1/c for c the middle of the subinterval: a multiple of 2^-7
    below 1 and of 2^-8 above (eight significant bits at most), of the two
    nearest the one that keeps |r| = |z invc - 1| smallest. Then r < 2^-7 is a
    multiple of 2^-60 and so a double, and zhi * invc and zlo * invc are
    exact; the subinterval holding 1 has invc = 1, and every other one has
    |logc| >= |r|. logc + logctail = -ln(invc),
    logc a multiple of 2^-42 (so k * kLn2Hi + logc is exact).
  kExpRows[i] = {scale, tail}: scale = 2^(i/128) rounded to double,
    tail = 2^(i/128) / scale - 1 rounded to double.
"""
import struct
from mpmath import mp, mpf, log, ldexp, floor, nint

mp.dps = 60
N = 128
LOG_OFFSET = 0x3fe6955500000000


def as_double(bits):
    return struct.unpack("<d", struct.pack("<Q", bits))[0]


def hexf(v):
    return float(v).hex() if v != 0 else "0.0"


def round_to(v, quantum):
    return nint(v / quantum) * quantum


print("const LogRow kLogRows[128] = {")
print("    // invc                    logc                      logctail")
for i in range(N):
    lo_bits = LOG_OFFSET + (i << 45)
    hi_bits = LOG_OFFSET + ((i + 1) << 45)
    a = mpf(as_double(lo_bits))
    b = mpf(as_double(hi_bits))
    c = (a + b) / 2
    if a <= 1 < b:
        invc = mpf(1)
    else:
        quantum = ldexp(1, -7 if b <= 1 else -8)
        low = floor(1 / c / quantum) * quantum
        invc = min((low, low + quantum), key=lambda v: max(abs(a * v - 1), abs(b * v - 1)))
    largest_r = max(abs(a * invc - 1), abs(b * invc - 1))
    assert largest_r < ldexp(1, -7)
    exact = -log(invc)
    logc = round_to(exact, ldexp(1, -42))
    logctail = mpf(float(exact - logc))
    # log_parts adds r to logc without the full error term: |logc| >= |r|.
    assert logc == 0 or abs(logc) >= largest_r
    print("    {%-24s %-25s %s}," % (hexf(invc) + ",", hexf(logc) + ",", hexf(logctail)))
print("};")
print()
print("const ExpRow kExpRows[128] = {")
print("    // scale                 tail")
for i in range(N):
    exact = mp.power(2, mpf(i) / N)
    scale = mpf(float(exact))
    tail = exact / scale - 1
    print("    {%-24s %s}," % (hexf(scale) + ",", hexf(tail)))
print("};")
