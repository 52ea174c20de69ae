// Dosing timetable (kind 2), follow-up plan (7), infusion card (10) and the
// nurse duty roster (1).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/calendar.h"
#include "engine/platform.h"
#include "report_harness.h"

namespace {

using namespace report_test;

// ---- Dosing timetable -------------------------------------------------------

const wchar_t kDosingNote[] = L"说明：按等间隔给药；抗菌药物需结合半衰期与肾肝功能调整。";

struct Dosing {
    KeyValue start;
    KeyValue interval;
    KeyValue times;
    const wchar_t* heading;
    const wchar_t* entries;
};

TEST(DosingSchedule, HeadingEntriesOnOneLineAndNote) {
    const Dosing cases[] = {
        {{"start", 6}, {"interval", 10}, {"times", 3},
         L"首剂时间 6:00，间隔 10 小时，共 3 次：",
         L"第1天 06:00  |  第1天 16:00  |  第2天 02:00"},
        {{"start", 7.75}, {"interval", 8}, {"times", 2},
         L"首剂时间 7:45，间隔 8 小时，共 2 次：", L"第1天 07:45  |  第1天 15:45"},
        // 7.85 h is stored a hair below 471 minutes: the entry still reads 07:51.
        {{"start", 7.75}, {"interval", 0.1}, {"times", 3},
         L"首剂时间 7:45，间隔 0.1 小时，共 3 次：",
         L"第1天 07:45  |  第1天 07:51  |  第1天 07:57"},
        {{"start", 30}, {"interval", 12}, {"times", 2},
         L"首剂时间 第2天 6:00，间隔 12 小时，共 2 次：", L"第2天 06:00  |  第2天 18:00"},
        {{"start", 8}, {"interval", 0.1}, {"times", 3},
         L"首剂时间 8:00，间隔 0.1 小时，共 3 次：",
         L"第1天 08:00  |  第1天 08:06  |  第1天 08:12"},
        {{"start", 23.99}, {"interval", 0.01}, {"times", 2.9},
         L"首剂时间 23:59，间隔 0.01 小时，共 2 次：", L"第1天 23:59  |  第2天 00:00"},
        {{"start", 0}, {"interval", 24}, {"times", 1.9},
         L"首剂时间 0:00，间隔 24 小时，共 1 次：", L"第1天 00:00"},
        // A negative zero is hour 0. Missing, NaN and negative values are
        // refused (the limits' own test).
        {{"start", -0.0}, {"interval", 8}, {"times", 1},
         L"首剂时间 0:00，间隔 8 小时，共 1 次：", L"第1天 00:00"},
        // Day counts beyond int32 do not wrap.
        {{"start", 0}, {"interval", 1e12}, {"times", 2},
         L"首剂时间 0:00，间隔 1e+12 小时，共 2 次：",
         L"第1天 00:00  |  第41666666667天 16:00"},
        {{"start", 6}, {"interval", 1e300}, {"times", 3},
         L"首剂时间 6:00，间隔 1e+300 小时，共 3 次：",
         L"第1天 06:00  |  第9223372036854775807天 00:00  |  第9223372036854775807天 00:00"},
    };
    for (const Dosing& c : cases) {
        TestTool tool;
        make_tool(&tool, {c.start, c.interval, c.times});
        ReportRun run = run_report(2, tool);
        EXPECT_EQ(run.report, lines({c.heading, c.entries, kDosingNote})) << utf8(c.entries);
        EXPECT_EQ(run.verdict, L"给药时间表已生成，注意首剂与夜间给药时间");
        EXPECT_EQ(run.level, 0);
    }
}

// A start of 1e308 hours prints the saturated day count, in the heading too.
TEST(DosingSchedule, HugeStartPrintsWithoutOverflow) {
    TestTool tool;
    make_tool(&tool, {{"start", 1e308}, {"interval", 8}, {"times", 2}});
    EXPECT_EQ(run_report(2, tool).report,
              std::wstring(L"首剂时间 第9223372036854775807天 8:00，间隔 8 小时，共 2 次：\r\n"
                           L"第9223372036854775807天 08:00  |  第9223372036854775807天 08:00\r\n") +
                  kDosingNote + L"\r\n");
}

TEST(DosingSchedule, BetweenOneAndThirtyEntriesJoinedBySeparators) {
    struct Times {
        double times;
        int32_t entries;
    };
    // Counts outside 1 to 30 are refused (the limits' own test).
    const Times cases[] = {{1, 1}, {1.5, 1}, {2, 2}, {29.9, 29}, {30, 30}};
    for (const Times& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"times", c.times}, {"interval", 1}});
        std::vector<std::wstring> got = split_lines(run_report(2, tool).report);
        ASSERT_EQ(got.size(), 3u);
        size_t separators = 0;
        for (size_t at = got[1].find(L"  |  "); at != std::wstring::npos;
             at = got[1].find(L"  |  ", at + 1)) {
            ++separators;
        }
        EXPECT_EQ(separators, static_cast<size_t>(c.entries - 1)) << c.times;
        EXPECT_EQ(got[1].rfind(L"  |  "), c.entries == 1 ? std::wstring::npos
                                                         : got[1].size() - 14) << c.times;
    }
}

