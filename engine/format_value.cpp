#include "format_value.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "calendar.h"
#include "checked.h"
#include "platform.h"
#include "wide_text.h"

namespace {

// Bytes of the narrow scratch a number is printed into, terminator included: a
// fixed-point text longer than 79 bytes is written in exponent form instead.
constexpr int32_t kFixedPointScratchBytes = 80;

// Numeric format names and their printf forms; the exponent form is used when a
// fixed-point text would not fit the scratch. It keeps 6 significant digits
// whatever the format's own precision: "f0" of 1.51e79 must not read 2e+79.
// A non-zero value that the fixed form would show as zeros alone ("0.000 1/h"
// reads as no elimination at all) gets 3 significant digits in the small
// forms instead, fixed-point with as many places as they need ("0.000495"),
// or their exponent form when that would not fit the scratch.
struct NumberFormat {
    const char* name;
    const char* fixed;
    const char* exponent;
    const char* small_fixed;     // the places come as an argument
    const char* small_exponent;
};

const NumberFormat kNumberFormats[] = {
    // name    fixed      exponent   small_fixed  small_exponent
    {"f0",     "%.0f",    "%.5e",    "%.*f",      "%.2e"},
    {"f1",     "%.1f",    "%.5e",    "%.*f",      "%.2e"},
    {"f3",     "%.3f",    "%.5e",    "%.*f",      "%.2e"},
    {"int",    "%.0f",    "%.5e",    "%.*f",      "%.2e"},
    {"pct",    "%.1f%%",  "%.5e%%",  "%.*f%%",    "%.2e%%"},
};
const NumberFormat kDefaultNumberFormat = {"f2", "%.2f", "%.5e", "%.*f", "%.2e"};

const NumberFormat& number_format_named(const char* name) {
    for (const NumberFormat& format : kNumberFormats) {
        if (std::strcmp(format.name, name) == 0) return format;
    }
    return kDefaultNumberFormat;
}

// True when a printed number holds no digit but 0 ("0.000", "-0.0", "0%").
bool shows_only_zeros(const char* text) {
    for (const char* p = text; *p != 0; ++p) {
        if (*p >= '1' && *p <= '9') return false;
    }
    return true;
}

// Prints `value` (finite, not zero) with 3 significant digits: as many places
// as the exponent of its rounded exponent form asks for.
void print_small_value(const NumberFormat& format, double value, char* scratch) {
    char rounded[kFixedPointScratchBytes];
    ctext_format(rounded, kFixedPointScratchBytes, "%.2e", value);
    const char* marker = std::strchr(rounded, 'e');
    int exponent = 0;
    if (marker != nullptr) {
        const bool negative = marker[1] == '-';
        for (const char* p = marker + 2; *p >= '0' && *p <= '9'; ++p) exponent = exponent * 10 + (*p - '0');
        if (negative) exponent = -exponent;
    }
    const int places = exponent < 2 ? 2 - exponent : 0;
    if (ctext_format(scratch, kFixedPointScratchBytes, format.small_fixed, places, value) < 0) {
        ctext_format(scratch, kFixedPointScratchBytes, format.small_exponent, value);
    }
}

}  // namespace

void format_value(const char* format, double value, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    if (!std::isfinite(value)) {
        wtext_copy(out, capacity, L"--");
        return;
    }
    const char* name = format != nullptr ? format : "f2";
    if (std::strcmp(name, "date") == 0) {
        civil_from_days(int64_from_double(value), out, capacity);
        return;
    }
    const NumberFormat& number_format = number_format_named(name);
    char scratch[kFixedPointScratchBytes];
    if (ctext_format(scratch, kFixedPointScratchBytes, number_format.fixed, value) < 0) {
        // Digits cut off would show a different number: say it in exponent form.
        ctext_format(scratch, kFixedPointScratchBytes, number_format.exponent, value);
    } else if (value != 0.0 && shows_only_zeros(scratch)) {
        print_small_value(number_format, value, scratch);
    }
    ansi_to_wide(scratch, out, capacity);
}

void format_exact_value(double value, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    if (!std::isfinite(value)) {
        wtext_copy(out, capacity, L"--");
        return;
    }
    // The fewest significant digits that give the value back; 17 always do.
    char scratch[kFixedPointScratchBytes];
    int32_t digits = 1;
    for (; digits < 17; ++digits) {
        ctext_format(scratch, kFixedPointScratchBytes, "%.*e", digits - 1, value);
        if (std::strtod(scratch, nullptr) == value) break;
    }
    ctext_format(scratch, kFixedPointScratchBytes, "%.*e", digits - 1, value);
    const char* marker = std::strchr(scratch, 'e');
    const long exponent = marker != nullptr ? std::strtol(marker + 1, nullptr, 10) : 0;
    const double magnitude = std::fabs(value);
    if (value == 0.0 || (magnitude >= 1e-6 && magnitude < 1e21)) {
        // Rounding at the same decimal place as the exponent form: the same digits.
        const long places = digits - 1 - exponent;
        ctext_format(scratch, kFixedPointScratchBytes, "%.*f", places > 0 ? static_cast<int>(places) : 0,
                     value);
    } else {
        ctext_format(scratch, kFixedPointScratchBytes, "%.*g", digits, value);
    }
    ansi_to_wide(scratch, out, capacity);
}

void format_error_code(uint32_t error, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    if (error <= 0xFFFFu) {
        wtext_format(out, capacity, L"%lld", static_cast<long long>(error));
        return;
    }
    wchar_t hex[] = L"0x00000000";
    for (int32_t i = 0; i < 8; ++i) {
        hex[2 + i] = L"0123456789ABCDEF"[(error >> (28 - 4 * i)) & 0xFu];
    }
    wtext_copy(out, capacity, hex);
}

void format_grouped_value(double value, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    // The exact text is at most 24 units (17 digits, sign, point, exponent).
    constexpr int32_t kExactScratch = 64;
    wchar_t exact[kExactScratch];
    format_exact_value(value, exact, kExactScratch);
    const int32_t length = wtext_length(exact);
    int32_t digits_begin = exact[0] == L'-' ? 1 : 0;
    int32_t digits_end = digits_begin;
    while (digits_end < length && exact[digits_end] >= L'0' && exact[digits_end] <= L'9') ++digits_end;
    // Exponent form and "--": as written.
    for (int32_t i = 0; i < length; ++i) {
        if (exact[i] == L'e' || (exact[i] == L'-' && i > 0)) {
            wtext_copy(out, capacity, exact);
            return;
        }
    }
    // A separator before every group of three whole digits counted from the
    // right, none before the first digit.
    wchar_t grouped[kExactScratch * 2];
    int32_t at = 0;
    for (int32_t i = 0; i < length; ++i) {
        const int32_t left = digits_end - i;  // whole digits from here to the point
        if (i > digits_begin && i < digits_end && left % 3 == 0) grouped[at++] = L',';
        grouped[at++] = exact[i];
    }
    grouped[at] = 0;
    wtext_copy(out, capacity, grouped);
}
