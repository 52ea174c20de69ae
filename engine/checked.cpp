#include "checked.h"

#include <cmath>

int32_t whole_number_from_double(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);  // in range: truncation toward zero
}

int64_t int64_from_double(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exact as a double; every double below it converts without overflow.
    if (value >= 9223372036854775808.0) return INT64_MAX;
    if (value <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(value);
}