// ---- Follow-up plan ---------------------------------------------------------

const wchar_t kFollowUpContent[] =
    L"内容：症状与体征、用药依从性、复查项目、并发症预警、是否需要提前复诊。";

struct FollowUp {
    int32_t year;
    int32_t month;
    int32_t day;
    KeyValue start;
    KeyValue gap;
    KeyValue times;
    const wchar_t* heading;
    std::initializer_list<const wchar_t*> dates;
};

TEST(FollowUp, DatesCountedFromTheGivenDay) {
    const FollowUp cases[] = {
        {2026, 12, 7, {"start", 1}, {"gap", 7}, {"times", 3},
         L"随访节点（以今天为基准，起始第 1 天，间隔 7 天，共 3 次）：",
         {L"2026-12-08", L"2026-12-15", L"2026-12-22"}},
        {2026, 12, 7, {"start", 0}, {"gap", 1}, {"times", 2},
         L"随访节点（以今天为基准，起始第 0 天，间隔 1 天，共 2 次）：",
         {L"2026-12-07", L"2026-12-08"}},
        {2026, 12, 7, {"start", -3}, {"gap", 2.9}, {"times", 2.5},
         L"随访节点（以今天为基准，起始第 -3 天，间隔 2 天，共 2 次）：",
         {L"2026-12-04", L"2026-12-06"}},
        // A gap below one day and counts outside 1 to 20 are refused (the
        // limits' own test).
        {2026, 12, 7, {"start", -3.9}, {"gap", 1}, {"times", 1},
         L"随访节点（以今天为基准，起始第 -3 天，间隔 1 天，共 1 次）：", {L"2026-12-04"}},
        {2026, 12, 7, {nullptr, 0}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）：", {L"2026-12-07"}},
        // Month ends, a leap day and a year end, forwards and backwards.
        {2026, 12, 30, {"start", 3}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 3 天，间隔 7 天，共 1 次）：", {L"2027-01-02"}},
        {2027, 1, 2, {"start", -3}, {"gap", 1}, {"times", 3},
         L"随访节点（以今天为基准，起始第 -3 天，间隔 1 天，共 3 次）：",
         {L"2026-12-30", L"2026-12-31", L"2027-01-01"}},
        {2026, 1, 31, {"start", 1}, {"gap", 28}, {"times", 2},
         L"随访节点（以今天为基准，起始第 1 天，间隔 28 天，共 2 次）：",
         {L"2026-02-01", L"2026-03-01"}},
        {2028, 2, 28, {"start", 1}, {"gap", 1}, {"times", 2},
         L"随访节点（以今天为基准，起始第 1 天，间隔 1 天，共 2 次）：",
         {L"2028-02-29", L"2028-03-01"}},
        {2026, 3, 1, {"start", -1}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 -1 天，间隔 7 天，共 1 次）：", {L"2026-02-28"}},
        {1970, 1, 1, {"start", -1}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 -1 天，间隔 7 天，共 1 次）：", {L"1969-12-31"}},
    };
    for (const FollowUp& c : cases) {
        TestTool tool;
        make_tool(&tool, {c.start, c.gap, c.times});
        GuardedBuffer report(kSelftestReportCapacity);
        GuardedBuffer verdict(kVerdictCapacity);
        report.data()[0] = 0;
        verdict.data()[0] = 0;
        int32_t level = build_follow_up_report_for_day(
            tool.def, tool.values, days_from_civil(c.year, c.month, c.day), report.data(),
            report.capacity, verdict.data(), verdict.capacity);
        EXPECT_TRUE(report.sound());
        EXPECT_TRUE(verdict.sound());
        std::wstring expected = std::wstring(c.heading) + L"\r\n";
        int32_t i = 1;
        for (const wchar_t* date : c.dates) {
            wchar_t line[64];
            wtext_format(line, 64, L"第 %d 次：%ls\r\n", i++, date);
            expected += line;
        }
        expected += std::wstring(kFollowUpContent) + L"\r\n";
        EXPECT_EQ(report.text(), expected) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(verdict.text(), L"随访计划已生成，可按日期短信提醒患者");
        EXPECT_EQ(level, 0);
    }
}

TEST(FollowUp, AtMostTwentyVisits) {
    TestTool tool;
    make_tool(&tool, {{"times", 20}, {"gap", 1}});
    ReportRun run = run_report(7, tool);
    std::vector<std::wstring> got = split_lines(run.report);
    ASSERT_EQ(got.size(), 22u);
    EXPECT_EQ(got[0], L"随访节点（以今天为基准，起始第 0 天，间隔 1 天，共 20 次）：");
    EXPECT_EQ(got[20].substr(0, 7), L"第 20 次：");
}

// The clock is read once per call: the plan equals the one for today's day
// number (read again if midnight passed in between).
TEST(FollowUp, CountsFromTodaysLocalDate) {
    TestTool tool;
    make_tool(&tool, {{"start", 1}, {"gap", 7}, {"times", 3}}, 7);
    for (int attempt = 0; attempt < 3; ++attempt) {
        LocalTime before = local_time_now();
        ReportRun run = run_report(7, tool);
        LocalTime after = local_time_now();
        if (before.day != after.day) continue;
        wchar_t expected[1024];
        wchar_t verdict[64];
        expected[0] = 0;
        build_follow_up_report_for_day(tool.def, tool.values,
                                       days_from_civil(before.year, before.month, before.day),
                                       expected, 1024, verdict, 64);
        EXPECT_EQ(run.report, expected);
        return;
    }
    FAIL() << "the date kept changing";
}

// ---- Infusion card ----------------------------------------------------------

const wchar_t kCheckLine[] = L"核对：药名/剂量/浓度/有效期/配伍；双人签名。";
const wchar_t kWatchLine[] = L"观察：穿刺点、滴速、输注反应；每 30 分钟巡视并记录。";

// A card from valid values: the dose as entered, the hourly volume by the giving
// set's drip factor and the running time to the minute.
TEST(InfusionCard, DoseAsEnteredAndHourlyVolumeByDripFactor) {
    struct Card {
        double dose;
        double volume;
        double drops;
        double drip;
        const wchar_t* fluid;
        const wchar_t* rate;
        const wchar_t* time;
    };
    const Card cases[] = {
        {2,     100, 40, 20, L"药液：医嘱药量 2 ＿＿（单位按医嘱），加入溶媒 100 ml",
         L"滴速：40 滴/分（滴系数 20 滴/ml，约 120 ml/h）", L"预计输完：约 50 分钟"},
        {0.125, 100, 40, 10, L"药液：医嘱药量 0.125 ＿＿（单位按医嘱），加入溶媒 100 ml",
         L"滴速：40 滴/分（滴系数 10 滴/ml，约 240 ml/h）", L"预计输完：约 25 分钟"},
        {12.5,  100, 20, 15, L"药液：医嘱药量 12.5 ＿＿（单位按医嘱），加入溶媒 100 ml",
         L"滴速：20 滴/分（滴系数 15 滴/ml，约 80 ml/h）", L"预计输完：约 1 小时 15 分钟"},
        {800000, 250, 60, 60, L"药液：医嘱药量 800000 ＿＿（单位按医嘱），加入溶媒 250 ml",
         L"滴速：60 滴/分（滴系数 60 滴/ml，约 60 ml/h）", L"预计输完：约 4 小时 10 分钟"},
        {0.1,   500, 50, 20, L"药液：医嘱药量 0.1 ＿＿（单位按医嘱），加入溶媒 500 ml",
         L"滴速：50 滴/分（滴系数 20 滴/ml，约 150 ml/h）", L"预计输完：约 3 小时 20 分钟"},
        {1.23456789, 120, 40, 20, L"药液：医嘱药量 1.23456789 ＿＿（单位按医嘱），加入溶媒 120 ml",
         L"滴速：40 滴/分（滴系数 20 滴/ml，约 120 ml/h）", L"预计输完：约 1 小时"},
    };
    for (const Card& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"bed", 12}, {"dose", c.dose}, {"volume", c.volume}, {"gtt", c.drops},
                          {"drip", c.drip}});
        ReportRun run = run_report(10, tool);
        EXPECT_EQ(run.report, lines({L"静脉输液卡", L"床号：12", c.fluid, c.rate, c.time, kCheckLine,
                                     kWatchLine}))
            << utf8(c.fluid);
        EXPECT_EQ(run.verdict, L"输液卡已生成，双人核对后执行");
        EXPECT_EQ(run.level, 0);
    }
}

// No card from a value that no one can give: each invalid value is named, at
// level 2, whatever the others are.
TEST(InfusionCard, InvalidValuesGiveNoCard) {
    struct Invalid {
        std::initializer_list<KeyValue> inputs;
        std::initializer_list<const wchar_t*> lines;
    };
    const Invalid cases[] = {
        {{{"bed", 0}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}},
         {L"床号须为 1 或以上的整数（当前为 0）"}},
        {{{"bed", 0.9}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}},
         {L"床号须为 1 或以上的整数（当前为 0）"}},
        {{{"bed", 12}, {"dose", 0}, {"volume", -10}, {"gtt", 40}, {"drip", 20}},
         {L"医嘱药量须为大于 0 的数（当前为 0）", L"溶媒量须为大于 0 的数（当前为 -10）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 100}, {"gtt", 0}, {"drip", 20}},
         {L"滴速须为大于 0 的数（当前为 0）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", -15}},
         {L"滴系数须为大于 0 的数（当前为 -15）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 100}, {"gtt", 40}},
         {L"滴系数须为大于 0 的数（当前为 0）"}},
        {{{"bed", -2}, {"dose", kNaN}, {"volume", kInf}, {"gtt", 40}, {"drip", 20}},
         {L"床号须为 1 或以上的整数（当前为 -2）", L"医嘱药量须为大于 0 的数（当前为 --）",
          L"溶媒量须为大于 0 的数（当前为 --）"}},
    };
    for (const Invalid& c : cases) {
        TestTool tool;
        make_tool(&tool, c.inputs);
        ReportRun run = run_report(10, tool);
        EXPECT_EQ(run.report, lines(c.lines)) << utf8(*c.lines.begin());
        EXPECT_EQ(run.verdict, L"输液参数无效，请核对");
        EXPECT_EQ(run.level, 2);
    }
}

