// Bounded wide-text operations. Every buffer comes with its capacity in wchar_t
// units, terminator included (capacity >= 1), and stays terminated. Text that
// does not fit is cut at capacity - 1 units without notice.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cwchar>

// Length of a terminated text (null counts as empty).
int32_t wtext_length(const wchar_t* text);

// Copies at most capacity - 1 units of `source` and terminates.
void wtext_copy(wchar_t* buffer, int32_t capacity, const wchar_t* source);

// Appends while the current length L < capacity - 1, at most capacity - 1 - L
// units. Null source appends nothing.
void wtext_append(wchar_t* buffer, int32_t capacity, const wchar_t* source);

// Appends at most `count` units of `source` under the same bound.
void wtext_append_n(wchar_t* buffer, int32_t capacity, const wchar_t* source, int32_t count);

// printf-style formatting into a wide buffer, cut at capacity - 1 units. The same
// result on every platform. Supported: flags "-0+ #", width, precision (also "*"),
// length modifiers "l", "ll", "h"; conversions d i u x X c s (with "l": wide
// string; without: narrow ASCII string) f F e E g G and "%%". "%c" takes an int
// and writes it as one unit.
// Returns the number of units written when the whole text fit, otherwise -1.
int32_t wtext_format(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...);
int32_t wtext_vformat(wchar_t* buffer, int32_t capacity, const wchar_t* format, va_list args);

// Narrow formatting with the same contract (snprintf underneath, cut at capacity - 1).
int32_t ctext_format(char* buffer, int32_t capacity, const char* format, ...);

// UTF-16 (or UTF-32 on platforms with 32-bit wchar_t) -> UTF-8 of a terminated
// text, terminator included, into `out` of `out_capacity` bytes. Unpaired
// surrogates become U+FFFD. Returns the byte count written including the zero
// byte, or 0 when the whole text with its zero byte does not fit (then nothing
// usable is in `out`).
int32_t utf8_from_wide(const wchar_t* text, char* out, int32_t out_capacity);
