// Dosing timetable (kind 2), follow-up plan (7), infusion card (10) and the
// nurse duty roster (1).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/tool_result.h"
#include "engine/calendar.h"
#include "engine/custom_report.h"
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
    std::initializer_list<const wchar_t*> doses;
};

// One dose a line, numbered: each can be ticked off when given.
TEST(DosingSchedule, HeadingOneDoseALineAndNote) {
    const Dosing cases[] = {
        {{"start", 6}, {"interval", 10}, {"times", 3},
         L"首剂时间 6:00，间隔 10 小时，共 3 次：",
         {L"第 1 次  第1天 06:00", L"第 2 次  第1天 16:00", L"第 3 次  第2天 02:00"}},
        {{"start", 7.75}, {"interval", 8}, {"times", 2},
         L"首剂时间 7:45，间隔 8 小时，共 2 次：", {L"第 1 次  第1天 07:45", L"第 2 次  第1天 15:45"}},
        // 7.85 h is stored a hair below 471 minutes: the entry still reads 07:51.
        {{"start", 7.75}, {"interval", 0.1}, {"times", 3},
         L"首剂时间 7:45，间隔 0.1 小时，共 3 次：",
         {L"第 1 次  第1天 07:45", L"第 2 次  第1天 07:51", L"第 3 次  第1天 07:57"}},
        {{"start", 30}, {"interval", 12}, {"times", 2},
         L"首剂时间 第2天 6:00，间隔 12 小时，共 2 次：",
         {L"第 1 次  第2天 06:00", L"第 2 次  第2天 18:00"}},
        {{"start", 8}, {"interval", 0.1}, {"times", 3},
         L"首剂时间 8:00，间隔 0.1 小时，共 3 次：",
         {L"第 1 次  第1天 08:00", L"第 2 次  第1天 08:06", L"第 3 次  第1天 08:12"}},
        {{"start", 23.99}, {"interval", 0.01}, {"times", 2},
         L"首剂时间 23:59，间隔 0.01 小时，共 2 次：",
         {L"第 1 次  第1天 23:59", L"第 2 次  第2天 00:00"}},
        {{"start", 0}, {"interval", 24}, {"times", 1},
         L"首剂时间 0:00，间隔 24 小时，共 1 次：", {L"第 1 次  第1天 00:00"}},
        // A negative zero is hour 0. Missing, NaN, negative and too large values
        // are refused (the limits' own test).
        {{"start", -0.0}, {"interval", 8}, {"times", 1},
         L"首剂时间 0:00，间隔 8 小时，共 1 次：", {L"第 1 次  第1天 00:00"}},
        // The farthest: 30 days from the start, 30 days apart.
        {{"start", 720}, {"interval", 720}, {"times", 2},
         L"首剂时间 第31天 0:00，间隔 720 小时，共 2 次：",
         {L"第 1 次  第31天 00:00", L"第 2 次  第61天 00:00"}},
    };
    for (const Dosing& c : cases) {
        TestTool tool;
        make_tool(&tool, {c.start, c.interval, c.times});
        ReportRun run = run_report(2, tool);
        std::vector<const wchar_t*> expected = {c.heading};
        expected.insert(expected.end(), c.doses.begin(), c.doses.end());
        expected.push_back(kDosingNote);
        std::wstring want;
        for (const wchar_t* line : expected) want += std::wstring(line) + L"\r\n";
        EXPECT_EQ(run.report, want) << utf8(*c.doses.begin());
        EXPECT_EQ(run.verdict, L"给药时间表已生成，注意首剂与夜间给药时间");
        EXPECT_EQ(run.level, 0);
    }
}

// A start or interval that would put doses years away is refused, not printed.
TEST(DosingSchedule, HugeStartOrIntervalIsRefused) {
    const LimitRow rows[] = {
        {{{"start", 1e308}, {"interval", 8}, {"times", 2}},
         {L"首剂时间 1e+308 超出范围（0–720）"}},
        {{{"start", 0}, {"interval", 1e12}, {"times", 2}},
         {L"给药间隔 1,000,000,000,000 超出范围（大于 0，至多 720）"}},
        {{{"start", 720.5}, {"interval", 720.5}, {"times", 2}},
         {L"首剂时间 720.5 超出范围（0–720）", L"给药间隔 720.5 超出范围（大于 0，至多 720）"}},
    };
    expect_limits(2, rows);
}

