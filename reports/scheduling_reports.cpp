// The scheduling reports: nurse duty roster (kind 1), dosing timetable (2),
// follow-up plan (7) and infusion card (10). Each returns level 0; a count or
// interval outside its limits, or an invalid value of the card, gives level 2
// and lines naming the values instead of the report.
//
// Lines built from several pieces append the pieces one after another with the
// bounded append (wtext_append) and close with "\r\n" the same way, so a full
// buffer cuts them anywhere.
#include <cmath>

#include "../engine/calendar.h"
#include "../engine/checked.h"
#include "../engine/format_value.h"
#include "../engine/platform.h"
#include "../engine/wide_text.h"
#include "custom_reports.h"

namespace {

// ---- Kind 1: nurse duty roster ----------------------------------------------

// 40 nurses over 31 days is the longest roster the report buffers hold.
const WholeLimit kNurseLimit = {"nurses", L"护士人数", 1, 40};
const WholeLimit kRosterDayLimit = {"days", L"排班天数", 1, 31};
constexpr int32_t kNurseLabelScratch = 12;
constexpr int32_t kRosterEntryScratch = 16;

// Shift of nurse i on day j (both from 1): ((i - 1) + (j - 1)) mod 3 picks day
// shift, night shift or rest. The rotation runs forward, D, N, R, D, ..., so
// every night is followed by a day of rest, never straight by a day shift; and
// every day of three nurses has one of each.
const wchar_t kShiftLetters[3] = {L'D', L'N', L'R'};

wchar_t shift_letter(int32_t nurse, int32_t day) {
    return kShiftLetters[((nurse - 1) + (day - 1)) % 3];
}

// ---- Kind 2: dosing timetable -----------------------------------------------

const WholeLimit kDoseLimit = {"times", L"给药次数", 1, 30};
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

double find_double_input(const ToolDef& tool, const double* input_values, const char* key) {
    double value = 0.0;
    find_input_value(tool, input_values, key, &value);
    return value;
}

// ---- Kind 10: infusion card -------------------------------------------------

constexpr int32_t kMinBed = 1;
constexpr int32_t kNumberScratch = 64;
constexpr int64_t kMinutesPerHour = 60;

// A value of the card that must be a number above 0, and its name.
struct InfusionValue {
    const wchar_t* label;
    double number;
};

bool is_positive_number(double value) { return std::isfinite(value) && value > 0.0; }

// The running time in whole minutes, rounded to the nearest: "50 分钟",
// "1 小时 15 分钟", "2 小时". Saturates far beyond any real infusion.
void format_duration(double minutes, wchar_t* out, int32_t capacity) {
    int64_t whole = int64_from_double(std::floor(minutes + 0.5));
    int64_t hours = whole / kMinutesPerHour;
    int64_t rest = whole % kMinutesPerHour;
    if (hours == 0) {
        wtext_format(out, capacity, L"%lld 分钟", static_cast<long long>(rest));
    } else if (rest == 0) {
        wtext_format(out, capacity, L"%lld 小时", static_cast<long long>(hours));
    } else {
        wtext_format(out, capacity, L"%lld 小时 %lld 分钟", static_cast<long long>(hours),
                     static_cast<long long>(rest));
    }
}

}  // namespace

