// Checked numeric conversions, used wherever a double becomes an integer.
#pragma once

#include <cstdint>

// Truncation toward zero into int32: values beyond the range saturate at the
// nearest limit, NaN gives 0. Defined for every double.
int32_t whole_number_from_double(double value);

// Truncation toward zero into int64 with the same saturation and NaN rules.
int64_t int64_from_double(double value);
