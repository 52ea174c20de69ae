// The texts the window commands show.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "window/command_text.h"
#include "engine/compute_tool.h"
#include "engine/wide_text.h"

namespace {

const ToolInput kThreeInputs[] = {
    {"a", L"体重", L"kg", 60.0},
    {"b", L"剂量", L"", 0.5},
    {"c", L"浓度", nullptr, 1234567.0},
};

// A tool with three inputs, no description and no note.
const ToolDef kPlainTool = {
    7, L"测试工具", nullptr, L"测试", L"公式 A", nullptr, 3, kThreeInputs, 0, nullptr, 0, nullptr, 0,
};

ToolDef custom_tool() {
    ToolDef tool = get_tool_definition();
    tool.custom_report_kind = 6;
    return tool;
}

std::wstring repeat(wchar_t unit, int count) { return std::wstring(static_cast<size_t>(count), unit); }

}  // namespace

TEST(CommandText, HeaderAndLabelTexts) {
    wchar_t text[kReferenceCapacity];
    build_subtitle(get_tool_definition(), text, kSubtitleCapacity);
    EXPECT_EQ(std::wstring(text), L"临床药理  ·  由半衰期估算消除、蓄积与达稳态");
    build_subtitle(kPlainTool, text, kSubtitleCapacity);
    EXPECT_EQ(std::wstring(text), L"测试  ·  ");

    build_reference_text(get_tool_definition(), text, kReferenceCapacity);
    EXPECT_EQ(std::wstring(text), L"参考依据：ke=0.693/t1/2；约 5 个半衰期达稳态，3.3 个半衰期消除 90%（《药理学》药物代谢动力学章，人民卫生出版社）");

    // Long texts are cut at their capacities.
    const std::wstring long_text = repeat(L'长', 600);
    ToolDef tool = kPlainTool;
    tool.category = long_text.c_str();
    tool.reference = long_text.c_str();
    build_subtitle(tool, text, kSubtitleCapacity);
    EXPECT_EQ(wtext_length(text), 255);
    build_reference_text(tool, text, kReferenceCapacity);
    EXPECT_EQ(wtext_length(text), 511);
    EXPECT_EQ(std::wstring(text, 5), L"参考依据：");
}

TEST(CommandText, InputErrorMessageNumbersFromOne) {
    wchar_t text[kInputErrorCapacity];
    build_input_error_message(get_tool_definition(), 0, text, kInputErrorCapacity);
    EXPECT_EQ(std::wstring(text), L"第 1 项“半衰期”请输入数字。");
    build_input_error_message(kPlainTool, 2, text, kInputErrorCapacity);
    EXPECT_EQ(std::wstring(text), L"第 3 项“浓度”请输入数字。");
}

TEST(CommandText, SummaryOfAFormulaTool) {
    const double t = 30;
    wchar_t report[kReportCapacity];
    wchar_t verdict[kVerdictCapacity];
    wchar_t detail[kReportCapacity];
    int32_t level = 0;
    compute_tool(get_tool_definition(), &t, report, kReportCapacity, verdict, kVerdictCapacity,
                 &level, detail, kReportCapacity);
    static wchar_t summary[kSummaryCapacity];
    build_summary(get_tool_definition(), report, verdict, summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary),
              L"消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n"
              L"—— 半衰期较长，蓄积风险高，注意 loading 与监测");

    // The longest report and the longest verdict both stay whole.
    const std::wstring longest_report = repeat(L'x', kReportCapacity - 1);
    const std::wstring longest_verdict = repeat(L'结', kVerdictCapacity - 1);
    build_summary(get_tool_definition(), longest_report.c_str(), longest_verdict.c_str(), summary,
                  kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), longest_report + L"—— " + longest_verdict);
}

TEST(CommandText, SummaryOfACustomReportToolIsTheWholeReport) {
    const ToolDef tool = custom_tool();
    static wchar_t summary[kSummaryCapacity];
    build_summary(tool, L"第一行\r\n第二行\r\n", L"禁忌", summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), L"第一行\r\n第二行\r\n");
    std::wstring long_report;
    while (long_report.size() < static_cast<size_t>(kReportCapacity) - 6) {
        long_report += L"护士排班\r\n";  // to 8190 units
    }
    build_summary(tool, long_report.c_str(), L"禁忌", summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), long_report);
}

TEST(CommandText, StatusTexts) {
    wchar_t text[kStatusCapacity];
    build_calculate_status(get_tool_definition(), text, kStatusCapacity);
    EXPECT_EQ(std::wstring(text), L"计算完成  Kinetora");
    const std::wstring long_name = repeat(L'名', 300);
    ToolDef tool = kPlainTool;
    tool.name = long_name.c_str();
    build_calculate_status(tool, text, kStatusCapacity);
    EXPECT_EQ(std::wstring(text), L"计算完成  " + repeat(L'名', 249));

    EXPECT_EQ(std::wstring(kReadyStatus), L"就绪：填写参数后按 F5 或点击“计算”");
    EXPECT_EQ(std::wstring(kCopiedStatus), L"结果已复制到剪贴板");
    EXPECT_EQ(std::wstring(kResetStatus), L"已恢复默认值");
    EXPECT_EQ(std::wstring(kVerdictHint), L"填写左侧参数，点击“计算”");
}

