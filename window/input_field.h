// Reading an input field and writing an input's default into it: the
// full-width forms an input method types, the strict reading of a field's
// whole text, and the default value's text. Portable; the calculate command and
// the window's creation and reset use it.
#pragma once

#include <cstdint>

#include "../engine/tool_def.h"

// ---- Capacities (UTF-16 units, terminator included) ------------------------

constexpr int32_t kInputTextCapacity = 128;     // the longest field text read: 127 units
constexpr int32_t kFieldReadCapacity = kInputTextCapacity + 1;  // enough to see a longer one
constexpr int32_t kDefaultTextCapacity = 64;    // an input's default in "%.6g" form

// ---- Reading -----------------------------------------------------------------

// Maps, in place, the full-width forms an input method types in full-width mode
// to ASCII: U+FF10..U+FF19 digits, U+FF0B "＋", U+FF0D "－", U+FF0E "．",
// U+FF25/U+FF45 "Ｅ"/"ｅ", and the ideographic space U+3000 to U+0020. The
// full stops a Chinese input method types for "." in its punctuation mode,
// U+3002 "。" and the half-width U+FF61 "｡", become "." as well. Every other
// unit stays as it is.
void map_full_width_forms(wchar_t* text);

// Reads a whole text as one plain decimal number: an optional sign, digits with
// an optional point (at least one digit on either side of it), an optional
// exponent "e" or "E" with an optional sign and at least one digit, and nothing
// else: no blanks, no hexadecimal, no "inf" or "nan". Stores the value and
// returns true when the text is such a number and its value is finite (1e400 is
// not); otherwise returns false and leaves `value` as it was.
bool parse_plain_number(const wchar_t* text, int32_t length, double* value);

// Reads one input field's text for `input`, as the calculate command does. The
// field is accepted only when the whole text, full-width forms mapped and
// surrounding blanks trimmed (U+0020, U+3000, U+00A0, tab, CR, LF, VT, FF), is
//   - a plain decimal number (parse_plain_number), optionally followed by the
//     input's own unit, with or without blanks between ("12 h", "12h"; the unit
//     compared without regard to ASCII case or full-width letters: "12 H",
//     "１２ｈ"); or
//   - for an input of InputForm::time_of_day, a clock time: one or two digits
//     of hour 0 to 23, a colon (":" or the full-width "："), two digits of
//     minute 00 to 59; the value is in hours ("22:30" is 22.5).
// A field of an optional input (ToolInput.optional) that is empty or blank is
// accepted as NaN, "not given"; the report prints a blank for it.
// Everything else is refused: an empty field (of any other input), text, a second number ("1,5",
// "1 5"), hexadecimal, "inf", "nan", a value beyond the double range, another
// unit, and a text of more than 127 units (it would be read in part). Returns
// true and stores the value when accepted; false (the input error) otherwise,
// `value` then unchanged.
bool read_input_value(const ToolInput& input, const wchar_t* field_text, double* value);

// ---- Writing -----------------------------------------------------------------

// An input's default value in "%.6g" form (capacity kDefaultTextCapacity).
void format_default_value(double value, wchar_t* out, int32_t capacity);
