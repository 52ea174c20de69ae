// Calendar arithmetic on day numbers (day 0 = 1970-01-01), proleptic Gregorian.
#pragma once

#include <cstdint>
#include <cwchar>

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

// Day of the week of a day number, Monday 1 to Sunday 7 (ISO 8601): day 0,
// 1970-01-01, was a Thursday (4). Defined for every day number.
int32_t iso_weekday_from_days(int64_t days);