TEST(CommandText, AboutTextHasNineLines) {
    wchar_t text[kAboutCapacity];
    build_about_text(get_tool_definition(), text, kAboutCapacity);
    const std::wstring expected = std::wstring(L"Kinetora\r\n") + L"\r\n" + L"分类：临床药理\r\n" +
                                  L"参考依据：ke=0.693/t1/2；约 5 个半衰期达稳态，3.3 个半衰期消除 90%（《药理学》药物代谢动力学章，人民卫生出版社）\r\n" +
                                  L"\r\n" +
                                  L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n" +
                                  L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n" + L"\r\n" +
                                  L"版本 V1.0    官网：" + kPublisherHost;
    EXPECT_EQ(std::wstring(text), expected);

    // A reference longer than the box: the text is cut at 1399 units.
    const std::wstring long_reference = repeat(L'据', 2000);
    ToolDef tool = kPlainTool;
    tool.reference = long_reference.c_str();
    build_about_text(tool, text, kAboutCapacity);
    EXPECT_EQ(wtext_length(text), kAboutCapacity - 1);
}

// The clipboard: the name, the inputs the result was computed with, then the
// summary; whole in its block, however long the report.
TEST(CommandText, ClipboardTextCarriesTheInputs) {
    static ToolResult result;
    const double t = 30;
    const std::wstring report_30 =
        L"消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n";
    const std::wstring verdict_30 = L"半衰期较长，蓄积风险高，注意 loading 与监测";
    ToolDef no_inputs = custom_tool();
    no_inputs.input_count = 0;
    ToolDef plain = kPlainTool;
    struct Row {
        const ToolDef* tool;
        const double* values;
        const wchar_t* report;  // null: as evaluated
        std::wstring expected;
    };
    const double plain_values[] = {62.5, std::nan(""), 1234567};
    const std::wstring longest(static_cast<size_t>(kReportCapacity - 1), L'x');
    const Row rows[] = {
        {&get_tool_definition(), &t, nullptr,
         L"Kinetora\r\n半衰期 30 h\r\n" + report_30 + L"—— " + verdict_30},
        {&plain, plain_values, L"报告\r\n",
         L"测试工具\r\n体重 62.5 kg；剂量 ＿＿＿＿；浓度 1234567\r\n报告\r\n—— 结论"},
        {&no_inputs, &t, L"第一行\r\n", L"Kinetora\r\n第一行\r\n"},
        {&plain, plain_values, longest.c_str(),
         L"测试工具\r\n体重 62.5 kg；剂量 ＿＿＿＿；浓度 1234567\r\n" + longest + L"—— 结论"},
    };
    for (const Row& row : rows) {
        evaluate_tool(*row.tool, row.values, &result);
        if (row.report != nullptr) {
            wtext_copy(result.report, kReportCapacity, row.report);
            wtext_copy(result.verdict, kVerdictCapacity, L"结论");
        }
        const int32_t bytes = clipboard_block_bytes(*row.tool, result);
        EXPECT_EQ(bytes, static_cast<int32_t>(row.expected.size()) * 2 + 32);
        std::wstring block(static_cast<size_t>(bytes / 2), L'#');
        build_clipboard_text(*row.tool, result, &block[0], bytes / 2);
        EXPECT_EQ(std::wstring(block.c_str()), row.expected);
    }
}

// Texts a tool leaves out (null) and an input number outside the tool's inputs
// (never read past them) give empty places, not a crash.
TEST(CommandText, AbsentTextsAreEmpty) {
    const ToolInput unlabelled[] = {{"a", nullptr, L"kg", 1.0}};
    ToolDef tool = kPlainTool;
    tool.category = nullptr;
    tool.reference = nullptr;
    tool.inputs = unlabelled;
    tool.input_count = 1;
    struct Row {
        const char* what;
        std::wstring got;
        std::wstring expected;
    };
    auto text_of = [](auto build) {
        wchar_t text[kAboutCapacity];
        build(text);
        return std::wstring(text);
    };
    const Row rows[] = {
        {"subtitle", text_of([&](wchar_t* t) { build_subtitle(tool, t, kSubtitleCapacity); }),
         L"  ·  "},
        {"reference",
         text_of([&](wchar_t* t) { build_reference_text(tool, t, kReferenceCapacity); }),
         L"参考依据："},
        {"input without label",
         text_of([&](wchar_t* t) { build_input_error_message(tool, 0, t, kInputErrorCapacity); }),
         L"第 1 项“”请输入数字。"},
        {"input before the first",
         text_of([&](wchar_t* t) { build_input_error_message(tool, -1, t, kInputErrorCapacity); }),
         L"第 0 项“”请输入数字。"},
        {"input after the last",
         text_of([&](wchar_t* t) { build_input_error_message(tool, 1, t, kInputErrorCapacity); }),
         L"第 2 项“”请输入数字。"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.expected) << row.what;
    const std::wstring about =
        text_of([&](wchar_t* t) { build_about_text(tool, t, kAboutCapacity); });
    EXPECT_NE(about.find(L"\r\n分类：\r\n参考依据：\r\n"), std::wstring::npos) << "about";
}
