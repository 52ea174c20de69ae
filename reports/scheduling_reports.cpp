// The scheduling reports: nurse duty roster (kind 1), dosing timetable (2),
// follow-up plan (7) and infusion card (10). Each returns level 0; a value
// outside its range, or a fraction in a whole-number field, gives level 2 and
// lines naming the values instead of the report; a card with a value to check
// (an unusual giving set, a fast drop rate, a figure below 1) gives level 1.
//
// Grid rows are built in a scratch of their own and appended as whole lines.
#include <cmath>

#include "../engine/calendar.h"
#include "../engine/checked.h"
#include "../engine/format_value.h"
#include "../engine/platform.h"
#include "../engine/wide_text.h"
#include "custom_reports.h"

namespace {

// ---- Kind 1: nurse duty roster ----------------------------------------------

// 40 nurses over 31 days is the longest roster: 2,183 units as a grid, whole in
// the window's report buffer. Fewer than three nurses leave days without a day
// or a night nurse.
const WholeLimit kNurseLimit = {"nurses", L"护士人数", 3, 40,
                                L"护士人数 须不少于 3（三班轮转每日需白班、夜班各 1 人）"};
const WholeLimit kRosterDayLimit = {"days", L"排班天数", 1, 31};
const WholeLimit kRotationStartLimit = {"start", L"轮转起点", 0, 2};
constexpr int32_t kNurseLabelScratch = 12;
constexpr int32_t kShiftCount = 3;
constexpr int32_t kMaxRosterDays = 31;

// A roster's inputs, within their limits.
struct RosterPlan {
    int32_t nurses;
    int32_t days;
    int32_t start;  // the rotation's starting point, 0 to 2
};

// The one home of the rotation. Nurse i on day j (both from 1) works shift
// ((i - 1) + (j - 1) + start) mod 3: 0 day, 1 night, 2 rest. The rotation runs
// forward, D, N, R, D, ..., so every night is followed by a day of rest, never
// straight by a day shift; every day of three nurses has one of each. A period
// of d days ends where the next one starting at (start + d) mod 3 goes on.
int32_t roster_shift(const RosterPlan& plan, int32_t nurse, int32_t day) {
    return ((nurse - 1) + (day - 1) + plan.start) % kShiftCount;
}

// Shifts by index: day shift, night shift, rest.
const wchar_t kShiftLetters[kShiftCount] = {L'D', L'N', L'R'};
constexpr int32_t kDayShift = 0;
constexpr int32_t kNightShift = 1;

bool read_roster_plan(const ToolDef& tool, const double* input_values, RosterPlan* plan,
                      wchar_t* report, int32_t capacity) {
    const bool nurses_valid =
        read_whole_within(tool, input_values, kNurseLimit, &plan->nurses, report, capacity);
    const bool days_valid =
        read_whole_within(tool, input_values, kRosterDayLimit, &plan->days, report, capacity);
    const bool start_valid =
        read_whole_within(tool, input_values, kRotationStartLimit, &plan->start, report, capacity);
    return nurses_valid && days_valid && start_valid;
}

// Nurses of a day on one shift.
int32_t shift_count(const RosterPlan& plan, int32_t day, int32_t shift) {
    int32_t count = 0;
    for (int32_t nurse = 1; nurse <= plan.nurses; ++nurse) {
        if (roster_shift(plan, nurse, day) == shift) ++count;
    }
    return count;
}

// Fewest and most nurses of a shift over the days of the period.
struct CountRange {
    int32_t low;
    int32_t high;
};

CountRange shift_count_range(const RosterPlan& plan, int32_t shift) {
    CountRange range = {plan.nurses, 0};
    for (int32_t day = 1; day <= plan.days; ++day) {
        const int32_t count = shift_count(plan, day, shift);
        if (count < range.low) range.low = count;
        if (count > range.high) range.high = count;
    }
    return range;
}

constexpr int32_t kCountTextScratch = 32;

void format_count_range(const CountRange& range, wchar_t* out) {
    if (range.low == range.high) {
        wtext_format(out, kCountTextScratch, L"%d", range.low);
    } else {
        wtext_format(out, kCountTextScratch, L"%d–%d", range.low, range.high);
    }
}

// The grid. Every row begins with a label of the same width in any font: four
// full-width characters and three ASCII blanks ("护士01" has two of each kind,
// so two ideographic spaces and one blank follow it). Then one character a
// day, a blank after every seven days, so 31 days take 35 columns: with the
// label, 46 ASCII widths, within the 60 the report box shows. Numbers of two
// digits (days from 10, counts from 10) stand on two lines: the tens above,
// on a line of their own, the units in the row.
constexpr int32_t kGridLineScratch = 128;
constexpr int32_t kDaysPerGroup = 7;
const wchar_t kTensPrefix[] = L"\u3000\u3000\u3000\u3000   ";
const wchar_t kDayHeaderPrefix[] = L"日期\u3000\u3000   ";
const wchar_t kNurseSuffix[] = L"\u3000\u3000 ";
const wchar_t kDayCountPrefix[] = L"白班人数   ";
const wchar_t kNightCountPrefix[] = L"夜班人数   ";

// A row of the grid: the prefix, then cells[0..days) with a blank between
// weeks; trailing blanks dropped.
void append_grid_row(wchar_t* report, int32_t capacity, const wchar_t* prefix, const wchar_t* cells,
                     int32_t days) {
    wchar_t line[kGridLineScratch];
    wtext_copy(line, kGridLineScratch, prefix);
    int32_t at = wtext_length(line);
    for (int32_t day = 1; day <= days && at < kGridLineScratch - 2; ++day) {
        if (day > 1 && (day - 1) % kDaysPerGroup == 0) line[at++] = L' ';
        line[at++] = cells[day - 1];
    }
    while (at > 0 && line[at - 1] == L' ') --at;
    line[at] = 0;
    append_text_line(report, capacity, line);
}

// A row of numbers, one a day: the tens on a line of their own when any number
// has two digits, then the units under the label.
void append_number_rows(wchar_t* report, int32_t capacity, const wchar_t* prefix,
                        const int32_t* numbers, int32_t days) {
    wchar_t tens[kMaxRosterDays];
    wchar_t units[kMaxRosterDays];
    bool two_digits = false;
    for (int32_t day = 0; day < days; ++day) {
        const int32_t n = numbers[day];
        tens[day] = n >= 10 ? static_cast<wchar_t>(L'0' + n / 10 % 10) : L' ';
        units[day] = static_cast<wchar_t>(L'0' + n % 10);
        two_digits = two_digits || n >= 10;
    }
    if (two_digits) append_grid_row(report, capacity, kTensPrefix, tens, days);
    append_grid_row(report, capacity, prefix, units, days);
}

// ---- Kind 2: dosing timetable -----------------------------------------------

// Hours from midnight of day 1; 720 hours are 30 days.
const NumberLimit kStartLimit = {"start", L"首剂时间", 0.0, 720.0, false};
const NumberLimit kIntervalLimit = {"interval", L"给药间隔", 0.0, 720.0, true};
const WholeLimit kDoseCountLimit = {"times", L"给药次数", 1, 30};
constexpr int32_t kDoseEntryScratch = 64;
constexpr double kHoursPerDay = 24.0;

// Day, hour and minute of a dose t hours (t >= 0, possibly +infinity) after
// midnight of day 1. The day is counted in 64 bits, so no start or interval
// wraps it: a day count beyond int64 (t of about 2.2e20 hours and more, and
// infinity) shows the int64 maximum. Hour and minute come from the remainder of
// t by 24 hours as a whole count of minutes, truncated; an infinite t has none
// and shows 00:00.
struct DoseTime {
    int64_t day;
    int32_t hour;
    int32_t minute;
};

// Far below one minute, far above binary rounding: 7.85 h is stored a hair
// below 471 minutes and must still read 07:51.
constexpr double kMinuteTolerance = 1e-6;
constexpr double kMinutesPerDay = 24.0 * 60.0;

int64_t next_day(int64_t day) { return day < INT64_MAX ? day + 1 : INT64_MAX; }

DoseTime dose_time(double t) {
    DoseTime time;
    double remainder = std::fmod(t, kHoursPerDay);  // NaN for infinity: converts to 0
    double minutes = std::floor(remainder * 60.0 + kMinuteTolerance);
    // t minus its remainder is a whole number of days, so the day never
    // disagrees with the remainder.
    double whole = std::isfinite(remainder) ? t - remainder : t;
    time.day = next_day(int64_from_double(whole / kHoursPerDay));
    if (minutes >= kMinutesPerDay) {  // a hair below midnight is midnight
        minutes = 0.0;
        time.day = next_day(time.day);
    }
    int32_t whole_minutes = whole_number_from_double(minutes);
    time.hour = whole_minutes / 60;
    time.minute = whole_minutes % 60;
    return time;
}

// ---- Kind 7: follow-up plan -------------------------------------------------

const WholeLimit kFollowUpLimit = {"times", L"随访次数", 1, 20};
constexpr int32_t kDateScratch = 32;
constexpr int32_t kYearsAhead = 10;

// Monday to Sunday, by ISO weekday less 1.
const wchar_t* const kWeekdayNames[7] = {L"周一", L"周二", L"周三", L"周四",
                                         L"周五", L"周六", L"周日"};
constexpr int32_t kSaturday = 6;
const wchar_t kWeekendNote[] = L"（周末，请确认门诊安排）";

// Days from `today` to the same date ten years on (the 28th of February for
// the 29th). The Gregorian calendar repeats every 400 years, so the count is
// taken in the matching year of 2000 to 2399: defined for every day number.
int32_t days_to_ten_years_ahead(int64_t today) {
    CivilDate date = civil_date_from_days(today);
    const int32_t year = static_cast<int32_t>(((date.year % 400) + 400) % 400 + 2000);
    const int32_t month = static_cast<int32_t>(date.month);
    int32_t day = static_cast<int32_t>(date.day);
    const int32_t later = year + kYearsAhead;
    const bool later_leap = days_from_civil(later, 3, 1) - days_from_civil(later, 2, 1) == 29;
    if (month == 2 && day == 29 && !later_leap) day = 28;
    return static_cast<int32_t>(days_from_civil(later, month, day) -
                                days_from_civil(year, month, static_cast<int32_t>(date.day)));
}

// ---- Kind 10: infusion card -------------------------------------------------

// The bed may be left empty for an extra bed (加床): the card then has a blank
// to write its number in.
const WholeLimit kBedLimit = {"bed", L"床号", 1, 9999};
const NumberLimit kDoseAmountLimit = {"dose", L"医嘱药量", 0.0, 1e9, true};
const NumberLimit kVolumeLimit = {"volume", L"溶媒量", 0.0, 5000.0, true};
const NumberLimit kDropRateLimit = {"gtt", L"滴速", 0.0, 1000.0, true};
const NumberLimit kDripFactorLimit = {"drip", L"滴系数", 0.0, 100.0, true};
constexpr int32_t kNumberScratch = 64;
constexpr int64_t kMinutesPerHour = 60;

// Giving sets in use: 10, 15 and 20 drops per ml, and 60 for the micro-drip.
const double kCommonDripFactors[] = {10.0, 15.0, 20.0, 60.0};
// Above the usual drop rates (adults 40 to 60, children 20 to 40 a minute).
constexpr double kHighestUsualDropRate = 60.0;

bool is_common_drip_factor(double drip_factor) {
    for (double common : kCommonDripFactors) {
        if (drip_factor == common) return true;
    }
    return false;
}

// A figure of the card rounded to a whole number, "约 120" (prefix given); a
// figure below 1 reads "不足 1", never "0". Returns false for that case.
bool format_whole_figure(double value, const wchar_t* prefix, wchar_t* out, int32_t capacity) {
    if (value < 1.0) {
        wtext_copy(out, capacity, L"不足 1");
        return false;
    }
    wchar_t number[kNumberScratch];
    format_grouped_value(std::floor(value + 0.5), number, kNumberScratch);
    wtext_format(out, capacity, L"%ls%ls", prefix, number);
    return true;
}

// The running time in whole minutes, rounded to the nearest: "约 50 分钟",
// "约 1 小时 15 分钟", "约 2 小时"; below one minute "不足 1 分钟". Returns
// false for that case. Saturates far beyond any real infusion.
bool format_duration(double minutes, wchar_t* out, int32_t capacity) {
    if (minutes < 1.0) {
        wtext_copy(out, capacity, L"不足 1 分钟");
        return false;
    }
    int64_t whole = int64_from_double(std::floor(minutes + 0.5));
    int64_t hours = whole / kMinutesPerHour;
    int64_t rest = whole % kMinutesPerHour;
    if (hours == 0) {
        wtext_format(out, capacity, L"约 %lld 分钟", static_cast<long long>(rest));
    } else if (rest == 0) {
        wtext_format(out, capacity, L"约 %lld 小时", static_cast<long long>(hours));
    } else {
        wtext_format(out, capacity, L"约 %lld 小时 %lld 分钟", static_cast<long long>(hours),
                     static_cast<long long>(rest));
    }
    return true;
}

}  // namespace