// ---- Nurse duty roster ------------------------------------------------------

const wchar_t kRosterRule[] =
    L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），每日每班 1 人，按人员顺序滚动。";
const wchar_t kRosterHint[] =
    L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。";

TEST(Roster, OneNurseOverOneDayAtTheLowerLimits) {
    // Fewer nurses or days are refused (the limits' own test).
    const std::initializer_list<KeyValue> inputs[] = {
        {{"nurses", 1}, {"days", 1}},
        {{"nurses", 1.99}, {"days", 1.5}},
    };
    for (const auto& input : inputs) {
        TestTool tool;
        make_tool(&tool, input);
        ReportRun run = run_report(1, tool);
        EXPECT_EQ(run.report, lines({kRosterRule, L"人员：1 人；周期：1 天", L"", L"护士01：",
                                     L"  1日D ", L"", kRosterHint}));
        EXPECT_EQ(run.verdict, L"已生成轮转排班表，可复制到排班本或表格");
        EXPECT_EQ(run.level, 0);
    }
}

TEST(Roster, ThreeNursesOverThreeDays) {
    TestTool tool;
    make_tool(&tool, {{"nurses", 3.5}, {"days", 3.9}});
    EXPECT_EQ(run_report(1, tool).report,
              lines({kRosterRule, L"人员：3 人；周期：3 天", L"", L"护士01：", L"  1日D 2日N 3日R ",
                     L"护士02：", L"  1日N 2日R 3日D ", L"护士03：", L"  1日R 2日D 3日N ", L"",
                     kRosterHint}));
}

