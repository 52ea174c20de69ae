#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/compute_tool.h"
#include "engine/wide_text.h"
#include "tests/support/guarded_buffer.h"

namespace {

struct Result {
    std::wstring report;
    std::wstring verdict;
    std::wstring detail;
    int32_t level;
    int32_t returned;
};

Result run(const ToolDef& tool, const double* inputs, int32_t report_cap = 4096,
           int32_t verdict_cap = 512, int32_t detail_cap = 8192) {
    GuardedBuffer report(report_cap), verdict(verdict_cap), detail(detail_cap);
    report.data()[0] = L'x';  // compute_tool must empty every buffer itself
    int32_t level = -99;
    int32_t returned = compute_tool(tool, inputs, report.data(), report_cap, verdict.data(),
                                    verdict_cap, &level, detail.data(), detail_cap);
    EXPECT_TRUE(report.sound());
    EXPECT_TRUE(verdict.sound());
    EXPECT_TRUE(detail.sound());
    return Result{report.data(), verdict.data(), detail.data(), level, returned};
}

TEST(ComputeTool, BuiltInToolAtKnownHalfLives) {
    struct Row {
        double t;
        const wchar_t* report;
        const wchar_t* verdict;
        int32_t level;
    };
    const Row rows[] = {
        {8, L"消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n",
         L"药代参数估算完成", 0},
        {30, L"消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n",
         L"半衰期较长，蓄积风险高，注意 loading 与监测", 1},
        {24, L"消除速率常数：0.029 1/h\r\n达稳态时间：120.0 h\r\n消除 90% 时间：79.7 h\r\n",
         L"药代参数估算完成", 0},
        {24.0001, L"消除速率常数：0.029 1/h\r\n达稳态时间：120.0 h\r\n消除 90% 时间：79.7 h\r\n",
         L"半衰期较长，蓄积风险高，注意 loading 与监测", 1},
        // No half-life at all: the outputs are void and the verdict says so.
        {0, L"消除速率常数：0.000 1/h\r\n达稳态时间：0.0 h\r\n消除 90% 时间：0.0 h\r\n"
            L"（部分结果无法计算，请检查输入是否合理）\r\n",
         L"半衰期须大于 0：结果无效，请检查输入", 2},
        {-0.0, L"消除速率常数：0.000 1/h\r\n达稳态时间：-0.0 h\r\n消除 90% 时间：-0.0 h\r\n"
            L"（部分结果无法计算，请检查输入是否合理）\r\n",
         L"半衰期须大于 0：结果无效，请检查输入", 2},
        {-5, L"消除速率常数：-0.139 1/h\r\n达稳态时间：-25.0 h\r\n消除 90% 时间：-16.6 h\r\n",
         L"半衰期须大于 0：结果无效，请检查输入", 2},
        {1e300, L"消除速率常数：6.93e-301 1/h\r\n达稳态时间：5.00000e+300 h\r\n消除 90% 时间：3.32000e+300 h\r\n",
         L"半衰期较长，蓄积风险高，注意 loading 与监测", 1},
    };
    for (const Row& row : rows) {
        Result r = run(get_tool_definition(), &row.t);
        EXPECT_EQ(r.report, row.report) << row.t;
        EXPECT_EQ(r.verdict, row.verdict) << row.t;
        EXPECT_EQ(r.level, row.level) << row.t;
        EXPECT_EQ(r.returned, row.level);
        EXPECT_EQ(r.detail, r.report);
    }
}

// A small tool whose outputs read each other and whose rules are under test.
const ToolInput kInputs[] = {{"a", L"甲", L"", 2.0}, {"b", L"乙", nullptr, 3.0}};
const ToolOutput kChainOutputs[] = {
    // key    label    unit     formula        format
    {"first", L"一",   L"",     "a + later",   "f0"},   // later output reads 0
    {"self",  L"二",   nullptr, "self + 1",    "f0"},   // its own slot reads 0
    {"later", L"三",   L"kg",   "first * 10",  nullptr},
    {"bad",   L"四",   L"",     "1/0",         "f1"},
    {"nan",   L"五",   L"",     "a - a + sqrt(0-1)", "pct"},
};

ToolDef chain_tool(const ToolRule* rules, int32_t rule_count) {
    return ToolDef{7, L"链", L"", L"测试", L"", L"", 2, kInputs, 5, kChainOutputs,
                   rule_count, rules, 0};
}

TEST(ComputeTool, OutputsSeeEarlierOutputsAndZeroForLaterOnes) {
    const ToolRule rules[] = {{"", 0, L"完成"}};
    ToolDef tool = chain_tool(rules, 1);
    const double inputs[] = {2, 3};
    Result r = run(tool, inputs);
    EXPECT_EQ(r.report,
              L"一：2\r\n二：1\r\n三：20.00 kg\r\n四：0.0\r\n五：0.0%\r\n"
              L"（部分结果无法计算，请检查输入是否合理）\r\n");
}

TEST(ComputeTool, RulesDecideInOrder) {
    struct Row {
        ToolRule rules[3];
        int32_t rule_count;
        const wchar_t* verdict;
        int32_t level;
    };
    const Row rows[] = {
        // the first matching rule decides; later ones are not consulted
        {{{"first > 1", 2, L"高"}, {"", 0, L"正常"}, {"", 3, L"不会"}}, 3, L"高", 2},
        // a failing condition does not match
        {{{"missing > 0", 3, L"坏"}, {"b == 3", 1, L"乙三"}, {"", 0, L"正常"}}, 3, L"乙三", 1},
        // reads output values computed by the outputs
        {{{"later == 20", 2, L"二十"}, {"", 0, L"正常"}}, 2, L"二十", 2},
        // nothing matches: fallback verdict, level 0
        {{{"a > 100", 3, L"大"}, {"1/0", 3, L"除零"}}, 2, L"请核对输入参数后重新计算", 0},
        // a matching rule with an empty text keeps its level but gets the fallback text
        {{{"a == 2", 2, L""}, {"", 0, L"正常"}}, 2, L"请核对输入参数后重新计算", 2},
        // no rules at all
        {{}, 0, L"请核对输入参数后重新计算", 0},
        // a NaN condition is "not 0" but fails at the end, so it does not match
        {{{"exp(1000) - exp(1000)", 3, L"NaN"}, {"", 1, L"兜底"}}, 2, L"兜底", 1},
    };
    const double inputs[] = {2, 3};
    for (const Row& row : rows) {
        ToolDef tool = chain_tool(row.rules, row.rule_count);
        Result r = run(tool, inputs);
        EXPECT_EQ(r.verdict, row.verdict);
        EXPECT_EQ(r.level, row.level);
        EXPECT_EQ(r.returned, row.level);
    }
}

TEST(ComputeTool, BufferCutsAtCapacity) {
    const double t = 8;
    const std::wstring full =
        L"消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n";
    const int32_t length = static_cast<int32_t>(full.size());
    const int32_t capacities[] = {1, 2, 10, length - 1, length, length + 1, length + 2};
    for (int32_t cap : capacities) {
        Result r = run(get_tool_definition(), &t, cap, 13, cap);
        std::wstring expected = full.substr(0, static_cast<size_t>(cap - 1));
        EXPECT_EQ(r.report, expected) << cap;
        EXPECT_EQ(r.detail, expected) << cap;
        EXPECT_EQ(r.verdict, L"药代参数估算完成");
    }
    // The detail buffer cuts the report to its own capacity.
    Result r = run(get_tool_definition(), &t, 4096, 512, 5);
    EXPECT_EQ(r.detail, full.substr(0, 4));
    // The fallback verdict fits a 13-unit verdict buffer whole; longer texts are cut.
    const ToolRule rules[] = {{"", 0, L"一二三四五六七八九十一二三四五"}};
    ToolDef tool = chain_tool(rules, 1);
    const double inputs[] = {2, 3};
    r = run(tool, inputs, 4096, 13);
    EXPECT_EQ(r.verdict, L"一二三四五六七八九十一二");
    const ToolRule none[] = {{"0", 0, L"x"}};
    tool = chain_tool(none, 1);
    r = run(tool, inputs, 4096, 13);
    EXPECT_EQ(r.verdict, L"请核对输入参数后重新计算");
}

TEST(ComputeTool, FullReportDropsThePartialFailureLine) {
    const ToolRule rules[] = {{"", 0, L"完成"}};
    ToolDef tool = chain_tool(rules, 1);
    const double inputs[] = {2, 3};
    // The five output lines take 37 units: a 38-unit report holds them and no more.
    Result r = run(tool, inputs, 38);
    EXPECT_EQ(r.report, L"一：2\r\n二：1\r\n三：20.00 kg\r\n四：0.0\r\n五：0.0%\r\n");
}

TEST(ComputeTool, LongLinesAreCutAtTheLineScratch) {
    std::wstring long_label(300, L'长');
    const ToolOutput outputs[] = {{"v", long_label.c_str(), L"", "1", "f0"}};
    const ToolDef tool = {1, L"", L"", L"", L"", L"", 0, nullptr, 1, outputs, 0, nullptr, 0};
    Result r = run(tool, nullptr);
    EXPECT_EQ(r.report, std::wstring(255, L'长'));
}

}  // namespace
