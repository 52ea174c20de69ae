// Reading of the input fields and the texts the window commands show.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/command_text.h"
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

TEST(InputReading, FieldTexts) {
    const double inf = HUGE_VAL;
    const double nan = std::nan("");
    struct Row {
        std::wstring text;
        double value;
        bool finite;
    };
    const Row rows[] = {
        // blanks and the emptiness test
        {L"", 0, true},
        {L"   ", 0, true},
        {L" 12", 12, true},
        {L"\t5", 5, true},       // a tab is not blank, but the conversion skips it
        {L"\t\t", 0, true},
        {L" \t \n7", 7, true},
        // the numeric prefix; the rest is ignored
        {L"12abc", 12, true},
        {L"12 h", 12, true},
        {L"abc", 0, true},
        {L"1,5", 1, true},
        {L"-3.25e1", -32.5, true},
        {L".5", 0.5, true},
        {L"5.", 5, true},
        {L".", 0, true},
        {L"+-5", 0, true},
        {L"1e", 1, true},
        {L"1e+", 1, true},
        {L"2E-3x", 0.002, true},
        {L"0x1A", 26, true},
        {L"-0x1.8p1", -3, true},
        {L"0x", 0, true},
        {L"0xg", 0, true},
        {L"in", 0, true},
        {L"1e-999", 0, true},
        {L"0.1", 0.1, true},
        {L"123456789012345678901234567890", 1.2345678901234568e29, true},
        // not a finite number: the input error
        {L"inf", inf, false},
        {L"-INF", -inf, false},
        {L"Infinity", inf, false},
        {L"infinite", inf, false},
        {L" +inf", inf, false},
        {L"nan", nan, false},
        {L"NaN(12)", nan, false},
        {L"1e999", inf, false},
        {L"-1e999", -inf, false},
        {L"0x1p99999", inf, false},
        // full-width forms typed in full-width mode
        {L"１２．５", 12.5, true},
        {L"\x3000１２", 12, true},
        {L"\x3000\x3000", 0, true},
        {L"－３", -3, true},
        {L"＋７", 7, true},
        {L"１ｅ３", 1000, true},
        {L"２Ｅ２", 200, true},
        {L"１ｅ９９９", inf, false},
        {L"１２ｈ", 12, true},
        {L"ｉｎｆ", 0, true},    // only the listed forms are mapped
    };
    for (const Row& row : rows) {
        double value = -1;
        EXPECT_EQ(read_input_value(row.text.c_str(), &value), row.finite) << row.text.size();
        if (std::isnan(row.value)) {
            EXPECT_TRUE(std::isnan(value));
        } else {
            EXPECT_EQ(value, row.value) << row.value;
        }
    }
}

TEST(InputReading, OnlyTheFirst127UnitsCount) {
    double value = 0;
    // 126 blanks and "12": the field holds the "1" only.
    EXPECT_TRUE(read_input_value((repeat(L' ', 126) + L"12").c_str(), &value));
    EXPECT_EQ(value, 1);
    // 127 blanks and a number beyond them: an empty field.
    EXPECT_TRUE(read_input_value((repeat(L' ', 127) + L"5").c_str(), &value));
    EXPECT_EQ(value, 0);
    // A numeric prefix as long as the field itself.
    EXPECT_TRUE(read_input_value((L"1" + repeat(L'0', 130)).c_str(), &value));
    EXPECT_EQ(value, 1e126);
    // A field of 127 "9"s converts whole; beyond the double range it is an error.
    EXPECT_TRUE(read_input_value(repeat(L'9', 127).c_str(), &value));
    EXPECT_EQ(value, 1e127);
    EXPECT_FALSE(read_input_value((L"1e" + repeat(L'9', 125)).c_str(), &value));
}

TEST(InputReading, FullWidthMapping) {
    wchar_t text[] = L"０１２３４５６７８９＋－．Ｅｅ\x3000ｈ，Ａ";
    map_full_width_forms(text);
    EXPECT_EQ(std::wstring(text), L"0123456789+-.Ee ｈ，Ａ");
}