int32_t build_roster_report(const ToolDef& tool, const double* input_values, wchar_t* report,
                            int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity) {
    int32_t nurses = 0;
    int32_t days = 0;
    const bool nurses_valid =
        read_whole_within(tool, input_values, kNurseLimit, &nurses, report, report_capacity);
    const bool days_valid =
        read_whole_within(tool, input_values, kRosterDayLimit, &days, report, report_capacity);
    if (!nurses_valid || !days_valid) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }
    append_text_line(report, report_capacity,
                     L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。");
    append_line(report, report_capacity, L"人员：%d 人；周期：%d 天", nurses, days);
    append_text_line(report, report_capacity, L"");
    for (int32_t nurse = 1; nurse <= nurses; ++nurse) {
        wchar_t label[kNurseLabelScratch];
        wtext_format(label, kNurseLabelScratch, L"护士%02d", nurse);
        append_line(report, report_capacity, L"%ls：", label);
        wtext_append(report, report_capacity, L"  ");
        for (int32_t day = 1; day <= days; ++day) {
            wchar_t entry[kRosterEntryScratch];
            wtext_format(entry, kRosterEntryScratch, L"%d日%c ", day,
                         static_cast<int>(shift_letter(nurse, day)));
            wtext_append(report, report_capacity, entry);
        }
        wtext_append(report, report_capacity, L"\r\n");
    }
    append_text_line(report, report_capacity, L"");
    append_text_line(report, report_capacity,
                     L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。");
    wtext_copy(verdict, verdict_capacity, L"已生成轮转排班表，可复制到排班本或表格");
    return 0;
}

int32_t build_dosing_schedule_report(const ToolDef& tool, const double* input_values,
                                     wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                     int32_t verdict_capacity) {
    // The first dose may be at hour 0 or later. -0 becomes +0: the heading never
    // shows "-0".
    double start = find_double_input(tool, input_values, "start");
    const bool start_valid = std::isfinite(start) && start >= 0.0;
    if (!start_valid) append_text_line(report, report_capacity, L"首剂时间 须不小于 0");
    start = start + 0.0;
    double interval = 0.0;
    const bool interval_valid =
        read_positive(tool, input_values, "interval", L"给药间隔", &interval, report, report_capacity);
    int32_t doses = 0;
    const bool doses_valid =
        read_whole_within(tool, input_values, kDoseLimit, &doses, report, report_capacity);
    if (!start_valid || !interval_valid || !doses_valid) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }

    // The heading names the first dose exactly as its entry does, and the
    // interval as entered.
    DoseTime first = dose_time(start);
    wchar_t first_day[kDoseEntryScratch] = L"";
    if (first.day != 1) {
        wtext_format(first_day, kDoseEntryScratch, L"第%lld天 ", static_cast<long long>(first.day));
    }
    append_line(report, report_capacity, L"首剂时间 %ls%d:%02d，间隔 %g 小时，共 %d 次：", first_day,
                first.hour, first.minute, interval, doses);
    for (int32_t k = 0; k < doses; ++k) {
        // The first dose is the start itself: 0 x an infinite interval would be NaN.
        double t = k == 0 ? start : k * interval + start;
        DoseTime time = dose_time(t);
        wchar_t entry[kDoseEntryScratch];
        wtext_format(entry, kDoseEntryScratch, L"第%lld天 %02d:%02d",
                     static_cast<long long>(time.day), time.hour, time.minute);
        wtext_append(report, report_capacity, entry);
        if (k + 1 < doses) wtext_append(report, report_capacity, L"  |  ");
    }
    wtext_append(report, report_capacity, L"\r\n");
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
    int32_t start = find_whole_input(tool, input_values, "start");  // no limits: may lie in the past
    // Whole days: a gap below one day would put every visit on the same date.
    int32_t gap = find_whole_input(tool, input_values, "gap");
    const bool gap_valid = gap >= 1;
    if (!gap_valid) append_text_line(report, report_capacity, L"随访间隔 须大于 0");
    int32_t visits = 0;
    const bool visits_valid =
        read_whole_within(tool, input_values, kFollowUpLimit, &visits, report, report_capacity);
    if (!gap_valid || !visits_valid) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }

    append_line(report, report_capacity,
                L"随访节点（以今天为基准，起始第 %d 天，间隔 %d 天，共 %d 次）：", start, gap,
                visits);
    // Today within the calendar's range (the clock gives far less): with |start|
    // and gap below 2^31 and i - 1 below 20 the sum cannot overflow int64.
    if (today > kMaxCalendarDays) today = kMaxCalendarDays;
    if (today < -kMaxCalendarDays) today = -kMaxCalendarDays;
    for (int32_t i = 1; i <= visits; ++i) {
        int64_t day = today + start + static_cast<int64_t>(i - 1) * gap;
        wchar_t date[kDateScratch];
        civil_from_days(day, date, kDateScratch);
        append_line(report, report_capacity, L"第 %d 次：%ls", i, date);
    }
    append_text_line(report, report_capacity,
                     L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。");
    wtext_copy(verdict, verdict_capacity, L"随访计划已生成，可按日期短信提醒患者");
    return 0;
}

int32_t build_infusion_card_report(const ToolDef& tool, const double* input_values,
                                   wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                   int32_t verdict_capacity) {
    int32_t bed = find_whole_input(tool, input_values, "bed");
    InfusionValue values[] = {
        {L"医嘱药量", find_double_input(tool, input_values, "dose")},
        {L"溶媒量", find_double_input(tool, input_values, "volume")},
        {L"滴速", find_double_input(tool, input_values, "gtt")},
        {L"滴系数", find_double_input(tool, input_values, "drip")},
    };
    // A card that looks valid but carries a value no one can give is worse than
    // none: each invalid value is named instead.
    bool valid = bed >= kMinBed;
    for (const InfusionValue& value : values) valid = valid && is_positive_number(value.number);
    if (!valid) {
        if (bed < kMinBed) append_line(report, report_capacity, L"床号须为 1 或以上的整数（当前为 %d）", bed);
        for (const InfusionValue& value : values) {
            if (is_positive_number(value.number)) continue;
            wchar_t number[kNumberScratch];
            format_exact_value(value.number, number, kNumberScratch);
            append_line(report, report_capacity, L"%ls须为大于 0 的数（当前为 %ls）", value.label,
                        number);
        }
        wtext_copy(verdict, verdict_capacity, L"输液参数无效，请核对");
        return 2;
    }
    const double dose = values[0].number;
    const double volume = values[1].number;
    const double drops = values[2].number;
    const double drip_factor = values[3].number;
    // Drops a minute times 60 make drops an hour; the giving set's drops per ml
    // turn them into ml.
    const double ml_per_hour = drops * 60.0 / drip_factor;
    wchar_t dose_text[kNumberScratch];
    format_exact_value(dose, dose_text, kNumberScratch);
    wchar_t drip_text[kNumberScratch];
    format_exact_value(drip_factor, drip_text, kNumberScratch);

    append_text_line(report, report_capacity, L"静脉输液卡");
    append_line(report, report_capacity, L"床号：%d", bed);
    append_line(report, report_capacity, L"药液：医嘱药量 %ls ＿＿（单位按医嘱），加入溶媒 %.0f ml",
                dose_text, volume);
    append_line(report, report_capacity, L"滴速：%.0f 滴/分（滴系数 %ls 滴/ml，约 %.0f ml/h）", drops,
                drip_text, ml_per_hour);
    wchar_t duration[kNumberScratch];
    format_duration(volume / ml_per_hour * 60.0, duration, kNumberScratch);
    append_line(report, report_capacity, L"预计输完：约 %ls", duration);
    append_text_line(report, report_capacity, L"核对：药名/剂量/浓度/有效期/配伍；双人签名。");
    append_text_line(report, report_capacity, L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。");
    wtext_copy(verdict, verdict_capacity, L"输液卡已生成，双人核对后执行");
    return 0;
}
