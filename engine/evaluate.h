// Evaluation of a tool into report, verdict and level; value formatting; calendar.
#pragma once

#include <cstdint>
#include <cwchar>

#include "tool_def.h"

// Fills report, verdict and detail (each a caller-owned wide buffer with its
// capacity, terminator included) and stores the level. Returns the level.
// Capacities are at least 1; the verdict capacity at least 13. Never allocates.
int32_t compute_tool(const ToolDef& tool, const double* input_values, wchar_t* report,
                     int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity,
                     int32_t* level, wchar_t* detail, int32_t detail_capacity);

// Renders a value by format name ("f0", "f1", "f2", "f3", "int", "pct", "date";
// null or unknown names mean "f2"; NaN and infinities give "--"). The buffer is
// always terminated (capacity at least 1). A fixed-point text that would not fit
// the 80-byte scratch is written in exponent form with the same precision.
void format_value(const char* format, double value, wchar_t* out, int32_t capacity);

// Proleptic Gregorian date -> day number, day 0 = 1970-01-01.
int64_t days_from_civil(int32_t year, int32_t month, int32_t day);

// Day number -> "YYYY-MM-DD" ("%04lld-%02lld-%02lld"). Returns the units written, or -1
// when the text did not fit (the buffer then holds the part that fits).
// Day numbers beyond +-kMaxCalendarDays are taken as that limit.
constexpr int64_t kMaxCalendarDays = INT64_C(1) << 60;
int32_t civil_from_days(int64_t days, wchar_t* out, int32_t capacity);

// Year, month and day of a day number (same arithmetic as civil_from_days).
struct CivilDate {
    int64_t year;
    int64_t month;
    int64_t day;
};
CivilDate civil_date_from_days(int64_t days);
