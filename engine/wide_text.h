// Bounded wide-text operations. Every buffer comes with its capacity in wchar_t
// units, terminator included (capacity >= 1), and stays terminated. Text that
// does not fit is cut at capacity - 1 units without notice. Nothing here
// allocates.
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

// printf-style formatting into a wide buffer, cut at capacity - 1 units, with
// the same result on every platform. It writes the conversions the program's
// texts use, and no others:
//   %d %lld    int, long long; "%05d", "%04lld": zeros after the sign up to 5 (4) units
//   %f %g      double; a precision of one digit may come first: "%.2f", "%.6g"
//   %ls        wide text (null writes "(null)")
//   %c         an int, written as one unit
//   %%         the percent sign
// Returns the number of units written when the whole text fit, otherwise -1.
// Anything else after a "%" (other flags, widths, precisions, lengths or
// conversions; a "%" at the end) is a fault of the format: the buffer is left
// empty and the result is -1.
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

// ---- Cut texts ----------------------------------------------------------------

// The line that ends a text cut for want of room.
constexpr const wchar_t* kCutMarkerLine = L"……（内容过长，已截断）";

// A text that filled its buffer (length capacity - 1) may have lost its end, and
// the reader must learn that: its end is replaced by kCutMarkerLine as a line of
// its own, CR LF before and after, keeping as many whole lines before it as fit
// (a single overlong line is cut, never inside a surrogate pair). A shorter text
// is left as it is; so is a buffer too small for the marker.
void mark_cut_text(wchar_t* text, int32_t capacity);

// True when the text holds kCutMarkerLine as a line of its own, CR LF before
// and after: mark_cut_text cut it (or the report inside it).
bool has_cut_marker(const wchar_t* text);