int32_t build_roster_report(const ToolDef& tool, const double* input_values, wchar_t* report,
                            int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity) {
    RosterPlan plan = {};
    if (!read_roster_plan(tool, input_values, &plan, report, report_capacity)) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }
    // The counts the rule line states are those of this roster.
    const CountRange day_range = shift_count_range(plan, kDayShift);
    const CountRange night_range = shift_count_range(plan, kNightShift);
    const CountRange rest_range = shift_count_range(plan, kShiftCount - 1);
    wchar_t counts[2 * kCountTextScratch + 32];
    if (day_range.low == day_range.high && night_range.low == night_range.high &&
        rest_range.low == rest_range.high && day_range.low == night_range.low &&
        night_range.low == rest_range.low) {
        wtext_format(counts, 2 * kCountTextScratch + 32, L"每日每班 %d 人", day_range.low);
    } else {
        wchar_t day_text[kCountTextScratch];
        wchar_t night_text[kCountTextScratch];
        format_count_range(day_range, day_text);
        format_count_range(night_range, night_text);
        wtext_format(counts, 2 * kCountTextScratch + 32, L"每日白班 %ls 人、夜班 %ls 人", day_text,
                     night_text);
    }
    append_line(report, report_capacity,
                L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），%ls，按人员顺序滚动。", counts);
    append_line(report, report_capacity, L"人员：%d 人；周期：%d 天", plan.nurses, plan.days);
    append_text_line(report, report_capacity, L"");

    int32_t day_numbers[kMaxRosterDays];
    for (int32_t day = 1; day <= plan.days; ++day) day_numbers[day - 1] = day;
    append_number_rows(report, report_capacity, kDayHeaderPrefix, day_numbers, plan.days);
    for (int32_t nurse = 1; nurse <= plan.nurses; ++nurse) {
        wchar_t prefix[kNurseLabelScratch + 8];
        wtext_format(prefix, kNurseLabelScratch + 8, L"护士%02d%ls", nurse, kNurseSuffix);
        wchar_t cells[kMaxRosterDays];
        for (int32_t day = 1; day <= plan.days; ++day) {
            cells[day - 1] = kShiftLetters[roster_shift(plan, nurse, day)];
        }
        append_grid_row(report, report_capacity, prefix, cells, plan.days);
    }
    int32_t day_counts[kMaxRosterDays];
    int32_t night_counts[kMaxRosterDays];
    for (int32_t day = 1; day <= plan.days; ++day) {
        day_counts[day - 1] = shift_count(plan, day, kDayShift);
        night_counts[day - 1] = shift_count(plan, day, kNightShift);
    }
    append_number_rows(report, report_capacity, kDayCountPrefix, day_counts, plan.days);
    append_number_rows(report, report_capacity, kNightCountPrefix, night_counts, plan.days);
    append_text_line(report, report_capacity, L"");
    append_line(report, report_capacity,
                L"下一周期轮转起点：%d（填入下一周期，可接续本期，夜班后不排白班）",
                (plan.start + plan.days) % kShiftCount);
    append_text_line(report, report_capacity,
                     L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。");
    wtext_copy(verdict, verdict_capacity, L"已生成轮转排班表，可复制到排班本或表格");
    return 0;
}

namespace {

// Appends one CSV field (RFC 4180): quoted, with its quotes doubled, when it
// holds a comma, a quote, CR or LF. Returns false when it does not fit.
bool append_csv_field(wchar_t* csv, int32_t capacity, int32_t* length, const wchar_t* field) {
    bool quoted = false;
    for (const wchar_t* p = field; *p != 0; ++p) {
        quoted = quoted || *p == L',' || *p == L'"' || *p == L'\r' || *p == L'\n';
    }
    int32_t at = *length;
    auto put = [&](wchar_t unit) {
        if (at >= capacity - 1) return false;
        csv[at++] = unit;
        return true;
    };
    bool fits = !quoted || put(L'"');
    for (const wchar_t* p = field; fits && *p != 0; ++p) {
        if (*p == L'"') fits = put(L'"');
        fits = fits && put(*p);
    }
    if (fits && quoted) fits = put(L'"');
    csv[at] = 0;
    *length = at;
    return fits;
}

// Appends separators and line ends as they are; false when they do not fit.
bool append_csv_raw(wchar_t* csv, int32_t capacity, int32_t* length, const wchar_t* text) {
    int32_t at = *length;
    bool fits = true;
    for (const wchar_t* p = text; *p != 0; ++p) {
        if (at >= capacity - 1) {
            fits = false;
            break;
        }
        csv[at++] = *p;
    }
    csv[at] = 0;
    *length = at;
    return fits;
}

constexpr int32_t kCsvCellScratch = 8;

// A row: the label, then one cell a day, each after a comma; CR LF closes it.
bool append_csv_row(wchar_t* csv, int32_t capacity, int32_t* length, const wchar_t* label,
                    const wchar_t (*cells)[kCsvCellScratch], int32_t days) {
    bool fits = append_csv_field(csv, capacity, length, label);
    for (int32_t day = 0; fits && day < days; ++day) {
        fits = append_csv_raw(csv, capacity, length, L",") &&
               append_csv_field(csv, capacity, length, cells[day]);
    }
    return fits && append_csv_raw(csv, capacity, length, L"\r\n");
}

}  // namespace

int32_t build_roster_grid_csv(const ToolDef& tool, const double* input_values, wchar_t* csv,
                              int32_t capacity) {
    if (capacity < 1) return 0;
    csv[0] = 0;
    // Refusal lines are the report's business; here a refused roster has no grid.
    constexpr int32_t kRefusalScratch = 512;
    wchar_t refusal[kRefusalScratch];
    refusal[0] = 0;
    RosterPlan plan = {};
    if (!read_roster_plan(tool, input_values, &plan, refusal, kRefusalScratch)) return 0;

    int32_t length = 0;
    wchar_t cells[kMaxRosterDays][kCsvCellScratch];
    for (int32_t day = 1; day <= plan.days; ++day) wtext_format(cells[day - 1], kCsvCellScratch, L"%d", day);
    bool fits = append_csv_row(csv, capacity, &length, L"日期", cells, plan.days);
    for (int32_t nurse = 1; fits && nurse <= plan.nurses; ++nurse) {
        wchar_t label[kNurseLabelScratch];
        wtext_format(label, kNurseLabelScratch, L"护士%02d", nurse);
        for (int32_t day = 1; day <= plan.days; ++day) {
            cells[day - 1][0] = kShiftLetters[roster_shift(plan, nurse, day)];
            cells[day - 1][1] = 0;
        }
        fits = append_csv_row(csv, capacity, &length, label, cells, plan.days);
    }
    const struct {
        const wchar_t* label;
        int32_t shift;
    } count_rows[] = {{L"白班人数", kDayShift}, {L"夜班人数", kNightShift}};
    for (const auto& row : count_rows) {
        for (int32_t day = 1; day <= plan.days; ++day) {
            wtext_format(cells[day - 1], kCsvCellScratch, L"%d", shift_count(plan, day, row.shift));
        }
        fits = fits && append_csv_row(csv, capacity, &length, row.label, cells, plan.days);
    }
    if (!fits) {  // whole or nothing: never part of a grid
        csv[0] = 0;
        return 0;
    }
    return length;
}

int32_t build_dosing_schedule_report(const ToolDef& tool, const double* input_values,
                                     wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                     int32_t verdict_capacity) {
    double start = 0.0;
    const bool start_valid =
        read_number_within(tool, input_values, kStartLimit, &start, report, report_capacity);
    double interval = 0.0;
    const bool interval_valid =
        read_number_within(tool, input_values, kIntervalLimit, &interval, report, report_capacity);
    int32_t doses = 0;
    const bool doses_valid =
        read_whole_within(tool, input_values, kDoseCountLimit, &doses, report, report_capacity);
    if (!start_valid || !interval_valid || !doses_valid) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }
    start = start + 0.0;  // -0 becomes +0: the heading never shows "-0"

    // The heading names the first dose exactly as its entry does, and the
    // interval as entered.
    DoseTime first = dose_time(start);
    wchar_t first_day[kDoseEntryScratch] = L"";
    if (first.day != 1) {
        wtext_format(first_day, kDoseEntryScratch, L"第%lld天 ", static_cast<long long>(first.day));
    }
    append_line(report, report_capacity, L"首剂时间 %ls%d:%02d，间隔 %g 小时，共 %d 次：", first_day,
                first.hour, first.minute, interval, doses);
    // One dose a line, numbered, so that each can be ticked off when given.
    for (int32_t k = 0; k < doses; ++k) {
        DoseTime time = dose_time(k * interval + start);
        append_line(report, report_capacity, L"第 %d 次  第%lld天 %02d:%02d", k + 1,
                    static_cast<long long>(time.day), time.hour, time.minute);
    }
    append_text_line(report, report_capacity,
                     L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。");
    wtext_copy(verdict, verdict_capacity, L"给药时间表已生成，注意首剂与夜间给药时间");
    return 0;
}

int32_t build_follow_up_report(const ToolDef& tool, const double* input_values, wchar_t* report,
                               int32_t report_capacity, wchar_t* verdict,
                               int32_t verdict_capacity) {
    LocalTime now = local_time_now();
    int64_t today = days_from_civil(now.year, now.month, now.day);
    return build_follow_up_report_for_day(tool, input_values, today, report, report_capacity,
                                          verdict, verdict_capacity);
}

int32_t build_follow_up_report_for_day(const ToolDef& tool, const double* input_values,
                                       int64_t today, wchar_t* report, int32_t report_capacity,
                                       wchar_t* verdict, int32_t verdict_capacity) {
    // Today within the calendar's range (the clock gives far less).
    if (today > kMaxCalendarDays) today = kMaxCalendarDays;
    if (today < -kMaxCalendarDays) today = -kMaxCalendarDays;
    // No visit before today, none more than ten years ahead.
    const int32_t horizon = days_to_ten_years_ahead(today);
    const WholeLimit start_limit = {"start", L"首次随访", 0, horizon};
    const WholeLimit gap_limit = {"gap", L"随访间隔", 1, horizon};
    int32_t start = 0;
    int32_t gap = 0;
    int32_t visits = 0;
    const bool start_valid =
        read_whole_within(tool, input_values, start_limit, &start, report, report_capacity);
    const bool gap_valid =
        read_whole_within(tool, input_values, gap_limit, &gap, report, report_capacity);
    const bool visits_valid =
        read_whole_within(tool, input_values, kFollowUpLimit, &visits, report, report_capacity);
    bool valid = start_valid && gap_valid && visits_valid;
    // Each within the horizon, the last visit may still lie beyond it.
    const int64_t last =
        valid ? static_cast<int64_t>(start) + static_cast<int64_t>(visits - 1) * gap : 0;
    if (last > horizon) {
        wchar_t last_date[kDateScratch];
        wchar_t latest_date[kDateScratch];
        civil_from_days(today + last, last_date, kDateScratch);
        civil_from_days(today + horizon, latest_date, kDateScratch);
        append_line(report, report_capacity, L"末次随访 %ls 超出范围（今天起 %d 年内，至多 %ls）",
                    last_date, kYearsAhead, latest_date);
        valid = false;
    }
    if (!valid) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }

    append_line(report, report_capacity,
                L"随访节点（以今天为基准，起始第 %d 天，间隔 %d 天，共 %d 次）：", start, gap,
                visits);
    for (int32_t i = 1; i <= visits; ++i) {
        int64_t day = today + start + static_cast<int64_t>(i - 1) * gap;
        wchar_t date[kDateScratch];
        civil_from_days(day, date, kDateScratch);
        const int32_t weekday = iso_weekday_from_days(day);
        append_line(report, report_capacity, L"第 %d 次：%ls（%ls）%ls", i, date,
                    kWeekdayNames[weekday - 1], weekday >= kSaturday ? kWeekendNote : L"");
    }
    append_text_line(report, report_capacity,
                     L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。");
    wtext_copy(verdict, verdict_capacity, L"随访计划已生成，可按日期短信提醒患者");
    return 0;
}

int32_t build_infusion_card_report(const ToolDef& tool, const double* input_values,
                                   wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                   int32_t verdict_capacity) {
    // A card that looks valid but carries a value no one can give is worse than
    // none: each invalid value is named instead.
    const bool bed_given = !is_not_given(tool, input_values, "bed");
    int32_t bed = 0;
    bool valid = !bed_given ||
                 read_whole_within(tool, input_values, kBedLimit, &bed, report, report_capacity);
    double dose = 0.0;
    double volume = 0.0;
    double drops = 0.0;
    double drip_factor = 0.0;
    valid = read_number_within(tool, input_values, kDoseAmountLimit, &dose, report, report_capacity) && valid;
    valid = read_number_within(tool, input_values, kVolumeLimit, &volume, report, report_capacity) && valid;
    valid = read_number_within(tool, input_values, kDropRateLimit, &drops, report, report_capacity) && valid;
    valid = read_number_within(tool, input_values, kDripFactorLimit, &drip_factor, report,
                               report_capacity) && valid;
    if (!valid) {
        wtext_copy(verdict, verdict_capacity, L"输液参数无效，请核对");
        return 2;
    }
    // Drops a minute times 60 make drops an hour; the giving set's drops per ml
    // turn them into ml.
    const double ml_per_hour = drops * 60.0 / drip_factor;
    wchar_t dose_text[kNumberScratch];
    format_grouped_value(dose, dose_text, kNumberScratch);
    wchar_t volume_text[kNumberScratch];
    format_grouped_value(volume, volume_text, kNumberScratch);
    wchar_t drops_text[kNumberScratch];
    wchar_t drip_text[kNumberScratch];
    format_grouped_value(drip_factor, drip_text, kNumberScratch);
    wchar_t hourly_text[kNumberScratch];
    wchar_t duration[kNumberScratch];
    // No figure reads 0 when it is not: below 1 it reads "不足 1", to be checked.
    bool usual = format_whole_figure(drops, L"", drops_text, kNumberScratch);
    usual = format_whole_figure(ml_per_hour, L"约 ", hourly_text, kNumberScratch) && usual;
    usual = format_duration(volume / ml_per_hour * 60.0, duration, kNumberScratch) && usual;

    append_text_line(report, report_capacity, L"静脉输液卡");
    if (bed_given) {
        append_line(report, report_capacity, L"床号：%d", bed);
    } else {
        append_text_line(report, report_capacity, L"床号＿＿＿＿");
    }
    // A bed is no identifier: the patient is named by two that are.
    append_text_line(report, report_capacity, L"姓名＿＿＿＿  住院号＿＿＿＿");
    append_text_line(report, report_capacity, L"床号不作为身份识别：执行前核对姓名与住院号。");
    append_text_line(report, report_capacity, L"药名＿＿＿＿  溶媒＿＿＿＿");
    append_line(report, report_capacity, L"药液：医嘱药量 %ls ＿＿（单位按医嘱），加入溶媒 %ls ml",
                dose_text, volume_text);
    append_line(report, report_capacity, L"滴速：%ls 滴/分（滴系数 %ls 滴/ml，%ls ml/h）", drops_text,
                drip_text, hourly_text);
    append_line(report, report_capacity, L"预计输完：%ls", duration);
    if (!is_common_drip_factor(drip_factor)) {
        append_line(report, report_capacity, L"滴系数 %ls 滴/ml 不常见（常用 10、15、20、60），请核对输液器",
                    drip_text);
        usual = false;
    }
    if (drops > kHighestUsualDropRate) {
        wchar_t entered[kNumberScratch];
        format_grouped_value(drops, entered, kNumberScratch);
        append_line(report, report_capacity,
                    L"滴速 %ls 滴/分 高于常用范围（成人 40–60、儿童 20–40 滴/分），请核对", entered);
        usual = false;
    }
    append_text_line(report, report_capacity, L"核对：药名/剂量/浓度/有效期/配伍；双人签名。");
    append_text_line(report, report_capacity, L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。");
    if (!usual) {
        wtext_copy(verdict, verdict_capacity, L"输液参数不常见，请核对");
        return 1;
    }
    wtext_copy(verdict, verdict_capacity, L"输液卡已生成，双人核对后执行");
    return 0;
}
