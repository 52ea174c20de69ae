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
struct KindInputs {
    int32_t kind;
    KeyValue inputs[4];
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
    {10,     {{"bed", 12},    {"dose", 2.5},    {"volume", 250}, {"gtt", 40}}},
    {11,     {{"panel", 2},   {nullptr, 0},     {nullptr, 0},   {nullptr, 0}}},
};

void make_kind_tool(TestTool* tool, const KindInputs& kind) {
    make_tool(tool, {kind.inputs[0], kind.inputs[1], kind.inputs[2], kind.inputs[3]}, kind.kind);
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
            for (int32_t slot = -1; slot < 4; ++slot) {  // -1: every input at once
                if (slot >= 0 && kind.inputs[slot].key == nullptr) continue;
                KeyValue inputs[4];
                for (int32_t i = 0; i < 4; ++i) {
                    inputs[i] = kind.inputs[i];
                    if (slot == -1 || slot == i) inputs[i].value = hostile;
                }
                TestTool tool;
                make_tool(&tool, {inputs[0], inputs[1], inputs[2], inputs[3]}, kind.kind);
                ReportRun whole = run_report(kind.kind, tool);
                ASSERT_GE(whole.report.size(), 2u);
                EXPECT_EQ(whole.report.substr(whole.report.size() - 2), L"\r\n")
                    << "kind " << kind.kind << " value " << hostile;
                EXPECT_LE(whole.level, 3);
                EXPECT_GE(whole.level, 0);
                if (kind.kind != 6) EXPECT_EQ(whole.verdict, normal_verdict);
                // Whole lines go through the 512-unit scratch; the dosing
                // entries (line 1 of kind 2) are appended piece by piece.
                std::vector<std::wstring> report_lines = split_lines(whole.report);
                for (size_t i = 0; i < report_lines.size(); ++i) {
                    if (kind.kind == 2 && i == 1) continue;
                    EXPECT_LE(report_lines[i].size(), 511u) << "kind " << kind.kind;
                }
                ReportRun window = run_report(kind.kind, tool, kWindowReportCapacity);
                EXPECT_EQ(window.report, whole.report.substr(0, kWindowReportCapacity - 1));
                ReportRun tiny = run_report(kind.kind, tool, 40);
                EXPECT_EQ(tiny.report, whole.report.substr(0, 39));
            }
        }
    }
}

// Values far outside a report's limits are first saturated to int32 and then
// limited like any other value.
TEST(ReportInputs, SaturatedValuesMeetTheReportsOwnLimits) {
    struct Limit {
        int32_t kind;
        KeyValue input;
        int32_t line;
        const wchar_t* text;
    };
    const Limit cases[] = {
        // kind input             line  text
        {9,   {"beds", kInf},     30,   nullptr},
        {9,   {"beds", -kInf},    1,    nullptr},
        {9,   {"beds", kNaN},     1,    nullptr},
        {9,   {"beds", kTwo31},   30,   nullptr},
        {1,   {"nurses", -kTwo31}, 1,   L"人员：1 人；周期：1 天"},
        {1,   {"nurses", 1e308},  1,    L"人员：40 人；周期：1 天"},
        {7,   {"times", kInf},    0,    L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 20 次）："},
        {7,   {"gap", kInf},      0,    L"随访节点（以今天为基准，起始第 0 天，间隔 2147483647 天，共 1 次）："},
        {7,   {"gap", -kInf},     0,    L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）："},
        {7,   {"start", -kInf},   0,    L"随访节点（以今天为基准，起始第 -2147483648 天，间隔 7 天，共 1 次）："},
        {7,   {"start", kNaN},    0,    L"随访节点（以今天为基准，起始第 0 天，间隔 7 天，共 1 次）："},
        {3,   {"kind", kTwo31 + 2}, 9,  L"本次：其他项目，请按检验科项目手册执行。"},
        {11,  {"panel", -kInf},   0,    L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。"},
    };
    for (const Limit& c : cases) {
        TestTool tool;
        make_tool(&tool, {c.input});
        std::vector<std::wstring> got = split_lines(run_report(c.kind, tool).report);
        if (c.kind == 9) {
            EXPECT_EQ(got.size(), static_cast<size_t>(c.line + 3)) << c.input.value;
        } else {
            ASSERT_GT(got.size(), static_cast<size_t>(c.line));
            EXPECT_EQ(got[static_cast<size_t>(c.line)], c.text) << c.input.value;
        }
    }
}

// The follow-up dates at the ends of the whole-number range: start and gap near
// int32 limits stay exact in 64-bit day numbers.
TEST(ReportInputs, FollowUpDatesAtTheEndsOfTheRange) {
    const int64_t today = days_from_civil(2026, 12, 7);
    struct Extreme {
        double start;
        double gap;
        int64_t first_offset;
        int64_t step;
    };
    const Extreme cases[] = {
        {kInf,   kInf,  INT32_MAX, INT32_MAX},
        {-kInf,  kInf,  INT32_MIN, INT32_MAX},
        {1e308,  1,     INT32_MAX, 1},
        {-1e308, 1e308, INT32_MIN, INT32_MAX},
    };
    for (const Extreme& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"start", c.start}, {"gap", c.gap}, {"times", 20}});
        wchar_t report[4096];
        wchar_t verdict[64];
        report[0] = 0;
        build_follow_up_report_for_day(tool.def, tool.values, today, report, 4096, verdict, 64);
        std::vector<std::wstring> got = split_lines(report);
        ASSERT_EQ(got.size(), 22u);
        for (int32_t i = 1; i <= 20; ++i) {
            wchar_t date[32];
            civil_from_days(today + c.first_offset + (i - 1) * c.step, date, 32);
            wchar_t line[64];
            wtext_format(line, 64, L"第 %d 次：%ls", i, date);
            EXPECT_EQ(got[static_cast<size_t>(i)], line) << c.start << " " << c.gap;
        }
    }
}

// Any day number handed in as today, with the farthest start and gap.
TEST(ReportInputs, FollowUpForAnyDayNumber) {
    const int64_t days[] = {INT64_MAX, INT64_MIN, kMaxCalendarDays + 1, -kMaxCalendarDays - 1};
    TestTool tool;
    make_tool(&tool, {{"start", kInf}, {"gap", kInf}, {"times", 20}});
    TestTool back;
    make_tool(&back, {{"start", -kInf}, {"gap", kInf}, {"times", 20}});
    for (int64_t today : days) {
        for (const TestTool* t : {&tool, &back}) {
            GuardedBuffer report(kSelftestReportCapacity);
            GuardedBuffer verdict(kVerdictCapacity);
            report.data()[0] = 0;
            build_follow_up_report_for_day(t->def, t->values, today, report.data(),
                                           report.capacity, verdict.data(), verdict.capacity);
            EXPECT_TRUE(report.sound());
            EXPECT_EQ(split_lines(report.text()).size(), 22u) << today;
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
