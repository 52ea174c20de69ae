#include "input_field.h"

#include <cmath>
#include <cstdlib>

#include "../engine/wide_text.h"

namespace {

bool is_decimal_digit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Blanks around a field's text: what a user cannot see or did not mean to type.
// U+3000 is already U+0020 once the full-width forms are mapped.
bool is_field_blank(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x00A0 || c == 0x3000;
}

// A unit compared without regard to ASCII case or full-width letters: both
// sides folded to the ASCII lower case.
wchar_t fold_unit_char(wchar_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<wchar_t>(c - 0xFF01 + 0x21);
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return c;
}

// True when text[0..length) is the unit, folded.
bool is_unit(const wchar_t* text, int32_t length, const wchar_t* unit) {
    if (unit == nullptr || unit[0] == 0 || length != wtext_length(unit)) return false;
    for (int32_t i = 0; i < length; ++i) {
        if (fold_unit_char(text[i]) != fold_unit_char(unit[i])) return false;
    }
    return true;
}

// Length of the plain decimal number at the start of `text` (at most `length`
// units), 0 when there is none: sign, digits and point with at least one digit,
// and an exponent only when a digit follows its marker and sign.
int32_t plain_number_length(const wchar_t* text, int32_t length) {
    int32_t i = 0;
    if (i < length && (text[i] == L'+' || text[i] == L'-')) ++i;
    int32_t digits = 0;
    while (i < length && is_decimal_digit(text[i])) ++i, ++digits;
    if (i < length && text[i] == L'.') {
        ++i;
        while (i < length && is_decimal_digit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < length && (text[i] == L'e' || text[i] == L'E')) {
        int32_t j = i + 1;
        if (j < length && (text[j] == L'+' || text[j] == L'-')) ++j;
        if (j < length && is_decimal_digit(text[j])) {
            while (j < length && is_decimal_digit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

// A clock time "H:MM" or "HH:MM" filling text[0..length): hours 0 to 23,
// minutes 00 to 59, the colon ASCII or full-width.
bool parse_time_of_day(const wchar_t* text, int32_t length, double* hours) {
    if (length != 4 && length != 5) return false;
    const int32_t colon = length - 3;
    if (text[colon] != L':' && text[colon] != 0xFF1A) return false;
    for (int32_t i = 0; i < length; ++i) {
        if (i != colon && !is_decimal_digit(text[i])) return false;
    }
    const int32_t hour = colon == 2 ? (text[0] - L'0') * 10 + (text[1] - L'0') : text[0] - L'0';
    const int32_t minute = (text[colon + 1] - L'0') * 10 + (text[colon + 2] - L'0');
    if (hour > 23 || minute > 59) return false;
    *hours = hour + minute / 60.0;
    return true;
}

}  // namespace

void map_full_width_forms(wchar_t* text) {
    for (wchar_t* p = text; *p != 0; ++p) {
        const wchar_t c = *p;
        if (c >= 0xFF10 && c <= 0xFF19) {
            *p = static_cast<wchar_t>(L'0' + (c - 0xFF10));
        } else if (c == 0xFF0B) {
            *p = L'+';
        } else if (c == 0xFF0D) {
            *p = L'-';
        } else if (c == 0xFF0E || c == 0x3002 || c == 0xFF61) {
            *p = L'.';
        } else if (c == 0xFF25) {
            *p = L'E';
        } else if (c == 0xFF45) {
            *p = L'e';
        } else if (c == 0x3000) {
            *p = L' ';
        }
    }
}

bool parse_plain_number(const wchar_t* text, int32_t length, double* value) {
    if (length < 1 || length >= kInputTextCapacity ||
        plain_number_length(text, length) != length) {
        return false;
    }
    // ASCII by construction; strtod rounds correctly and gives HUGE_VAL (an
    // infinity) beyond the double range.
    char number[kInputTextCapacity];
    for (int32_t i = 0; i < length; ++i) number[i] = static_cast<char>(text[i]);
    number[length] = 0;
    const double converted = std::strtod(number, nullptr);
    if (!std::isfinite(converted)) return false;
    *value = converted;
    return true;
}

bool read_input_value(const ToolInput& input, const wchar_t* field_text, double* value) {
    const int32_t field_length = wtext_length(field_text);
    if (field_length >= kInputTextCapacity) return false;  // a part would not be read
    wchar_t text[kInputTextCapacity];
    wtext_copy(text, kInputTextCapacity, field_text);
    map_full_width_forms(text);

    int32_t begin = 0;
    int32_t end = field_length;
    while (begin < end && is_field_blank(text[begin])) ++begin;
    while (end > begin && is_field_blank(text[end - 1])) --end;
    const wchar_t* trimmed = text + begin;
    const int32_t length = end - begin;

    // An optional field left empty (or blank) is "not given"; any other empty
    // field is an input error.
    if (length == 0 && input.optional) {
        *value = std::nan("");
        return true;
    }
    if (input.form == InputForm::time_of_day && parse_time_of_day(trimmed, length, value)) {
        return true;
    }
    const int32_t number_length = plain_number_length(trimmed, length);
    if (number_length == 0) return false;
    if (number_length < length) {
        int32_t unit_begin = number_length;
        while (unit_begin < length && is_field_blank(trimmed[unit_begin])) ++unit_begin;
        if (!is_unit(trimmed + unit_begin, length - unit_begin, input.unit)) return false;
    }
    return parse_plain_number(trimmed, number_length, value);
}

void format_default_value(double value, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"%.6g", value);
}
