// Every report under full buffers and hostile input values, and the hand-over
// from compute_tool.
#include <gtest/gtest.h>

#include <string>

#include "engine/calendar.h"
#include "engine/compute_tool.h"
#include "report_harness.h"

namespace {

using namespace report_test;

// The input keys of each kind, and ordinary values for them.
constexpr int32_t kKindSlots = 5;
struct KindInputs {
    int32_t kind;
    KeyValue inputs[kKindSlots];
};

const KindInputs kKinds[] = {
    // kind  inputs
    {1,      {{"nurses", 5},  {"days", 7},      {nullptr, 0},   {nullptr, 0}}},
    {2,      {{"start", 6},   {"interval", 10}, {"times", 5},   {nullptr, 0}}},
    {3,      {{"kind", 2},    {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
    {4,      {{"kind", 1},    {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
    {5,      {{"kind", 1},    {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
    {6,      {{"drugA", 9},   {"drugB", 2},     {nullptr, 0},   {nullptr, 0}}},
    {7,      {{"start", 1},   {"gap", 7},       {"times", 3},   {nullptr, 0}}},
    {8,      {{nullptr, 0},   {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
    {9,      {{"beds", 3},    {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
    {10,     {{"bed", 12},    {"dose", 2.5},    {"volume", 250}, {"gtt", 40}, {"drip", 20}}},
    {11,     {{"panel", 2},   {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
};

void make_kind_tool(TestTool* tool, const KindInputs& kind) {
    make_tool(tool, {kind.inputs[0], kind.inputs[1], kind.inputs[2], kind.inputs[3], kind.inputs[4]},
              kind.kind);
}

// A report cut by its buffer is the beginning of the whole report, to the unit:
// the part of a line that fits stays, CR LF or only the CR included as far as
// they fit, and nothing after it. Verdict and level do not depend on the room.
TEST(ReportBuffer, EveryCapacityKeepsTheBeginningOfTheReport) {
    for (const KindInputs& kind : kKinds) {
        TestTool tool;
        make_kind_tool(&tool, kind);
        ReportRun whole = run_report(kind.kind, tool);
        const int32_t length = static_cast<int32_t>(whole.report.size());
        for (int32_t capacity = 1; capacity <= length + 2; ++capacity) {
            ReportRun cut = run_report(kind.kind, tool, capacity);
            ASSERT_EQ(cut.report, whole.report.substr(0, static_cast<size_t>(capacity - 1)))
                << "kind " << kind.kind << " capacity " << capacity;
            ASSERT_EQ(cut.verdict, whole.verdict);
            ASSERT_EQ(cut.level, whole.level);
        }
        // Capacity 1: empty. One unit short of the whole: a lone CR at the end.
        EXPECT_EQ(run_report(kind.kind, tool, 1).report, L"") << kind.kind;
        std::wstring short_one = run_report(kind.kind, tool, length).report;
        ASSERT_FALSE(short_one.empty());
        EXPECT_EQ(short_one.back(), L'\r') << kind.kind;
        EXPECT_NE(short_one[short_one.size() - 2], L'\n') << kind.kind;
    }
}

TEST(ReportBuffer, CapacityOneEmptiesEveryKindAndThePlaceholder) {
    TestTool tool;
    make_tool(&tool, {});
    for (int32_t kind = -1; kind <= 12; ++kind) {
        GuardedBuffer report(1);
        GuardedBuffer verdict(kVerdictCapacity);
        build_custom_report(kind, tool.def, tool.values, report.data(), 1, verdict.data(),
                            verdict.capacity);
        EXPECT_TRUE(report.sound()) << kind;
        EXPECT_TRUE(verdict.sound()) << kind;
        EXPECT_EQ(report.text(), L"") << kind;
        EXPECT_FALSE(verdict.text().empty()) << kind;
    }
}

// NaN, infinities, the largest doubles and the edges of int32 in every input of
// every kind, one input at a time and all at once: no undefined behaviour (the
// host build traps on it), no overrun, and the report is whole and well formed.
TEST(ReportInputs, HostileValuesInEveryInputOfEveryKind) {
    for (const KindInputs& kind : kKinds) {
        TestTool normal;
        make_kind_tool(&normal, kind);
        const std::wstring normal_verdict = run_report(kind.kind, normal).verdict;
        for (double hostile : kHostileValues) {
            for (int32_t slot = -1; slot < kKindSlots; ++slot) {  // -1: every input at once
                if (slot >= 0 && kind.inputs[slot].key == nullptr) continue;
                KeyValue inputs[kKindSlots];
                for (int32_t i = 0; i < kKindSlots; ++i) {
                    inputs[i] = kind.inputs[i];
                    if (slot == -1 || slot == i) inputs[i].value = hostile;
                }
                TestTool tool;
                make_tool(&tool, {inputs[0], inputs[1], inputs[2], inputs[3], inputs[4]}, kind.kind);
                ReportRun whole = run_report(kind.kind, tool);
                ASSERT_GE(whole.report.size(), 2u);
                EXPECT_EQ(whole.report.substr(whole.report.size() - 2), L"\r\n")
                    << "kind " << kind.kind << " value " << hostile;
                EXPECT_LE(whole.level, 3);
                EXPECT_GE(whole.level, 0);
                // A value a report cannot take is refused at a level above 0,
                // never reported under the normal verdict.
                if (kind.kind != 6 && whole.level == 0) EXPECT_EQ(whole.verdict, normal_verdict);
                // Every line goes through the 512-unit scratch.
                for (const std::wstring& line : split_lines(whole.report)) {
                    EXPECT_LE(line.size(), 511u) << "kind " << kind.kind;
                }
                ReportRun window = run_report(kind.kind, tool, kWindowReportCapacity);
                EXPECT_EQ(window.report, whole.report.substr(0, kWindowReportCapacity - 1));
                ReportRun tiny = run_report(kind.kind, tool, 40);
                EXPECT_EQ(tiny.report, whole.report.substr(0, 39));
            }
        }
    }
}

// Values far outside a report's limits, saturated to int32 on the way, are
// refused like any other value outside them. The follow-up plan's ranges end
// ten years from today: its lines are compared up to the range.
TEST(ReportInputs, SaturatedValuesMeetTheReportsOwnLimits) {
    struct Limit {
        int32_t kind;
        KeyValue input;
        const wchar_t* text;  // the first line, or its beginning
    };
    const Limit cases[] = {
        // kind input               first line
        {9,   {"beds", kInf},       L"交班床位数 -- 超出范围（1–30）"},
        {9,   {"beds", kTwo31},     L"交班床位数 2,147,483,648 超出范围（1–30）"},
        {1,   {"nurses", -kTwo31},  L"护士人数 须不少于 3（三班轮转每日需白班、夜班各 1 人）"},
        {1,   {"nurses", 1e308},    L"护士人数 1e+308 超出范围（3–40）"},
        {7,   {"times", kInf},      L"随访间隔 0 超出范围（1–"},
        {7,   {"gap", -kInf},       L"随访间隔 -- 超出范围（1–"},
        {7,   {"start", kTwo31},    L"首次随访 2,147,483,648 超出范围（0–"},
        {3,   {"kind", kTwo31 + 2}, L"标准采血顺序（按添加剂，避免交叉污染）："},
        {11,  {"panel", -kInf},     L"套餐：-2147483648 号（无此编号）"},
    };
    for (const Limit& c : cases) {
        TestTool tool;
        make_tool(&tool, {c.input});
        ReportRun run = run_report(c.kind, tool);
        std::vector<std::wstring> got = split_lines(run.report);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got[0].substr(0, wtext_length(c.text)), c.text) << c.input.value;
        EXPECT_GT(run.level, 0) << c.input.value;
    }
}

// The follow-up plan never reaches before today nor more than ten years ahead,
// the 29th of February reaching to the 28th; the farthest values are refused
// whole, never wrapped into dates.
TEST(ReportInputs, FollowUpWithinTenYearsFromToday) {
    struct Reach {
        int32_t year, month, day;
        double start;
        double gap;
        double times;
        const wchar_t* line;  // null: accepted, the last visit on `last`
        const wchar_t* last;
    };
    const Reach cases[] = {
        {2026, 12, 9, 3653, 1, 1, nullptr, L"2036-12-09"},
        {2026, 12, 9, 3654, 1, 1, L"首次随访 3,654 超出范围（0–3,653）", nullptr},
        {2026, 12, 9, 0, 3653, 2, nullptr, L"2036-12-09"},
        {2026, 12, 9, 1, 3653, 2, L"末次随访 2036-12-10 超出范围（今天起 10 年内，至多 2036-12-09）", nullptr},
        {2026, 12, 9, 43, 190, 20, nullptr, L"2036-12-09"},
        {2026, 12, 9, 44, 190, 20, L"末次随访 2036-12-10 超出范围（今天起 10 年内，至多 2036-12-09）", nullptr},
        {2028, 2, 29, 3652, 1, 1, nullptr, L"2038-02-28"},
        {2028, 2, 29, 3653, 1, 1, L"首次随访 3,653 超出范围（0–3,652）", nullptr},
        {2027, 3, 1, 3653, 1, 1, nullptr, L"2037-03-01"},
        {2026, 12, 9, -30, 14, 4, L"首次随访 -30 超出范围（0–3,653）", nullptr},
        {2026, 12, 9, kInf, kInf, 20, L"首次随访 -- 超出范围（0–3,653）", nullptr},
        {2026, 12, 9, -1e308, 1e308, 20, L"首次随访 -1e+308 超出范围（0–3,653）", nullptr},
    };
    for (const Reach& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"start", c.start}, {"gap", c.gap}, {"times", c.times}});
        GuardedBuffer report(kSelftestReportCapacity);
        GuardedBuffer verdict(kVerdictCapacity);
        report.data()[0] = 0;
        verdict.data()[0] = 0;
        const int32_t level = build_follow_up_report_for_day(
            tool.def, tool.values, days_from_civil(c.year, c.month, c.day), report.data(),
            report.capacity, verdict.data(), verdict.capacity);
        EXPECT_TRUE(report.sound());
        std::vector<std::wstring> got = split_lines(report.text());
        ASSERT_GE(got.size(), 1u);
        if (c.line != nullptr) {
            EXPECT_EQ(got[0], c.line) << c.start << " " << c.gap;
            EXPECT_EQ(level, 2);
        } else {
            EXPECT_EQ(level, 0);
            ASSERT_GE(got.size(), 3u);
            EXPECT_NE(got[got.size() - 2].find(c.last), std::wstring::npos) << utf8(got[got.size() - 2]);
        }
    }
}

// Any day number handed in as today: the plan stays defined and whole, and a
// start beyond the horizon is refused.
TEST(ReportInputs, FollowUpForAnyDayNumber) {
    const int64_t days[] = {INT64_MAX, INT64_MIN, kMaxCalendarDays + 1, -kMaxCalendarDays - 1};
    TestTool tool;
    make_tool(&tool, {{"start", 3652}, {"gap", 1}, {"times", 20}});
    TestTool far;
    make_tool(&far, {{"start", kInf}, {"gap", kInf}, {"times", 20}});
    for (int64_t today : days) {
        for (const TestTool* t : {&tool, &far}) {
            GuardedBuffer report(kSelftestReportCapacity);
            GuardedBuffer verdict(kVerdictCapacity);
            report.data()[0] = 0;
            build_follow_up_report_for_day(t->def, t->values, today, report.data(),
                                           report.capacity, verdict.data(), verdict.capacity);
            EXPECT_TRUE(report.sound());
            EXPECT_EQ(split_lines(report.text()).size(), t == &far ? 2u : 1u) << today;
        }
    }
}

// ---- compute_tool with a custom report --------------------------------------

const ToolOutput kIgnoredOutputs[] = {
    // key  label      unit  formula  format
    {"x",   L"不应出现", L"",  "1/0",   "f2"},
};
const ToolRule kIgnoredRules[] = {
    // condition  level  text
    {"",          1,     L"不应采用的规则结论"},
};

ToolDef custom_tool(const TestTool& inputs, int32_t kind) {
    ToolDef def = inputs.def;
    def.output_count = 1;
    def.outputs = kIgnoredOutputs;
    def.rule_count = 1;
    def.rules = kIgnoredRules;
    def.custom_report_kind = kind;
    return def;
}

TEST(ComputeTool, ACustomKindGivesExactlyTheReportsTexts) {
    const int32_t kinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -1};
    TestTool inputs;
    make_tool(&inputs, {{"drugA", 2}, {"drugB", 1}, {"nurses", 40}, {"days", 31}, {"beds", 4}});
    for (int32_t kind : kinds) {
        ToolDef tool = custom_tool(inputs, kind);
        ReportRun direct = run_report(kind, inputs, kWindowReportCapacity);
        GuardedBuffer report(kWindowReportCapacity);
        GuardedBuffer verdict(kVerdictCapacity);
        GuardedBuffer detail(kSelftestReportCapacity);
        int32_t level = -9;
        int32_t returned = compute_tool(tool, inputs.values, report.data(), report.capacity,
                                        verdict.data(), verdict.capacity, &level, detail.data(),
                                        detail.capacity);
        EXPECT_TRUE(report.sound());
        EXPECT_TRUE(verdict.sound());
        EXPECT_TRUE(detail.sound());
        EXPECT_EQ(report.text(), direct.report) << kind;
        EXPECT_EQ(detail.text(), direct.report) << kind;
        EXPECT_EQ(verdict.text(), direct.verdict) << kind;
        EXPECT_EQ(level, direct.level) << kind;
        EXPECT_EQ(returned, direct.level) << kind;
    }
}

TEST(ComputeTool, CustomKindSixAtLevelThreeAndNoFallbacks) {
    TestTool inputs;
    make_tool(&inputs, {{"drugA", 2}, {"drugB", 1}});
    ToolDef tool = custom_tool(inputs, 6);
    wchar_t report[4096];
    wchar_t detail[100];
    int32_t level = 0;
    // The smallest verdict buffer compute_tool accepts: the custom verdict is cut,
    // never replaced by the formula tools' fallback.
    wchar_t verdict[13];
    compute_tool(tool, inputs.values, report, 4096, verdict, 13, &level, detail, 100);
    EXPECT_EQ(level, 3);
    EXPECT_EQ(std::wstring(verdict), std::wstring(L"禁忌：不可同瓶输注，需间隔冲管").substr(0, 12));
    EXPECT_EQ(std::wstring(detail), std::wstring(report).substr(0, 99));
    EXPECT_EQ(std::wstring(report).find(L"不应出现"), std::wstring::npos);
    EXPECT_EQ(std::wstring(report).find(L"部分结果"), std::wstring::npos);
}

}  // namespace

namespace {

// ---- Limits: a value outside them is named, never replaced --------------------

const wchar_t kTooFewNurses[] = L"护士人数 须不少于 3（三班轮转每日需白班、夜班各 1 人）";

TEST(Limits, RosterNursesDaysAndStart) {
    const LimitRow rows[] = {
        {{{"nurses", 3}, {"days", 1}}, {}},
        {{{"nurses", 40}, {"days", 31}, {"start", 2}}, {}},
        {{{"nurses", 2}, {"days", 7}}, {kTooFewNurses}},
        {{{"nurses", 1}, {"days", 7}}, {kTooFewNurses}},
        {{{"nurses", 0}, {"days", 7}}, {kTooFewNurses}},
        {{{"nurses", 41}, {"days", 7}}, {L"护士人数 41 超出范围（3–40）"}},
        {{{"nurses", 2.5}, {"days", 7}}, {L"护士人数 须为整数（当前为 2.5）"}},
        {{{"nurses", 40.5}, {"days", 7}}, {L"护士人数 须为整数（当前为 40.5）"}},
        {{{"nurses", 3}, {"days", 0}}, {L"排班天数 0 超出范围（1–31）"}},
        {{{"nurses", 3}, {"days", 32}}, {L"排班天数 32 超出范围（1–31）"}},
        {{{"nurses", 3}, {"days", 6.5}}, {L"排班天数 须为整数（当前为 6.5）"}},
        {{{"nurses", 3}, {"days", 7}, {"start", 3}}, {L"轮转起点 3 超出范围（0–2）"}},
        {{{"nurses", 3}, {"days", 7}, {"start", -1}}, {L"轮转起点 -1 超出范围（0–2）"}},
        {{{"nurses", 3}, {"days", 7}, {"start", 0.5}}, {L"轮转起点 须为整数（当前为 0.5）"}},
        {{{"nurses", 50}, {"days", kNaN}},
         {L"护士人数 50 超出范围（3–40）", L"排班天数 -- 超出范围（1–31）"}},
        {{}, {kTooFewNurses, L"排班天数 0 超出范围（1–31）"}},
    };
    expect_limits(1, rows);
}

TEST(Limits, DosingStartIntervalAndDoses) {
    const LimitRow rows[] = {
        {{{"start", 0}, {"interval", 0.1}, {"times", 1}}, {}},
        {{{"start", -0.0}, {"interval", 8}, {"times", 30}}, {}},
        {{{"start", 720}, {"interval", 720}, {"times", 30}}, {}},
        {{{"start", 8}, {"interval", 8}, {"times", 31}}, {L"给药次数 31 超出范围（1–30）"}},
        {{{"start", 8}, {"interval", 8}, {"times", 0}}, {L"给药次数 0 超出范围（1–30）"}},
        {{{"start", 8}, {"interval", 8}, {"times", 2.9}}, {L"给药次数 须为整数（当前为 2.9）"}},
        {{{"start", 8}, {"interval", 0}, {"times", 6}}, {L"给药间隔 0 超出范围（大于 0，至多 720）"}},
        {{{"start", 8}, {"interval", -2}, {"times", 6}}, {L"给药间隔 -2 超出范围（大于 0，至多 720）"}},
        {{{"start", 8}, {"interval", kInf}, {"times", 6}},
         {L"给药间隔 -- 超出范围（大于 0，至多 720）"}},
        {{{"start", -5}, {"interval", 8}, {"times", 6}}, {L"首剂时间 -5 超出范围（0–720）"}},
        {{{"start", kNaN}, {"interval", kNaN}, {"times", kNaN}},
         {L"首剂时间 -- 超出范围（0–720）", L"给药间隔 -- 超出范围（大于 0，至多 720）",
          L"给药次数 -- 超出范围（1–30）"}},
    };
    expect_limits(2, rows);
}

// Compared with the plan of a fixed day: the ranges end ten years on.
TEST(Limits, FollowUpStartGapAndVisits) {
    const LimitRow rows[] = {
        {{{"start", 0}, {"gap", 1}, {"times", 1}}, {}},
        {{{"start", 7}, {"gap", 14}, {"times", 20}}, {}},
        {{{"start", 7}, {"gap", 14}, {"times", 21}}, {L"随访次数 21 超出范围（1–20）"}},
        {{{"start", 7}, {"gap", 14}, {"times", 0}}, {L"随访次数 0 超出范围（1–20）"}},
        {{{"start", 7}, {"gap", 14}, {"times", 2.5}}, {L"随访次数 须为整数（当前为 2.5）"}},
        {{{"start", 7}, {"gap", 0}, {"times", 4}}, {L"随访间隔 0 超出范围（1–3,653）"}},
        {{{"start", 7}, {"gap", 0.9}, {"times", 4}}, {L"随访间隔 须为整数（当前为 0.9）"}},
        {{{"start", -1}, {"gap", 7}, {"times", 4}}, {L"首次随访 -1 超出范围（0–3,653）"}},
        {{{"start", 1.5}, {"gap", 7}, {"times", 4}}, {L"首次随访 须为整数（当前为 1.5）"}},
        {{{"start", 100000}, {"gap", 7}, {"times", 4}}, {L"首次随访 100,000 超出范围（0–3,653）"}},
        {{{"start", 7}, {"gap", -7}, {"times", 50}},
         {L"随访间隔 -7 超出范围（1–3,653）", L"随访次数 50 超出范围（1–20）"}},
    };
    const int64_t today = days_from_civil(2026, 12, 9);
    for (const LimitRow& row : rows) {
        TestTool tool;
        make_tool(&tool, row.inputs);
        wchar_t report[1024];
        wchar_t verdict[64];
        report[0] = 0;
        verdict[0] = 0;
        const int32_t level =
            build_follow_up_report_for_day(tool.def, tool.values, today, report, 1024, verdict, 64);
        if (row.refused.size() == 0) {
            EXPECT_EQ(level, 0) << utf8(report);
        } else {
            EXPECT_EQ(std::wstring(report), lines(row.refused)) << utf8(*row.refused.begin());
            EXPECT_EQ(std::wstring(verdict), L"输入超出范围，请核对");
            EXPECT_EQ(level, 2);
        }
    }
}

TEST(Limits, HandoverBeds) {
    const LimitRow rows[] = {
        {{{"beds", 1}}, {}},
        {{{"beds", 30}}, {}},
        {{{"beds", 0}}, {L"交班床位数 0 超出范围（1–30）"}},
        {{{"beds", 31}}, {L"交班床位数 31 超出范围（1–30）"}},
        {{{"beds", 30.5}}, {L"交班床位数 须为整数（当前为 30.5）"}},
        {{{"beds", 12.7}}, {L"交班床位数 须为整数（当前为 12.7）"}},
        {{{"beds", -3}}, {L"交班床位数 -3 超出范围（1–30）"}},
    };
    expect_limits(9, rows);
}

// A lookup number with a fraction is refused, named by the tool's own label
// (its key when it has none), at level 2; the sheet is not written.
TEST(Limits, LookupNumbersMustBeWhole) {
    struct Fraction {
        int32_t kind;
        std::initializer_list<KeyValue> inputs;
        std::initializer_list<const wchar_t*> refused;
    };
    const Fraction cases[] = {
        // Fractions once truncated to a row: 2.9 read as 2, 0.99 as 0.
        {3,  {{"kind", 2.9}}, {L"kind 须为整数（当前为 2.9）"}},
        {3,  {{"kind", 6.99}}, {L"kind 须为整数（当前为 6.99）"}},
        {3,  {{"kind", -1.5}}, {L"kind 须为整数（当前为 -1.5）"}},
        {3,  {{"kind", 0.99}}, {L"kind 须为整数（当前为 0.99）"}},
        {4,  {{"kind", 2.5}}, {L"kind 须为整数（当前为 2.5）"}},
        {4,  {{"kind", 6.9}}, {L"kind 须为整数（当前为 6.9）"}},
        {5,  {{"kind", 1.5}}, {L"kind 须为整数（当前为 1.5）"}},
        {5,  {{"kind", 3.9}}, {L"kind 须为整数（当前为 3.9）"}},
        {5,  {{"kind", 0.9}}, {L"kind 须为整数（当前为 0.9）"}},
        {11, {{"panel", 5.5}}, {L"panel 须为整数（当前为 5.5）"}},
        {11, {{"panel", -1.25}}, {L"panel 须为整数（当前为 -1.25）"}},
        {6,  {{"drugA", 1.9}, {"drugB", 2.2}},
         {L"drugA 须为整数（当前为 1.9）", L"drugB 须为整数（当前为 2.2）"}},
        {6,  {{"drugA", 10.9}, {"drugB", 4}}, {L"drugA 须为整数（当前为 10.9）"}},
        {6,  {{"drugA", -1.9}, {"drugB", 1}}, {L"drugA 须为整数（当前为 -1.9）"}},
        {6,  {{"drugA", 1}, {"drugB", 2.5}}, {L"drugB 须为整数（当前为 2.5）"}},
        {9,  {{"beds", 1.9}}, {L"交班床位数 须为整数（当前为 1.9）"}},
    };
    for (const Fraction& c : cases) {
        TestTool tool;
        make_tool(&tool, c.inputs);
        ReportRun run = run_report(c.kind, tool);
        EXPECT_EQ(run.report, lines(c.refused)) << c.kind;
        EXPECT_EQ(run.verdict, L"输入超出范围，请核对");
        EXPECT_EQ(run.level, 2);
    }
    // The label shown beside the field names it.
    TestTool labelled;
    make_tool(&labelled, {{"drugA", 3.5}, {"drugB", 1}});
    labelled.inputs[0].label = L"药物一编号";
    EXPECT_EQ(run_report(6, labelled).report, lines({L"药物一编号 须为整数（当前为 3.5）"}));
}

// A number that names no row of a sheet: the sheet says so and lists the valid
// numbers, at level 1; no other row stands in for it.
TEST(Limits, LookupNumbersOutsideTheirTables) {
    struct Lookup {
        int32_t kind;
        const char* key;
        double value;
        const wchar_t* refused;  // null: a valid number
        const wchar_t* valid_numbers;
    };
    const wchar_t kDraw[] = L"检验项目编号须为 1–6：1 血常规，2 凝血，3 生化，4 血气，5 血培养，6 血糖/乳酸。";
    const wchar_t kCritical[] =
        L"危急值类别编号须为 1–6：1 电解质，2 血糖与血气，3 血常规，4 凝血，5 微生物与感染，6 心肌与胰腺。";
    const wchar_t kAlert[] =
        L"药品类别编号须为 1–4：1 高浓度电解质，2 胰岛素与口服降糖药，3 抗凝与化疗药，4 麻醉与肌松药。";
    const wchar_t kPanels[] =
        L"检验套餐编号须为 1–6：1 血常规，2 生化全套，3 凝血功能，4 甲状腺功能，5 心肌损伤标志物，6 尿常规。";
    const Lookup cases[] = {
        {3,  "kind",  1,  nullptr,                    kDraw},
        {3,  "kind",  6,  nullptr,                    kDraw},
        {3,  "kind",  0,  L"本次：0 号（无此编号）",  kDraw},
        {3,  "kind",  7,  L"本次：7 号（无此编号）",  kDraw},
        {4,  "kind",  6,  nullptr,                    kCritical},
        {4,  "kind",  7,  L"类别：7 号（无此编号）",  kCritical},
        {4,  "kind",  0,  L"类别：0 号（无此编号）",  kCritical},
        {5,  "kind",  4,  nullptr,                    kAlert},
        {5,  "kind",  5,  L"类别：5 号（无此编号）",  kAlert},
        {5,  "kind",  0,  L"类别：0 号（无此编号）",  kAlert},
        {11, "panel", 6,  nullptr,                    kPanels},
        {11, "panel", 7,  L"套餐：7 号（无此编号）",  kPanels},
        {11, "panel", -1, L"套餐：-1 号（无此编号）", kPanels},
    };
    for (const Lookup& c : cases) {
        TestTool tool;
        make_tool(&tool, {{c.key, c.value}});
        ReportRun run = run_report(c.kind, tool);
        const std::wstring refusal =
            c.refused != nullptr ? std::wstring(c.refused) + L"\r\n" + c.valid_numbers + L"\r\n" : L"";
        if (c.refused == nullptr) {
            EXPECT_EQ(run.level, 0) << c.kind << " " << c.value;
            EXPECT_EQ(run.report.find(L"无此编号"), std::wstring::npos);
        } else {
            EXPECT_NE(run.report.find(refusal), std::wstring::npos) << c.kind << " " << c.value;
            EXPECT_EQ(run.verdict, L"编号无效，请核对");
            EXPECT_EQ(run.level, 1);
        }
    }
}

}  // namespace