TEST(InputReading, ConversionSkipsClassicWhiteSpaceOnly) {
    EXPECT_EQ(convert_number_prefix(L"\t\n\v\f\r 42"), 42);
    EXPECT_EQ(convert_number_prefix(L"\x00A0" L"42"), 0);  // no-break space is no white space
    EXPECT_EQ(convert_number_prefix(L"\x3000" L"42"), 0);  // mapped before, not here
}

TEST(CommandText, DefaultValuesInShortestForm) {
    struct Row {
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        {8, L"8"}, {0.5, L"0.5"}, {1234567, L"1.23457e+06"}, {-0.0001, L"-0.0001"},
        {0.00001, L"1e-05"}, {0, L"0"}, {123456, L"123456"},
    };
    for (const Row& row : rows) {
        wchar_t text[kDefaultTextCapacity];
        format_default_value(row.value, text, kDefaultTextCapacity);
        EXPECT_EQ(std::wstring(text), row.text);
    }
}

TEST(CommandText, HeaderAndLabelTexts) {
    wchar_t text[kReferenceCapacity];
    build_subtitle(get_tool_definition(), text, kSubtitleCapacity);
    EXPECT_EQ(std::wstring(text), L"临床药理  ·  由半衰期估算消除、蓄积与达稳态");
    build_subtitle(kPlainTool, text, kSubtitleCapacity);
    EXPECT_EQ(std::wstring(text), L"测试  ·  ");

    build_reference_text(get_tool_definition(), text, kReferenceCapacity);
    EXPECT_EQ(std::wstring(text), L"参考依据：ke=0.693/t1/2；约 5 个半衰期达稳态，3.3 个半衰期消除 90%");

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
    wchar_t detail[kDetailCapacity];
    int32_t level = 0;
    compute_tool(get_tool_definition(), &t, report, kReportCapacity, verdict, kVerdictCapacity,
                 &level, detail, kDetailCapacity);
    wchar_t summary[kSummaryCapacity];
    build_summary(get_tool_definition(), report, verdict, summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary),
              L"消除速率常数：0.023 1/h\r\n达稳态时间：150.0 h\r\n消除 90% 时间：99.6 h\r\n"
              L"—— 半衰期较长，蓄积风险高，注意 loading 与监测");

    // A report that fills the summary leaves no room for the verdict.
    const std::wstring long_report = repeat(L'x', 1100);
    build_summary(get_tool_definition(), long_report.c_str(), L"结论", summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), repeat(L'x', 1023));
    const std::wstring near_full = repeat(L'x', 1019);
    build_summary(get_tool_definition(), near_full.c_str(), L"结论", summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), near_full + L"—— 结");
}

TEST(CommandText, SummaryOfACustomReportToolIsTheReportCutAt1023) {
    const ToolDef tool = custom_tool();
    wchar_t summary[kSummaryCapacity];
    build_summary(tool, L"第一行\r\n第二行\r\n", L"禁忌", summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), L"第一行\r\n第二行\r\n");
    std::wstring long_report;
    for (int i = 0; i < 200; ++i) long_report += L"护士排班\r\n";  // 1200 units
    build_summary(tool, long_report.c_str(), L"禁忌", summary, kSummaryCapacity);
    EXPECT_EQ(std::wstring(summary), long_report.substr(0, 1023));
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
                                  L"参考依据：ke=0.693/t1/2；约 5 个半衰期达稳态，3.3 个半衰期消除 90%\r\n" +
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

TEST(CommandText, ClipboardTextFitsItsBlock) {
    for (int32_t length : {0, 1, 100, 1023}) {
        const std::wstring summary = repeat(L'摘', length);
        const int32_t bytes = clipboard_block_bytes(get_tool_definition(), summary.c_str());
        EXPECT_EQ(bytes, (length + 8) * 2 + 32);
        std::wstring block(static_cast<size_t>(bytes / 2), L'#');
        build_clipboard_text(get_tool_definition(), summary.c_str(), &block[0], bytes / 2);
        EXPECT_EQ(std::wstring(block.c_str()), L"Kinetora\r\n" + summary) << length;
    }
}
