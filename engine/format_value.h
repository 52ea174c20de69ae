// Rendering of a computed value by the format name of a tool output.
#pragma once

#include <cstdint>
#include <cwchar>

// Renders a value by format name ("f0", "f1", "f2", "f3", "int", "pct", "date";
// null or unknown names mean "f2"; NaN and infinities give "--"). The buffer is
// always terminated (capacity at least 1). A fixed-point text that would not fit
// the 80-byte scratch is written in exponent form with the same precision.
void format_value(const char* format, double value, wchar_t* out, int32_t capacity);