// Day lines of the roster: the line after each label line.
std::vector<std::wstring> roster_day_lines(const std::wstring& report) {
    std::vector<std::wstring> all = split_lines(report);
    std::vector<std::wstring> out;
    for (size_t i = 3; i + 1 < all.size(); i += 2) {
        if (all[i].empty()) break;
        out.push_back(all[i + 1]);
    }
    return out;
}

TEST(Roster, EveryDayOfThreeNursesHasOneOfEachShift) {
    TestTool tool;
    make_tool(&tool, {{"nurses", 3}, {"days", 31}});
    std::vector<std::wstring> days = roster_day_lines(run_report(1, tool).report);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].substr(0, 26), L"  1日D 2日N 3日R 4日D 5日N 6日R ");
    for (int32_t day = 1; day <= 31; ++day) {
        wchar_t entry[16];
        std::wstring shifts;
        for (const std::wstring& line : days) {
            wtext_format(entry, 16, L" %d日", day);
            size_t at = line.find(entry);
            ASSERT_NE(at, std::wstring::npos) << day;
            shifts += line[at + wtext_length(entry)];
        }
        std::sort(shifts.begin(), shifts.end());
        EXPECT_EQ(shifts, L"DNR") << day;
    }
}

// Every roster from 1 to 40 nurses over 1 to 31 days: a night is never followed
// by a day shift on the next day, and from three nurses on every day has a day
// and a night shift.
TEST(Roster, RestAfterEveryNightAndBothShiftsEveryDay) {
    for (int32_t nurses = 1; nurses <= 40; ++nurses) {
        for (int32_t days = 1; days <= 31; ++days) {
            TestTool tool;
            make_tool(&tool, {{"nurses", static_cast<double>(nurses)},
                              {"days", static_cast<double>(days)}});
            std::vector<std::wstring> rows = roster_day_lines(run_report(1, tool).report);
            ASSERT_EQ(rows.size(), static_cast<size_t>(nurses));
            std::vector<std::wstring> shifts_of_day(static_cast<size_t>(days));
            for (const std::wstring& row : rows) {
                std::wstring shifts;
                for (size_t at = row.find(L'日'); at != std::wstring::npos; at = row.find(L'日', at + 1)) {
                    shifts += row[at + 1];
                }
                ASSERT_EQ(shifts.size(), static_cast<size_t>(days));
                EXPECT_EQ(shifts.find(L"ND"), std::wstring::npos) << nurses << "x" << days;
                for (size_t day = 0; day < shifts.size(); ++day) shifts_of_day[day] += shifts[day];
            }
            if (nurses < 3) continue;
            for (const std::wstring& day : shifts_of_day) {
                EXPECT_NE(day.find(L'D'), std::wstring::npos) << nurses << "x" << days;
                EXPECT_NE(day.find(L'N'), std::wstring::npos) << nurses << "x" << days;
            }
        }
    }
}

