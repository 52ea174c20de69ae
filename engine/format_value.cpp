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
struct NumberFormat {
    const char* name;
    const char* fixed;
    const char* exponent;
};

const NumberFormat kNumberFormats[] = {
    // name    fixed      exponent
    {"f0",     "%.0f",    "%.5e"},
    {"f1",     "%.1f",    "%.5e"},
    {"f3",     "%.3f",    "%.5e"},
    {"int",    "%.0f",    "%.5e"},
    {"pct",    "%.1f%%",  "%.5e%%"},
};
const NumberFormat kDefaultNumberFormat = {"f2", "%.2f", "%.5e"};

const NumberFormat& number_format_named(const char* name) {
    for (const NumberFormat& format : kNumberFormats) {
        if (std::strcmp(format.name, name) == 0) return format;
    }
    return kDefaultNumberFormat;
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
