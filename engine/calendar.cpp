#include "calendar.h"

#include "wide_text.h"

int64_t days_from_civil(int32_t year, int32_t month, int32_t day) {
    // 64-bit throughout: identical to 32-bit arithmetic wherever that does not
    // overflow, and defined for every argument.
    int64_t y = month <= 2 ? static_cast<int64_t>(year) - 1 : year;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t shifted_month = month > 2 ? static_cast<int64_t>(month) - 3 : static_cast<int64_t>(month) + 9;
    int64_t doy = (153 * shifted_month + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civil_date_from_days(int64_t days) {
    if (days > kMaxCalendarDays) days = kMaxCalendarDays;
    if (days < -kMaxCalendarDays) days = -kMaxCalendarDays;
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t day = doy - (153 * mp + 2) / 5 + 1;
    int64_t month = mp < 10 ? mp + 3 : mp - 9;
    int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{year, month, day};
}

int32_t civil_from_days(int64_t days, wchar_t* out, int32_t capacity) {
    CivilDate date = civil_date_from_days(days);
    return wtext_format(out, capacity, L"%04lld-%02lld-%02lld", static_cast<long long>(date.year),
                        static_cast<long long>(date.month), static_cast<long long>(date.day));
}

int32_t iso_weekday_from_days(int64_t days) {
    // Remainder by 7 taken toward minus infinity; +3 puts Monday at 0.
    int64_t remainder = days % 7;
    if (remainder < 0) remainder += 7;
    return static_cast<int32_t>((remainder + 3) % 7) + 1;
}
