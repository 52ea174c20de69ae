// Powers and decimal logarithms that give the same bits on every build: the
// 32-bit and 64-bit Windows programs and the host. Every step is one IEEE
// double operation (or integer work on the bits), so any compiler that rounds
// each double operation once (SSE2 on x86, no fused multiply-add) gives the
// same result. Results are within 1 unit in the last place of the exact value,
// and nearly always the correctly rounded double.
#pragma once

// base^exponent with the special cases of C's pow: exponent 0 and base 1 give
// 1 (even with a NaN), a negative base gives a NaN unless the exponent is a
// whole number (an odd one keeps the sign), 0 and infinities as C prescribes;
// overflow gives an infinity, underflow 0 or a subnormal.
double portable_pow(double base, double exponent);

// Decimal logarithm with the special cases of C's log10: 0 gives -infinity, a
// negative number or NaN a NaN, +infinity itself. log10(10^n) is exactly n for
// every power of ten a double holds exactly (n = 0..22).
double portable_log10(double x);
