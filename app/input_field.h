// Reading an input field and writing an input's default into it: the
// full-width forms an input method types, the numeric prefix of the text, and
// the default value's text. Portable; the calculate command and the window's
// creation and reset use it.
#pragma once

#include <cstdint>

// ---- Capacities (UTF-16 units, terminator included) ------------------------

constexpr int32_t kInputTextCapacity = 128;     // one input field as read
constexpr int32_t kDefaultTextCapacity = 64;    // an input's default in "%.6g" form

// ---- Reading -----------------------------------------------------------------

// Maps, in place, the full-width forms an input method types in full-width mode
// to ASCII: U+FF10..U+FF19 digits, U+FF0B "＋", U+FF0D "－", U+FF0E "．",
// U+FF25/U+FF45 "Ｅ"/"ｅ", and the ideographic space U+3000 to U+0020. The
// full stops a Chinese input method types for "." in its punctuation mode,
// U+3002 "。" and the half-width U+FF61 "｡", become "." as well. Every other
// unit stays as it is.
void map_full_width_forms(wchar_t* text);

// The classic-locale wide-string-to-double conversion of the longest numeric
// prefix: leading white space (tab, LF, VT, FF, CR, blank) skipped; an optional
// sign; decimal digits with an optional point and exponent, hexadecimal
// "0x" digits with an optional point and binary exponent, "inf", "infinity" or
// "nan" in any case. No numeric prefix gives 0; an out-of-range value gives
// infinity; the rest of the text is ignored. The same result on every platform.
double convert_number_prefix(const wchar_t* text);

// Reads one input field's text as the calculate command does: only the first
// 127 units count; full-width forms are mapped; a text of blanks (U+0020 and
// U+3000) only, or an empty one, is 0; anything else is converted with
// convert_number_prefix. Stores the value and returns true when it is finite,
// false for infinity or NaN (the input error).
bool read_input_value(const wchar_t* field_text, double* value);

// ---- Writing -----------------------------------------------------------------

// An input's default value in "%.6g" form (capacity kDefaultTextCapacity).
void format_default_value(double value, wchar_t* out, int32_t capacity);