TEST(DosingSchedule, BetweenOneAndThirtyDosesNumbered) {
    // Counts outside 1 to 30 are refused (the limits' own test).
    for (int32_t times : {1, 2, 29, 30}) {
        TestTool tool;
        make_tool(&tool, {{"times", static_cast<double>(times)}, {"interval", 1}});
        std::vector<std::wstring> got = split_lines(run_report(2, tool).report);
        ASSERT_EQ(got.size(), static_cast<size_t>(times) + 2u);
        for (int32_t k = 1; k <= times; ++k) {
            wchar_t number[16];
            wtext_format(number, 16, L"第 %d 次  ", k);
            EXPECT_EQ(got[static_cast<size_t>(k)].find(number), 0u) << times << " " << k;
        }
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

// Each date with its weekday; a Saturday or Sunday asks to confirm the clinic.
TEST(FollowUp, DatesCountedFromTheGivenDay) {
    const FollowUp cases[] = {
        {2026, 12, 7, {"start", 1}, {"gap", 7}, {"times", 3},
         L"随访节点（以今天为基准，起始第 1 天，间隔 7 天，共 3 次）：",
         {L"2026-12-08（周二）", L"2026-12-15（周二）", L"2026-12-22（周二）"}},
        {2026, 12, 9, {"start", 7}, {"gap", 14}, {"times", 1},
         L"随访节点（以今天为基准，起始第 7 天，间隔 14 天，共 1 次）：", {L"2026-12-16（周三）"}},
        {2026, 12, 7, {"start", 0}, {"gap", 1}, {"times", 2},
         L"随访节点（以今天为基准，起始第 0 天，间隔 1 天，共 2 次）：",
         {L"2026-12-07（周一）", L"2026-12-08（周二）"}},
        {2026, 12, 7, {nullptr, 0}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）：", {L"2026-12-07（周一）"}},
        // A weekend: Saturday and Sunday, and the Monday after.
        {2026, 12, 18, {"start", 1}, {"gap", 1}, {"times", 3},
         L"随访节点（以今天为基准，起始第 1 天，间隔 1 天，共 3 次）：",
         {L"2026-12-19（周六）（周末，请确认门诊安排）", L"2026-12-20（周日）（周末，请确认门诊安排）",
          L"2026-12-21（周一）"}},
        // Month ends, a leap day and a year end. Dates before today are refused
        // (the limits' own test).
        {2026, 12, 30, {"start", 3}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 3 天，间隔 7 天，共 1 次）：", {L"2027-01-02（周六）（周末，请确认门诊安排）"}},
        {2026, 12, 29, {"start", 1}, {"gap", 1}, {"times", 3},
         L"随访节点（以今天为基准，起始第 1 天，间隔 1 天，共 3 次）：",
         {L"2026-12-30（周三）", L"2026-12-31（周四）", L"2027-01-01（周五）"}},
        {2026, 1, 31, {"start", 1}, {"gap", 28}, {"times", 2},
         L"随访节点（以今天为基准，起始第 1 天，间隔 28 天，共 2 次）：",
         {L"2026-02-01（周日）（周末，请确认门诊安排）", L"2026-03-01（周日）（周末，请确认门诊安排）"}},
        {2028, 2, 28, {"start", 1}, {"gap", 1}, {"times", 2},
         L"随访节点（以今天为基准，起始第 1 天，间隔 1 天，共 2 次）：",
         {L"2028-02-29（周二）", L"2028-03-01（周三）"}},
        {1969, 12, 31, {"start", 1}, {"gap", 7}, {"times", 1},
         L"随访节点（以今天为基准，起始第 1 天，间隔 7 天，共 1 次）：", {L"1970-01-01（周四）"}},
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
    EXPECT_EQ(run.level, 0);
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

const wchar_t kIdentityLine[] = L"姓名＿＿＿＿  住院号＿＿＿＿";
const wchar_t kNotAnIdentifierLine[] = L"床号不作为身份识别：执行前核对姓名与住院号。";
const wchar_t kDrugLine[] = L"药名＿＿＿＿  溶媒＿＿＿＿";

// The card of bed 12 with the given dose, rate and time lines and any lines
// that flag a value to check.
std::wstring card(const wchar_t* bed_line, const wchar_t* fluid, const wchar_t* rate,
                  const wchar_t* time, std::initializer_list<const wchar_t*> flags = {}) {
    std::wstring out = lines({L"静脉输液卡", bed_line, kIdentityLine, kNotAnIdentifierLine, kDrugLine,
                              fluid, rate, time});
    for (const wchar_t* flag : flags) out += std::wstring(flag) + L"\r\n";
    return out + lines({kCheckLine, kWatchLine});
}

// A card from usual values: dose and volume as entered, large ones with
// thousands separators, the hourly volume by the giving set's drip factor and
// the running time to the minute.
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
        {12.5,  12.5, 20, 15, L"药液：医嘱药量 12.5 ＿＿（单位按医嘱），加入溶媒 12.5 ml",
         L"滴速：20 滴/分（滴系数 15 滴/ml，约 80 ml/h）", L"预计输完：约 9 分钟"},
        {999,   100, 60, 60, L"药液：医嘱药量 999 ＿＿（单位按医嘱），加入溶媒 100 ml",
         L"滴速：60 滴/分（滴系数 60 滴/ml，约 60 ml/h）", L"预计输完：约 1 小时 40 分钟"},
        {12500, 250, 60, 60, L"药液：医嘱药量 12,500 ＿＿（单位按医嘱），加入溶媒 250 ml",
         L"滴速：60 滴/分（滴系数 60 滴/ml，约 60 ml/h）", L"预计输完：约 4 小时 10 分钟"},
        {4800000, 1000, 50, 20, L"药液：医嘱药量 4,800,000 ＿＿（单位按医嘱），加入溶媒 1,000 ml",
         L"滴速：50 滴/分（滴系数 20 滴/ml，约 150 ml/h）", L"预计输完：约 6 小时 40 分钟"},
        {1.23456789, 120, 40, 20, L"药液：医嘱药量 1.23456789 ＿＿（单位按医嘱），加入溶媒 120 ml",
         L"滴速：40 滴/分（滴系数 20 滴/ml，约 120 ml/h）", L"预计输完：约 1 小时"},
    };
    for (const Card& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"bed", 12}, {"dose", c.dose}, {"volume", c.volume}, {"gtt", c.drops},
                          {"drip", c.drip}});
        ReportRun run = run_report(10, tool);
        EXPECT_EQ(run.report, card(L"床号：12", c.fluid, c.rate, c.time)) << utf8(c.fluid);
        EXPECT_EQ(run.verdict, L"输液卡已生成，双人核对后执行");
        EXPECT_EQ(run.level, 0);
    }
}

// Nothing impossible or unusual is printed as normal: a figure below 1 reads
// "不足 1", an unusual giving set or a drop rate above 60 is named, at level 1.
TEST(InfusionCard, UnusualValuesAreFlaggedAtLevelOne) {
    struct Unusual {
        double volume;
        const wchar_t* volume_text;
        double drops;
        double drip;
        const wchar_t* rate;
        const wchar_t* time;
        std::initializer_list<const wchar_t*> flags;
    };
    const wchar_t kDripFlag18[] = L"滴系数 18 滴/ml 不常见（常用 10、15、20、60），请核对输液器";
    const Unusual cases[] = {
        // 0.4 drops a minute; 1 ml at 180 ml/h.
        {100, L"100", 0.4, 20, L"滴速：不足 1 滴/分（滴系数 20 滴/ml，约 1 ml/h）", L"预计输完：约 83 小时 20 分钟", {}},
        {1, L"1", 60, 20, L"滴速：60 滴/分（滴系数 20 滴/ml，约 180 ml/h）", L"预计输完：不足 1 分钟", {}},
        {0.4, L"0.4", 60, 60, L"滴速：60 滴/分（滴系数 60 滴/ml，约 60 ml/h）", L"预计输完：不足 1 分钟", {}},
        {100, L"100", 0.1, 60, L"滴速：不足 1 滴/分（滴系数 60 滴/ml，不足 1 ml/h）", L"预计输完：约 1000 小时", {}},
        {100, L"100", 40, 18, L"滴速：40 滴/分（滴系数 18 滴/ml，约 133 ml/h）", L"预计输完：约 45 分钟", {kDripFlag18}},
        // One zero too many.
        {500, L"500", 400, 20, L"滴速：400 滴/分（滴系数 20 滴/ml，约 1,200 ml/h）", L"预计输完：约 25 分钟",
         {L"滴速 400 滴/分 高于常用范围（成人 40–60、儿童 20–40 滴/分），请核对"}},
        {500, L"500", 60.5, 18, L"滴速：61 滴/分（滴系数 18 滴/ml，约 202 ml/h）", L"预计输完：约 2 小时 29 分钟",
         {kDripFlag18, L"滴速 60.5 滴/分 高于常用范围（成人 40–60、儿童 20–40 滴/分），请核对"}},
    };
    for (const Unusual& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"bed", 12}, {"dose", 2}, {"volume", c.volume}, {"gtt", c.drops},
                          {"drip", c.drip}});
        ReportRun run = run_report(10, tool);
        wchar_t fluid[128];
        wtext_format(fluid, 128, L"药液：医嘱药量 2 ＿＿（单位按医嘱），加入溶媒 %ls ml",
                     c.volume_text);
        EXPECT_EQ(run.report, card(L"床号：12", fluid, c.rate, c.time, c.flags)) << utf8(c.rate);
        EXPECT_EQ(run.verdict, L"输液参数不常见，请核对");
        EXPECT_EQ(run.level, 1);
    }
}