TEST(Roster, TheFourthNurseRepeatsTheFirst) {
    TestTool tool;
    make_tool(&tool, {{"nurses", 4}, {"days", 31}});
    std::vector<std::wstring> days = roster_day_lines(run_report(1, tool).report);
    ASSERT_EQ(days.size(), 4u);
    EXPECT_EQ(days[3], days[0]);
    EXPECT_NE(days[1], days[0]);
}

TEST(Roster, UpperLimitsFortyNursesThirtyOneDays) {
    // More nurses or days are refused (the limits' own test).
    const std::initializer_list<KeyValue> inputs[] = {
        {{"nurses", 40}, {"days", 31}},
    };
    for (const auto& input : inputs) {
        TestTool tool;
        make_tool(&tool, input);
        std::vector<std::wstring> got = split_lines(run_report(1, tool).report);
        ASSERT_EQ(got.size(), 3u + 80u + 2u);
        EXPECT_EQ(got[1], L"人员：40 人；周期：31 天");
        EXPECT_EQ(got[81], L"护士40：");
        EXPECT_EQ(got[82].substr(got[82].size() - 5), L"31日D ");
    }
}

// The longest roster is 6,390 units: whole in the self-test's 8192, cut at 4,095
// units inside the day line of nurse 26 in the window's 4096.
TEST(Roster, LongestRosterInBothReportBuffers) {
    TestTool tool;
    make_tool(&tool, {{"nurses", 40}, {"days", 31}});
    ReportRun whole = run_report(1, tool, kSelftestReportCapacity);
    EXPECT_EQ(whole.report.size(), 6390u);
    EXPECT_EQ(whole.report.substr(whole.report.size() - 2), L"\r\n");

    ReportRun window = run_report(1, tool, kWindowReportCapacity);
    ASSERT_EQ(window.report.size(), 4095u);
    EXPECT_EQ(window.report, whole.report.substr(0, 4095));
    size_t label = window.report.rfind(L"护士");
    ASSERT_NE(label, std::wstring::npos);
    EXPECT_EQ(window.report.substr(label, 5), L"护士26：");
    EXPECT_GT(window.report.size(), window.report.find(L"\r\n", label) + 2);  // inside the day line
    EXPECT_EQ(window.report.find(kRosterHint), std::wstring::npos);
    EXPECT_EQ(window.verdict, whole.verdict);
}

}  // namespace
