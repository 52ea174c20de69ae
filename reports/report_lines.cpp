// Report lines: formatted or fixed lines under the bounded append rule, and
// choices of fixed lines by a whole-number input.
#include <cstdarg>

#include "../engine/wide_text.h"
#include "custom_reports.h"

namespace {

// Every report line is formatted into a scratch of this size: 511 units of text
// and the terminator.
constexpr int32_t kLineScratch = 512;

// Appends a finished scratch line and its CR LF under the bounded append rule:
// whatever part of the line fits stays, then as much of CR LF as still fits.
void append_scratch_line(wchar_t* buffer, int32_t capacity, const wchar_t* scratch) {
    wtext_append(buffer, capacity, scratch);
    wtext_append(buffer, capacity, L"\r\n");
}

}  // namespace

void append_line(wchar_t* buffer, int32_t capacity, const wchar_t* format, ...) {
    wchar_t scratch[kLineScratch];
    va_list args;
    va_start(args, format);
    wtext_vformat(scratch, kLineScratch, format, args);  // a longer line is cut at 511
    va_end(args);
    append_scratch_line(buffer, capacity, scratch);
}

void append_text_line(wchar_t* buffer, int32_t capacity, const wchar_t* line) {
    wchar_t scratch[kLineScratch];
    wtext_copy(scratch, kLineScratch, line);
    append_scratch_line(buffer, capacity, scratch);
}

const ChoiceRow& choose_row(const ChoiceRow* rows, int32_t row_count, int32_t value) {
    for (int32_t i = 0; i + 1 < row_count; ++i) {
        if (rows[i].value == value) return rows[i];
    }
    return rows[row_count - 1];
}

void append_choice_lines(wchar_t* buffer, int32_t capacity, const ChoiceRow& row) {
    for (int32_t i = 0; i < kMaxChoiceLines && row.lines[i] != nullptr; ++i) {
        append_text_line(buffer, capacity, row.lines[i]);
    }
}
