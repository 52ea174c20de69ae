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

const wchar_t kInvalidNumberVerdict[] = L"编号无效，请核对";

bool append_choice(wchar_t* buffer, int32_t capacity, const ChoiceTable& table, int32_t value) {
    for (int32_t i = 0; i < table.row_count; ++i) {
        const ChoiceRow& row = table.rows[i];
        if (row.value != value) continue;
        for (int32_t k = 0; k < kMaxChoiceLines && row.lines[k] != nullptr; ++k) {
            append_text_line(buffer, capacity, row.lines[k]);
        }
        return true;
    }
    append_line(buffer, capacity, L"%ls%d 号（无此编号）", table.subject, value);
    append_text_line(buffer, capacity, table.valid_numbers);
    return false;
}
