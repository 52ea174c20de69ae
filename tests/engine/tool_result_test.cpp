// The record of one calculation: what every surface of the window reads.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/format_value.h"
#include "engine/tool_result.h"

namespace {

ToolResult result;  // large: static storage

}  // namespace

// A failed output reads "--" in the record's report, never the value its
// formula returned; compute_tool and the self-test's report keep that value.
TEST(ToolResult, FailedOutputsShowDashesInTheRecordOnly) {
    struct Row {
        double t;
        const wchar_t* report;     // the record's
        const wchar_t* evaluated;  // write_evaluated_report
        const wchar_t* verdict_line;
    };
    const Row rows[] = {
        {0, L"消除速率常数：-- 1/h\r\n达稳态时间：0.0 h\r\n消除 90% 时间：0.0 h\r\n"
            L"（部分结果无法计算，请检查输入是否合理）\r\n",
         L"消除速率常数：0.000 1/h\r\n达稳态时间：0.0 h\r\n消除 90% 时间：0.0 h\r\n"
         L"（部分结果无法计算，请检查输入是否合理）\r\n",
         L"【警示】半衰期须大于 0：结果无效，请检查输入"},
        {30, L"消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n",
         L"消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n",
         L"【注意】半衰期较长，蓄积风险高，注意 loading 与监测"},
        {8, L"消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n",
         L"消除速率常数：0.087 1/h\r\n达稳态时间：40.0 h\r\n消除 90% 时间：26.6 h\r\n",
         L"【正常】药代参数估算完成"},
    };
    for (const Row& row : rows) {
        evaluate_tool(get_tool_definition(), &row.t, &result);
        EXPECT_TRUE(result_is_current(result));
        EXPECT_EQ(result.input_count, 1);
        EXPECT_EQ(result.inputs[0], row.t);
        EXPECT_EQ(std::wstring(result.report), row.report) << row.t;
        static wchar_t evaluated[kReportCapacity];
        write_evaluated_report(get_tool_definition(), result, evaluated, kReportCapacity);
        EXPECT_EQ(std::wstring(evaluated), row.evaluated) << row.t;
        wchar_t line[kVerdictLineCapacity];
        build_verdict_line(result, line, kVerdictLineCapacity);
        EXPECT_EQ(std::wstring(line), row.verdict_line) << row.t;
    }
    // Only a current record shows its level; stale and none show level 0.
    evaluate_tool(get_tool_definition(), &rows[0].t, &result);
    EXPECT_EQ(shown_level(result), 2);
    result.state = ResultState::stale;
    EXPECT_FALSE(result_is_current(result));
    EXPECT_EQ(shown_level(result), 0);
}

// Inputs as every surface shows them: as typed, an empty optional one as the
// surface's blank, a unit after a blank only when there is one.
TEST(ToolResult, InputsText) {
    const ToolInput inputs[] = {
        {"n", L"护士人数", L"人", 12.0},
        {"d", L"排班天数", L"天", 30.0},
        {"w", L"体重", L"", 0.0},
        {"c", L"浓度", nullptr, 0.0},
    };
    ToolDef tool{};
    tool.name = L"测试";
    tool.inputs = inputs;
    tool.input_count = 4;
    tool.custom_report_kind = 0;
    struct Row {
        double values[4];
        const wchar_t* page;
        const wchar_t* clipboard;
    };
    const double empty = std::nan("");
    const Row rows[] = {
        {{12, 30, 62.5, 1234567},
         L"护士人数：12 人\r\n排班天数：30 天\r\n体重：62.5\r\n浓度：1234567",
         L"护士人数 12 人；排班天数 30 天；体重 62.5；浓度 1234567"},
        {{0.1, 1e-7, empty, -0.0},
         L"护士人数：0.1 人\r\n排班天数：1e-07 天\r\n体重：＿＿＿＿\r\n浓度：-0",
         L"护士人数 0.1 人；排班天数 1e-07 天；体重 ＿＿＿＿；浓度 -0"},
    };
    for (const Row& row : rows) {
        evaluate_tool(tool, row.values, &result);
        wchar_t text[256];
        build_inputs_text(tool, result, L"：", L"\r\n", text, 256);
        EXPECT_EQ(std::wstring(text), row.page);
        build_inputs_text(tool, result, L" ", L"；", text, 256);
        EXPECT_EQ(std::wstring(text), row.clipboard);
    }
    // The record's blank for an empty input is no text at all.
    wchar_t value[kInputValueCapacity];
    format_input_value(empty, L"", value, kInputValueCapacity);
    EXPECT_EQ(std::wstring(value), L"");
    // A tool without inputs has no inputs text.
    tool.input_count = 0;
    evaluate_tool(tool, nullptr, &result);
    wchar_t text[16] = L"x";
    build_inputs_text(tool, result, L"：", L"\r\n", text, 16);
    EXPECT_EQ(std::wstring(text), L"");
}

TEST(FormatErrorCode, DecimalForSystemErrorsHexForResultCodes) {
    struct Row {
        uint32_t error;
        const wchar_t* text;
    };
    const Row rows[] = {
        {5, L"5"}, {0xFFFFu, L"65535"}, {0x10000u, L"0x00010000"},
        {0x80070005u, L"0x80070005"}, {0xFFFFFFFFu, L"0xFFFFFFFF"},
    };
    for (const Row& row : rows) {
        wchar_t code[16];
        format_error_code(row.error, code, 16);
        EXPECT_EQ(std::wstring(code), row.text) << row.error;
    }
}
