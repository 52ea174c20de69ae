#include "tool_result.h"

#include <cmath>

#include "custom_report.h"
#include "format_value.h"
#include "formula_language.h"
#include "wide_text.h"

namespace {

constexpr int32_t kValueTextCapacity = 128;
constexpr int32_t kLineCapacity = 256;

const wchar_t kPartialFailureLine[] = L"（部分结果无法计算，请检查输入是否合理）\r\n";
const wchar_t kFallbackVerdict[] = L"请核对输入参数后重新计算";
const wchar_t kFailedValue[] = L"--";

}  // namespace

void evaluate_outputs(const ToolDef& tool, const double* input_values, double* values,
                      bool* failed) {
    for (int32_t i = 0; i < kMaxToolOutputs; ++i) {
        values[i] = 0;
        failed[i] = false;
    }
    const int32_t output_count = clamped_output_count(tool);
    for (int32_t i = 0; i < output_count; ++i) {
        int32_t error_flag = 0;
        values[i] = evaluate_formula(tool, tool.outputs[i].formula, input_values, values,
                                     &error_flag);
        failed[i] = error_flag != 0;
    }
}

void write_output_report(const ToolDef& tool, const double* values, const bool* failed,
                         FailedOutputText failed_text, wchar_t* report, int32_t capacity) {
    report[0] = 0;
    const int32_t output_count = clamped_output_count(tool);
    bool any_failed = false;
    for (int32_t i = 0; i < output_count; ++i) {
        const ToolOutput& output = tool.outputs[i];
        wchar_t value_text[kValueTextCapacity];
        if (failed[i] && failed_text == FailedOutputText::dashes) {
            wtext_copy(value_text, kValueTextCapacity, kFailedValue);
        } else {
            format_value(output.format, values[i], value_text, kValueTextCapacity);
        }
        any_failed = any_failed || failed[i];
        const wchar_t* label = output.label != nullptr ? output.label : L"";
        wchar_t line[kLineCapacity];
        if (output.unit != nullptr && output.unit[0] != 0) {
            wtext_format(line, kLineCapacity, L"%ls：%ls %ls\r\n", label, value_text, output.unit);
        } else {
            wtext_format(line, kLineCapacity, L"%ls：%ls\r\n", label, value_text);
        }
        wtext_append(report, capacity, line);
    }
    if (any_failed) wtext_append(report, capacity, kPartialFailureLine);
}

int32_t decide_verdict(const ToolDef& tool, const double* input_values, const double* values,
                       wchar_t* verdict, int32_t capacity) {
    verdict[0] = 0;
    int32_t level = 0;
    for (int32_t i = 0; i < tool.rule_count; ++i) {
        const ToolRule& rule = tool.rules[i];
        bool matches = rule.condition == nullptr || rule.condition[0] == 0;
        if (!matches) {
            int32_t error_flag = 0;
            double value = evaluate_formula(tool, rule.condition, input_values, values, &error_flag);
            matches = error_flag == 0 && value != 0;
        }
        if (matches) {
            wtext_copy(verdict, capacity, rule.text != nullptr ? rule.text : L"");
            level = rule.level;
            break;
        }
    }
    if (verdict[0] == 0) wtext_copy(verdict, capacity, kFallbackVerdict);
    return level;
}

void evaluate_tool(const ToolDef& tool, const double* input_values, ToolResult* result) {
    result->state = ResultState::current;
    result->input_count = clamped_input_count(tool);
    for (int32_t i = 0; i < kMaxToolInputs; ++i) {
        result->inputs[i] = i < result->input_count ? input_values[i] : 0;
    }
    if (tool.custom_report_kind != 0) {
        result->output_count = 0;
        for (int32_t i = 0; i < kMaxToolOutputs; ++i) {
            result->output_values[i] = 0;
            result->output_failed[i] = false;
        }
        result->level = build_custom_report(tool.custom_report_kind, tool, input_values,
                                            result->report, kReportCapacity, result->verdict,
                                            kVerdictCapacity);
        build_custom_report_grid(tool.custom_report_kind, tool, input_values, result->grid,
                                 kGridCapacity);
    } else {
        result->grid[0] = 0;
        result->output_count = clamped_output_count(tool);
        evaluate_outputs(tool, input_values, result->output_values, result->output_failed);
        write_output_report(tool, result->output_values, result->output_failed,
                            FailedOutputText::dashes, result->report, kReportCapacity);
        result->level = decide_verdict(tool, input_values, result->output_values,
                                       result->verdict, kVerdictCapacity);
    }
    // Whatever had to be cut says so, on every surface that shows the report.
    mark_cut_text(result->report, kReportCapacity);
}

bool result_is_current(const ToolResult& result) { return result.state == ResultState::current; }

int32_t shown_level(const ToolResult& result) {
    return result_is_current(result) ? result.level : 0;
}

void write_evaluated_report(const ToolDef& tool, const ToolResult& result, wchar_t* report,
                            int32_t capacity) {
    if (capacity < 1) return;
    if (tool.custom_report_kind != 0) {
        wtext_copy(report, capacity, result.report);
    } else {
        write_output_report(tool, result.output_values, result.output_failed,
                            FailedOutputText::as_evaluated, report, capacity);
    }
    mark_cut_text(report, capacity);
}

const wchar_t* level_words(int32_t level) {
    switch (level) {
        case 1: return L"【注意】";
        case 2: return L"【警示】";
        case 3: return L"【危急】";
        default: return L"【正常】";
    }
}

void build_verdict_line(const ToolResult& result, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"%ls%ls", level_words(result.level), result.verdict);
}

void format_input_value(double value, const wchar_t* empty, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    if (std::isnan(value)) {
        wtext_copy(out, capacity, empty != nullptr ? empty : L"");
        return;
    }
    format_exact_value(value, out, capacity);
}

void build_inputs_text(const ToolDef& tool, const ToolResult& result, const wchar_t* separator,
                       const wchar_t* joiner, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    out[0] = 0;
    const int32_t count = clamped_input_count(tool) < result.input_count ? clamped_input_count(tool)
                                                                         : result.input_count;
    for (int32_t i = 0; i < count; ++i) {
        const ToolInput& input = tool.inputs[i];
        wchar_t value[kInputValueCapacity];
        format_input_value(result.inputs[i], kEmptyInputBlank, value, kInputValueCapacity);
        if (i > 0) wtext_append(out, capacity, joiner);
        wtext_append(out, capacity, input.label != nullptr ? input.label : L"");
        wtext_append(out, capacity, separator);
        wtext_append(out, capacity, value);
        if (input.unit != nullptr && input.unit[0] != 0) {
            wtext_append(out, capacity, L" ");
            wtext_append(out, capacity, input.unit);
        }
    }
}
