#include "line_break.h"

namespace {

bool is_one_of(wchar_t c, const wchar_t* set) {
    for (; *set != 0; ++set) {
        if (*set == c) return true;
    }
    return false;
}

// Closing punctuation and the signs that follow a number: never at a line's start.
bool is_closing(wchar_t c) {
    return is_one_of(c, L"，。、；：？！）》」』】〕”’…℃％%)]},.;:?!");
}

// Opening punctuation: never at a line's end.
bool is_opening(wchar_t c) { return is_one_of(c, L"（《「『【〔“‘([{"); }

bool is_slash(wchar_t c) { return c == L'/' || c == L'／'; }

bool is_digit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'０' && c <= L'９'); }

// Where a number stands: its digits, or the blank "＿" a hand fills in.
bool is_number_end(wchar_t c) { return is_digit(c) || c == L'＿'; }

bool is_blank(wchar_t c) { return c == L' ' || c == L'\u3000'; }

}  // namespace

bool is_wide_char(wchar_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c == L'℃';
}

bool line_break_allowed(const wchar_t* text, int32_t length, int32_t index) {
    if (text == nullptr || index <= 0 || index >= length) return false;
    const wchar_t before = text[index - 1];
    const wchar_t at = text[index];
    if (is_blank(at)) return false;  // blanks stay at the end of the line they follow
    if (is_closing(at) || is_opening(before) || is_slash(before)) return false;
    if (is_blank(before)) {
        // "8 小时": the blank after a number leads to its unit.
        return !(index >= 2 && is_digit(text[index - 2]) && !is_digit(at));
    }
    if (is_slash(at)) return false;
    // "8次", "＿℃", "＿次": a number and the unit written straight after it. A
    // run of "＿" may wrap inside itself.
    if (is_number_end(before) && !is_number_end(at)) return false;
    // "SpO2＿": a label written in ASCII keeps the blank that follows it.
    if (at == L'＿' && before < 0x80) return false;
    return is_wide_char(at) || is_wide_char(before);
}
