// Rendering of a computed value by the format name of a tool output.
#pragma once

#include <cstdint>
#include <cwchar>

// Renders a value by format name ("f0", "f1", "f2", "f3", "int", "pct", "date";
// null or unknown names mean "f2"; NaN and infinities give "--"). A non-zero
// value that the format would print as zeros alone is printed with 3
// significant digits instead ("f3" of 0.000495 is "0.000495", not "0.000";
// 1e-300 is "1.00e-300"). The buffer is
// always terminated (capacity at least 1). A fixed-point text that would not fit
// the 80-byte scratch is written in exponent form with the same precision.
void format_value(const char* format, double value, wchar_t* out, int32_t capacity);

// A value in its shortest exact form: the fewest significant digits (at most
// 17) that read back as the same double, without trailing zeros ("2", "0.125",
// "12.5", "800000"). Positional for 1e-6 <= |value| < 1e21, exponent form
// outside ("1e+21"). A number typed with up to 15 significant digits prints as
// typed: never rounded to a fixed number of places. NaN and infinities give
// "--". The buffer is always terminated (capacity at least 1).
void format_exact_value(double value, wchar_t* out, int32_t capacity);

// A system error code for a message: decimal up to 0xFFFF (the system's error
// numbers), else hexadecimal as "0x" and eight upper-case digits (the larger
// result codes, such as a folder query's). Always terminated (capacity at
// least 1).
void format_error_code(uint32_t error, wchar_t* out, int32_t capacity);

// A value as format_exact_value writes it, with thousands separators in a
// whole part of 1,000 or more: "4,800,000", "12,500", "1,234.5", "-1,000";
// "999" and "0.125" unchanged. "." stays the decimal point; the exponent form
// (|value| >= 1e21) and "--" are left as they are. Large bare numbers are
// misread by a factor of ten ("100000" taken for 10,000); this is the form for
// doses and volumes on a card. The buffer is always terminated (capacity at
// least 1); a text that does not fit is cut there.
void format_grouped_value(double value, wchar_t* out, int32_t capacity);