// An extra bed has no number yet: a bed left empty in a field the tool marks
// optional gives a blank to write in. The same NaN in a field that is not
// optional is refused.
TEST(InfusionCard, BedNotGivenLeavesABlank) {
    const wchar_t kFluid[] = L"药液：医嘱药量 2 ＿＿（单位按医嘱），加入溶媒 100 ml";
    const wchar_t kRate[] = L"滴速：40 滴/分（滴系数 20 滴/ml，约 120 ml/h）";
    for (bool optional : {true, false}) {
        TestTool tool;
        make_tool(&tool, {{"bed", kNaN}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}});
        tool.inputs[0].optional = optional;
        ReportRun run = run_report(10, tool);
        if (optional) {
            EXPECT_EQ(run.report, card(L"床号＿＿＿＿", kFluid, kRate, L"预计输完：约 50 分钟"));
            EXPECT_EQ(run.level, 0);
        } else {
            EXPECT_EQ(run.report, lines({L"床号 -- 超出范围（1–9,999）"}));
            EXPECT_EQ(run.level, 2);
        }
    }
}

// No card from a value that no one can give: each invalid value is named, at
// level 2, whatever the others are.
TEST(InfusionCard, InvalidValuesGiveNoCard) {
    const LimitRow rows[] = {
        {{{"bed", 1}, {"dose", 1e9}, {"volume", 5000}, {"gtt", 1000}, {"drip", 100}}, {}},
        {{{"bed", 9999}, {"dose", 1e-9}, {"volume", 0.001}, {"gtt", 0.001}, {"drip", 0.5}}, {}},
        {{{"bed", 0}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}},
         {L"床号 0 超出范围（1–9,999）"}},
        {{{"bed", 10000}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}},
         {L"床号 10,000 超出范围（1–9,999）"}},
        {{{"bed", 12.7}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}},
         {L"床号 须为整数（当前为 12.7）"}},
        {{{"bed", 1e12}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", 20}},
         {L"床号 1,000,000,000,000 超出范围（1–9,999）"}},
        {{{"bed", 12}, {"dose", 0}, {"volume", -10}, {"gtt", 40}, {"drip", 20}},
         {L"医嘱药量 0 超出范围（大于 0，至多 1,000,000,000）",
          L"溶媒量 -10 超出范围（大于 0，至多 5,000）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 5000.5}, {"gtt", 1001}, {"drip", 20}},
         {L"溶媒量 5,000.5 超出范围（大于 0，至多 5,000）", L"滴速 1,001 超出范围（大于 0，至多 1,000）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 100}, {"gtt", 0}, {"drip", 20}},
         {L"滴速 0 超出范围（大于 0，至多 1,000）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 100}, {"gtt", 40}, {"drip", -15}},
         {L"滴系数 -15 超出范围（大于 0，至多 100）"}},
        {{{"bed", 12}, {"dose", 2}, {"volume", 100}, {"gtt", 40}},
         {L"滴系数 0 超出范围（大于 0，至多 100）"}},
        {{{"bed", -2}, {"dose", kNaN}, {"volume", kInf}, {"gtt", 40}, {"drip", 20}},
         {L"床号 -2 超出范围（1–9,999）", L"医嘱药量 -- 超出范围（大于 0，至多 1,000,000,000）",
          L"溶媒量 -- 超出范围（大于 0，至多 5,000）"}},
    };
    expect_limits(10, rows, L"输液参数无效，请核对");
}

// ---- Nurse duty roster ------------------------------------------------------

const wchar_t kRosterHint[] =
    L"提示：连续夜班不超过 2 个，夜班后应安排休息；请按科室实际人数与能级调整。";

std::wstring roster_rule(const wchar_t* counts) {
    return std::wstring(L"排班规则：三班轮转（白班 D / 夜班 N / 休息 R），") + counts +
           L"，按人员顺序滚动。";
}

std::wstring next_start_line(int32_t k) {
    wchar_t line[128];
    wtext_format(line, 128, L"下一周期轮转起点：%d（填入下一周期，可接续本期，夜班后不排白班）", k);
    return line;
}

TestTool roster_tool(double nurses, double days, double start = 0) {
    TestTool tool;
    make_tool(&tool, {{"nurses", nurses}, {"days", days}, {"start", start}});
    return tool;
}

TEST(Roster, ThreeNursesOverThreeDaysAsAGrid) {
    ReportRun run = run_report(1, roster_tool(3, 3));
    EXPECT_EQ(run.report,
              lines({roster_rule(L"每日每班 1 人").c_str(), L"人员：3 人；周期：3 天", L"",
                     L"日期　　   123",
                     L"护士01　　 DNR",
                     L"护士02　　 NRD",
                     L"护士03　　 RDN",
                     L"白班人数   111",
                     L"夜班人数   111", L"", next_start_line(0).c_str(), kRosterHint}));
    EXPECT_EQ(run.verdict, L"已生成轮转排班表，可复制到排班本或表格");
    EXPECT_EQ(run.level, 0);
}

// Days from 10 on have their tens on the line above; a blank after each week.
TEST(Roster, FourNursesOverTenDaysFromStartOne) {
    ReportRun run = run_report(1, roster_tool(4, 10, 1));
    EXPECT_EQ(run.report,
              lines({roster_rule(L"每日白班 1–2 人、夜班 1–2 人").c_str(), L"人员：4 人；周期：10 天", L"",
                     L"　　　　             1",
                     L"日期　　   1234567 890",
                     L"护士01　　 NRDNRDN RDN",
                     L"护士02　　 RDNRDNR DNR",
                     L"护士03　　 DNRDNRD NRD",
                     L"护士04　　 NRDNRDN RDN",
                     L"白班人数   1121121 121",
                     L"夜班人数   2112112 112", L"", next_start_line(2).c_str(), kRosterHint}));
}

// The parsed grid: each nurse's shifts and each count row's numbers, read by
// the column under each day number of the header.
struct Grid {
    std::vector<std::wstring> header;  // the tens line (if any) and the units line
    std::vector<std::wstring> nurses;  // the shifts of each nurse, one letter a day
    std::vector<int32_t> day_counts;
    std::vector<int32_t> night_counts;
    std::vector<std::wstring> rows;    // every grid line as printed
};

// Width of a line in columns of a CJK monospace rendering: a full-width
// character takes two.
size_t columns(const std::wstring& line) {
    size_t width = 0;
    for (wchar_t c : line) width += c >= 0x2E80 ? 2 : 1;
    return width;
}

Grid parse_grid(const std::wstring& report, int32_t days) {
    Grid grid;
    std::vector<std::wstring> all = split_lines(report);
    const std::wstring units_label = L"日期";
    size_t at = 3;
    while (at < all.size() && all[at].compare(0, 2, units_label) != 0) grid.header.push_back(all[at++]);
    if (at < all.size()) grid.header.push_back(all[at++]);
    for (const std::wstring& line : grid.header) grid.rows.push_back(line);
    const std::wstring& units = grid.header.back();
    // Column of each day: the position of its unit digit in the header.
    std::vector<size_t> column;
    for (size_t i = 7; i < units.size(); ++i) {
        if (units[i] != L' ') column.push_back(i);
    }
    EXPECT_EQ(column.size(), static_cast<size_t>(days));
    auto cells = [&](const std::wstring& line) {
        std::wstring out;
        for (size_t c : column) out += c < line.size() ? line[c] : L' ';
        return out;
    };
    auto numbers = [&](size_t* line) {
        std::wstring tens(static_cast<size_t>(days), L' ');
        if (all[*line].compare(0, 1, L"\u3000") == 0) tens = cells(all[(*line)++]);
        std::wstring unit = cells(all[*line]);
        grid.rows.push_back(all[*line]);
        ++*line;
        std::vector<int32_t> out;
        for (size_t d = 0; d < unit.size(); ++d) {
            out.push_back((tens[d] == L' ' ? 0 : (tens[d] - L'0') * 10) + (unit[d] - L'0'));
        }
        return out;
    };
    while (at < all.size() && all[at].compare(0, 2, L"护士") == 0) {
        grid.rows.push_back(all[at]);
        grid.nurses.push_back(cells(all[at++]));
    }
    if (at + 1 < all.size()) grid.day_counts = numbers(&at);
    if (at + 1 < all.size()) grid.night_counts = numbers(&at);
    return grid;
}

// Every roster of 3 to 40 nurses over 1 to 31 days from each start: each
// letter stands under its day, every row's label is as wide as the others in
// any font (same numbers of full-width and ASCII characters), no line is wider
// than 60 columns; the count rows count the grid's letters, the rule line
// states their least and most; a night is never followed by a day shift, and
// every day has a day and a night nurse.
TEST(Roster, GridAlignedCountedAndRestAfterEveryNight) {
    for (int32_t start = 0; start <= 2; ++start) {
        for (int32_t nurses = 3; nurses <= 40; ++nurses) {
            for (int32_t days = 1; days <= 31; ++days) {
                ReportRun run = run_report(1, roster_tool(nurses, days, start));
                Grid grid = parse_grid(run.report, days);
                ASSERT_EQ(grid.nurses.size(), static_cast<size_t>(nurses));
                ASSERT_EQ(grid.day_counts.size(), static_cast<size_t>(days));
                ASSERT_EQ(grid.night_counts.size(), static_cast<size_t>(days));
                for (const std::wstring& row : grid.rows) {
                    size_t full = 0;
                    for (size_t i = 0; i < 7; ++i) full += row[i] >= 0x2E80 ? 1 : 0;
                    ASSERT_EQ(full, 4u) << utf8(row);
                    ASSERT_LE(columns(row), 60u) << utf8(row);
                }
                std::vector<int32_t> day_count(static_cast<size_t>(days), 0);
                std::vector<int32_t> night_count(static_cast<size_t>(days), 0);
                for (size_t i = 0; i < grid.nurses.size(); ++i) {
                    const std::wstring& shifts = grid.nurses[i];
                    ASSERT_EQ(shifts.find_first_not_of(L"DNR"), std::wstring::npos) << utf8(shifts);
                    EXPECT_EQ(shifts.find(L"ND"), std::wstring::npos);
                    EXPECT_EQ(shifts[0], L"DNR"[(i + static_cast<size_t>(start)) % 3]);
                    for (size_t d = 0; d < shifts.size(); ++d) {
                        day_count[d] += shifts[d] == L'D';
                        night_count[d] += shifts[d] == L'N';
                    }
                }
                EXPECT_EQ(grid.day_counts, day_count) << nurses << "x" << days;
                EXPECT_EQ(grid.night_counts, night_count) << nurses << "x" << days;
                for (size_t d = 0; d < day_count.size(); ++d) {
                    EXPECT_GE(day_count[d], 1);
                    EXPECT_GE(night_count[d], 1);
                }
                auto range = [](const std::vector<int32_t>& counts) {
                    int32_t low = *std::min_element(counts.begin(), counts.end());
                    int32_t high = *std::max_element(counts.begin(), counts.end());
                    wchar_t text[32];
                    if (low == high) {
                        wtext_format(text, 32, L"%d", low);
                    } else {
                        wtext_format(text, 32, L"%d–%d", low, high);
                    }
                    return std::wstring(text);
                };
                const std::wstring rule = split_lines(run.report)[0];
                if (nurses % 3 == 0) {
                    EXPECT_EQ(rule, roster_rule((L"每日每班 " + range(day_count) + L" 人").c_str()));
                } else {
                    EXPECT_EQ(rule, roster_rule((L"每日白班 " + range(day_count) + L" 人、夜班 " +
                                                 range(night_count) + L" 人").c_str()));
                }
            }
        }
    }
}

// A period ends where the next, from the start it names, goes on: each nurse's
// shifts over two periods are the shifts of one period as long as both.
TEST(Roster, NextPeriodContinuesTheRotation) {
    for (int32_t start = 0; start <= 2; ++start) {
        for (int32_t days = 1; days <= 15; ++days) {
            ReportRun first = run_report(1, roster_tool(5, days, start));
            const int32_t next = (start + days) % 3;
            EXPECT_NE(first.report.find(next_start_line(next)), std::wstring::npos) << start << " " << days;
            ReportRun second = run_report(1, roster_tool(5, days, next));
            ReportRun whole = run_report(1, roster_tool(5, 2 * days, start));
            Grid a = parse_grid(first.report, days);
            Grid b = parse_grid(second.report, days);
            Grid both = parse_grid(whole.report, 2 * days);
            for (size_t i = 0; i < 5; ++i) EXPECT_EQ(a.nurses[i] + b.nurses[i], both.nurses[i]);
        }
    }
}

TEST(Roster, TheFourthNurseRepeatsTheFirst) {
    Grid grid = parse_grid(run_report(1, roster_tool(4, 31)).report, 31);
    ASSERT_EQ(grid.nurses.size(), 4u);
    EXPECT_EQ(grid.nurses[3], grid.nurses[0]);
    EXPECT_NE(grid.nurses[1], grid.nurses[0]);
}

// Counts of two digits: the tens above, the units in the row.
TEST(Roster, UpperLimitsFortyNursesThirtyOneDays) {
    std::vector<std::wstring> got = split_lines(run_report(1, roster_tool(40, 31)).report);
    ASSERT_EQ(got.size(), 3u + 2u + 40u + 4u + 3u);
    EXPECT_EQ(got[0], roster_rule(L"每日白班 13–14 人、夜班 13–14 人"));
    EXPECT_EQ(got[1], L"人员：40 人；周期：31 天");
    EXPECT_EQ(got[3], L"　　　　             11111 1111122 2222222 233");
    EXPECT_EQ(got[4], L"日期　　   1234567 8901234 5678901 2345678 901");
    EXPECT_EQ(got[44], L"护士40　　 DNRDNRD NRDNRDN RDNRDNR DNRDNRD NRD");
    EXPECT_EQ(got[45], L"　　　　   1111111 1111111 1111111 1111111 111");
    EXPECT_EQ(got[46], L"白班人数   4334334 3343343 3433433 4334334 334");
    EXPECT_EQ(got[49], L"");
    EXPECT_EQ(got[50], next_start_line(1));
}

// The longest roster fits both report buffers whole: the window shows every
// nurse and the closing lines.
TEST(Roster, LongestRosterInBothReportBuffers) {
    ReportRun whole = run_report(1, roster_tool(40, 31), kSelftestReportCapacity);
    EXPECT_LT(whole.report.size(), static_cast<size_t>(kWindowReportCapacity - 1));
    EXPECT_EQ(whole.report.substr(whole.report.size() - 2), L"\r\n");
    ReportRun window = run_report(1, roster_tool(40, 31), kWindowReportCapacity);
    EXPECT_EQ(window.report, whole.report);
    EXPECT_NE(window.report.find(kRosterHint), std::wstring::npos);
}

// ---- The roster as cells ------------------------------------------------------

std::wstring grid_csv(const TestTool& tool, int32_t kind = 1, int32_t capacity = 8192,
                      int32_t* units = nullptr) {
    GuardedBuffer csv(capacity);
    csv.data()[0] = L'x';
    int32_t written = build_custom_report_grid(kind, tool.def, tool.values, csv.data(), capacity);
    EXPECT_TRUE(csv.sound());
    EXPECT_EQ(written, static_cast<int32_t>(wtext_length(csv.data())));
    if (units != nullptr) *units = written;
    return csv.data();
}

TEST(RosterGrid, OneNurseARowOneDayAColumn) {
    EXPECT_EQ(grid_csv(roster_tool(4, 3, 2)),
              L"日期,1,2,3\r\n"
              L"护士01,R,D,N\r\n"
              L"护士02,D,N,R\r\n"
              L"护士03,N,R,D\r\n"
              L"护士04,R,D,N\r\n"
              L"白班人数,1,2,1\r\n"
              L"夜班人数,1,1,2\r\n");
}

// The result record carries the longest roster's cells whole, for the
// clipboard; a formula tool's record has none.
TEST(RosterGrid, LongestGridInTheResultRecord) {
    static ToolResult result;
    TestTool tool = roster_tool(40, 31);
    tool.def.custom_report_kind = 1;
    evaluate_tool(tool.def, tool.values, &result);
    const std::wstring whole = grid_csv(tool);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(std::wstring(result.grid), whole);
    TestTool refused = roster_tool(2, 31);
    refused.def.custom_report_kind = 1;
    evaluate_tool(refused.def, refused.values, &result);
    EXPECT_EQ(std::wstring(result.grid), L"");
}

// The cells are the text grid's letters and counts, at every size.
TEST(RosterGrid, SameCellsAsTheTextGrid) {
    for (int32_t nurses : {3, 4, 5, 29, 40}) {
        for (int32_t days : {1, 9, 10, 30, 31}) {
            const TestTool tool = roster_tool(nurses, days, 1);
            Grid grid = parse_grid(run_report(1, tool).report, days);
            std::vector<std::wstring> rows = split_lines(grid_csv(tool));
            ASSERT_EQ(rows.size(), static_cast<size_t>(nurses) + 3u);
            std::wstring header = L"日期";
            for (int32_t d = 1; d <= days; ++d) header += L"," + std::to_wstring(d);
            EXPECT_EQ(rows[0], header);
            for (int32_t i = 0; i < nurses; ++i) {
                wchar_t label[16];
                wtext_format(label, 16, L"护士%02d", i + 1);
                std::wstring row = label;
                for (wchar_t shift : grid.nurses[static_cast<size_t>(i)]) row += std::wstring(L",") + shift;
                EXPECT_EQ(rows[static_cast<size_t>(i) + 1], row);
            }
            std::wstring day_row = L"白班人数";
            std::wstring night_row = L"夜班人数";
            for (int32_t d = 0; d < days; ++d) {
                day_row += L"," + std::to_wstring(grid.day_counts[static_cast<size_t>(d)]);
                night_row += L"," + std::to_wstring(grid.night_counts[static_cast<size_t>(d)]);
            }
            EXPECT_EQ(rows[static_cast<size_t>(nurses) + 1], day_row);
            EXPECT_EQ(rows[static_cast<size_t>(nurses) + 2], night_row);
        }
    }
}

// Whole or nothing: no grid for other kinds, refused inputs or a buffer too
// small; the exact size fits.
TEST(RosterGrid, WholeOrNothing) {
    int32_t units = 0;
    const std::wstring whole = grid_csv(roster_tool(40, 31), 1, 8192, &units);
    ASSERT_GT(units, 0);
    EXPECT_EQ(grid_csv(roster_tool(40, 31), 1, units + 1), whole);
    EXPECT_EQ(grid_csv(roster_tool(40, 31), 1, units), L"");
    EXPECT_EQ(grid_csv(roster_tool(40, 31), 1, 1), L"");
    EXPECT_EQ(grid_csv(roster_tool(2, 7)), L"");
    EXPECT_EQ(grid_csv(roster_tool(3, 7, 3)), L"");
    EXPECT_EQ(grid_csv(roster_tool(3.5, 7)), L"");
    for (int32_t kind : {0, 2, 6, 9, 12, -1}) EXPECT_EQ(grid_csv(roster_tool(3, 7), kind), L"") << kind;
}

}  // namespace
