#include <gtest/gtest.h>

#include <string>

#include "engine/calendar.h"

namespace {

std::wstring date_text(int64_t days) {
    wchar_t out[64];
    civil_from_days(days, out, 64);
    return out;
}

TEST(Calendar, KnownDays) {
    struct Row {
        int32_t year, month, day;
        int64_t days;
        const wchar_t* text;
    };
    const Row rows[] = {
        // year   month day  days      text
        {1970,    1,    1,   0,        L"1970-01-01"},
        {2024,    1,    1,   19723,    L"2024-01-01"},
        {1969,    12,   31,  -1,       L"1969-12-31"},
        {2000,    2,    29,  11016,    L"2000-02-29"},
        {2026,    12,   7,   20794,    L"2026-12-07"},
        {2027,    1,    2,   20820,    L"2027-01-02"},
        {1900,    3,    1,   -25508,   L"1900-03-01"},
        {0,       3,    1,   -719468,  L"0000-03-01"},
        {-1,      12,   31,  -719529,  L"-001-12-31"},
        {9999,    12,   31,  2932896,  L"9999-12-31"},
        {10000,   1,    1,   2932897,  L"10000-01-01"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(days_from_civil(row.year, row.month, row.day), row.days) << row.year;
        EXPECT_EQ(date_text(row.days), row.text) << row.days;
    }
}

// Each day number maps to a date that maps back, and consecutive days are
// consecutive calendar days.
TEST(Calendar, RoundTripOverTwoMillionDays) {
    CivilDate previous = civil_date_from_days(-1000001);
    for (int64_t days = -1000000; days <= 1000000; ++days) {
        CivilDate date = civil_date_from_days(days);
        ASSERT_EQ(days_from_civil(static_cast<int32_t>(date.year), static_cast<int32_t>(date.month),
                                  static_cast<int32_t>(date.day)),
                  days);
        bool next_day = date.year == previous.year && date.month == previous.month &&
                        date.day == previous.day + 1;
        bool next_month = date.day == 1 && ((date.month == previous.month + 1 &&
                                             date.year == previous.year) ||
                                            (date.month == 1 && previous.month == 12 &&
                                             date.year == previous.year + 1));
        ASSERT_TRUE(next_day || next_month) << days;
        previous = date;
    }
}

TEST(Calendar, ExtremeArgumentsStayDefined) {
    wchar_t out[64];
    EXPECT_GT(civil_from_days(INT64_MAX, out, 64), 0);
    EXPECT_GT(civil_from_days(INT64_MIN, out, 64), 0);
    EXPECT_EQ(civil_from_days(0, out, 5), -1);
    EXPECT_EQ(std::wstring(out), L"1970");
    (void)days_from_civil(INT32_MIN, INT32_MIN, INT32_MIN);
    (void)days_from_civil(INT32_MAX, INT32_MAX, INT32_MAX);
}

// Monday 1 to Sunday 7, on both sides of day 0 and far from it.
TEST(Calendar, IsoWeekday) {
    struct Row {
        int32_t year, month, day, weekday;
    };
    const Row rows[] = {
        {1970, 1, 1, 4}, {1969, 12, 31, 3}, {1969, 12, 28, 7}, {1970, 1, 5, 1},
        {2026, 12, 16, 3}, {2026, 12, 19, 6}, {2026, 12, 20, 7}, {2000, 2, 29, 2},
        {1600, 1, 1, 6},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(iso_weekday_from_days(days_from_civil(row.year, row.month, row.day)), row.weekday)
            << row.year << "-" << row.month << "-" << row.day;
    }
    EXPECT_GE(iso_weekday_from_days(INT64_MIN), 1);
    EXPECT_LE(iso_weekday_from_days(INT64_MAX), 7);
}

}  // namespace
