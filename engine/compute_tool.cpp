#include "compute_tool.h"

#include "custom_report.h"
#include "format_value.h"
#include "formula_language.h"
#include "wide_text.h"

namespace {

constexpr int32_t kValueTextCapacity = 128;
constexpr int32_t kLineCapacity = 256;

const wchar_t kPartialFailureLine[] = L"（部分结果无法计算，请检查输入是否合理）\r\n";
const wchar_t kFallbackVerdict[] = L"请核对输入参数后重新计算";

}  // namespace

int32_t compute_tool(const ToolDef& tool, const double* input_values, wchar_t* report,
                     int32_t report_capacity, wchar_t* verdict, int32_t verdict_capacity,
                     int32_t* level, wchar_t* detail, int32_t detail_capacity) {
    detail[0] = 0;
    verdict[0] = 0;
    report[0] = 0;
    *level = 0;

    if (tool.custom_report_kind != 0) {
        *level = build_custom_report(tool.custom_report_kind, tool, input_values, report,
                                     report_capacity, verdict, verdict_capacity);
        wtext_copy(detail, detail_capacity, report);
        return *level;
    }

    const int32_t output_count = clamped_output_count(tool);
    double output_values[kMaxToolOutputs] = {};
    bool any_failed = false;
    for (int32_t i = 0; i < output_count; ++i) {
        int32_t error_flag = 0;
        output_values[i] = evaluate_formula(tool, tool.outputs[i].formula, input_values,
                                            output_values, &error_flag);
        if (error_flag != 0) any_failed = true;
    }

    for (int32_t i = 0; i < output_count; ++i) {
        const ToolOutput& output = tool.outputs[i];
        wchar_t value_text[kValueTextCapacity];
        format_value(output.format, output_values[i], value_text, kValueTextCapacity);
        const wchar_t* label = output.label != nullptr ? output.label : L"";
        wchar_t line[kLineCapacity];
        if (output.unit != nullptr && output.unit[0] != 0) {
            wtext_format(line, kLineCapacity, L"%ls：%ls %ls\r\n", label, value_text, output.unit);
        } else {
            wtext_format(line, kLineCapacity, L"%ls：%ls\r\n", label, value_text);
        }
        wtext_append(report, report_capacity, line);
    }
    if (any_failed) wtext_append(report, report_capacity, kPartialFailureLine);

    for (int32_t i = 0; i < tool.rule_count; ++i) {
        const ToolRule& rule = tool.rules[i];
        bool matches = rule.condition == nullptr || rule.condition[0] == 0;
        if (!matches) {
            int32_t error_flag = 0;
            double value =
                evaluate_formula(tool, rule.condition, input_values, output_values, &error_flag);
            matches = error_flag == 0 && value != 0;
        }
        if (matches) {
            wtext_copy(verdict, verdict_capacity, rule.text != nullptr ? rule.text : L"");
            *level = rule.level;
            break;
        }
    }
    if (verdict[0] == 0) wtext_copy(verdict, verdict_capacity, kFallbackVerdict);

    wtext_copy(detail, detail_capacity, report);
    return *level;
}
