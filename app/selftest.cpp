#include "selftest.h"

#include <cstdio>

#include "../engine/tool_result.h"
#include "../engine/format_value.h"
#include "../engine/formula_language.h"
#include "../engine/platform.h"
#include "../engine/wide_text.h"

namespace {

constexpr int32_t kValueCapacity = 128;
constexpr int32_t kOutLineCapacity = 512;
constexpr int32_t kLevelLineCapacity = 256;
constexpr int32_t kErrorsLineCapacity = 128;

}  // namespace

void append_flattened_report(wchar_t* text, int32_t capacity, const wchar_t* report) {
    if (capacity < 1) return;
    int32_t length = wtext_length(text);
    int32_t taken = 0;
    const wchar_t* p = report;
    for (; *p != 0 && taken < kSelftestDetailUnits; ++p) {
        if (*p == L'\r') continue;
        if (length >= capacity - 1) break;
        text[length++] = *p == L'\n' ? L' ' : *p;
        ++taken;
    }
    text[length] = 0;
    while (*p == L'\r' || *p == L'\n') ++p;  // a final line end is no lost content
    if (*p != 0) {  // the rest did not fit: say so, as the report's last line would
        wtext_append(text, capacity, L" ");
        wtext_append(text, capacity, kCutMarkerLine);
    }
}

int32_t build_selftest_text(const ToolDef& tool, wchar_t* text, int32_t capacity) {
    if (capacity < 1) return 0;
    double input_values[kMaxToolInputs] = {};
    for (int32_t i = 0; i < clamped_input_count(tool); ++i) {
        input_values[i] = tool.inputs[i].default_value;
    }

    // Self-test working storage is large; keep it off the stack of small threads.
    // The level, verdict and report are the record's; the DETAIL line keeps
    // the report as this file has always given it, a failed output with the
    // value its formula returned (write_evaluated_report).
    static ToolResult result;
    static wchar_t report[kReportCapacity];
    evaluate_tool(tool, input_values, &result);
    write_evaluated_report(tool, result, report, kReportCapacity);
    text[0] = 0;

    wtext_format(text, capacity, L"TOOL|%d|%ls|%ls\r\n", tool.id, tool.name, tool.category);
    wchar_t line[kOutLineCapacity];
    wtext_format(line, kLevelLineCapacity, L"LEVEL|%d\r\n", result.level);
    wtext_append(text, capacity, line);

    int32_t error_count = 0;
    if (tool.custom_report_kind != 0) {
        wtext_append(text, capacity, L"OUT|报告文本|见 DETAIL|\r\n");
    } else {
        for (int32_t i = 0; i < clamped_output_count(tool); ++i) {
            const ToolOutput& output = tool.outputs[i];
            // Each output on its own: every other output reads 0.
            double output_values[kMaxToolOutputs] = {};
            int32_t error_flag = 0;
            double value = evaluate_formula(tool, output.formula, input_values, output_values,
                                            &error_flag);
            if (error_flag != 0) ++error_count;
            wchar_t value_text[kValueCapacity];
            format_value(output.format, value, value_text, kValueCapacity);
            wtext_format(line, kOutLineCapacity, L"OUT|%ls|%ls|%ls\r\n", output.label, value_text,
                         output.unit != nullptr ? output.unit : L"");
            wtext_append(text, capacity, line);
        }
    }

    wtext_append(text, capacity, L"VERDICT|");
    wtext_append(text, capacity, result.verdict);
    wtext_append(text, capacity, L"\r\n");
    wtext_append(text, capacity, L"DETAIL|");
    append_flattened_report(text, capacity, report);
    wtext_append(text, capacity, L"\r\n");
    wtext_format(line, kErrorsLineCapacity, L"ERRORS|%d\r\n", error_count);
    wtext_append(text, capacity, line);
    return error_count != 0 ? kSelftestFormulaFailed : kSelftestPassed;
}

bool write_utf8_file(const wchar_t* path, const wchar_t* text) {
    std::FILE* file = open_file_wide(path, "wb");
    if (file == nullptr) return false;
    static char bytes[kSelftestUtf8Capacity];
    int32_t count = utf8_from_wide(text, bytes, kSelftestUtf8Capacity - 1);
    bool whole = count > 0;
    if (whole) {
        size_t size = static_cast<size_t>(count - 1);
        whole = std::fwrite(bytes, 1, size, file) == size;
    }
    bool closed = std::fclose(file) == 0;
    return whole && closed;
}

int32_t run_selftest(const wchar_t* path) {
    static wchar_t text[kSelftestTextCapacity];
    int32_t exit_code = build_selftest_text(get_tool_definition(), text, kSelftestTextCapacity);
    if (!write_utf8_file(path, text)) return kSelftestNotWritten;
    return exit_code;
}
