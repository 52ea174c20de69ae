#include "evaluate.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "../reports/custom_reports.h"
#include "checked.h"
#include "formula_language.h"
#include "platform.h"
#include "wide_text.h"

namespace {

constexpr int32_t kValueTextCapacity = 128;
constexpr int32_t kLineCapacity = 256;
constexpr int32_t kNumberScratch = 80;  // bytes of the narrow printf scratch

const wchar_t kPartialFailureLine[] = L"（部分结果无法计算，请检查输入是否合理）\r\n";
const wchar_t kFallbackVerdict[] = L"请核对输入参数后重新计算";

// Copies a text into a buffer (at most capacity units) and forces the last unit
// of the buffer to be a terminator.
void copy_and_terminate(wchar_t* buffer, int32_t capacity, const wchar_t* text) {
    wtext_copy(buffer, capacity, text);
    buffer[capacity - 1] = 0;
}

// Numeric format names and their printf forms; the exponent form is used when a
// fixed-point text would not fit the scratch.
struct NumberFormat {
    const char* name;
    const char* fixed;
    const char* exponent;
};

const NumberFormat kNumberFormats[] = {
    // name    fixed      exponent
    {"f0",     "%.0f",    "%.0e"},
    {"f1",     "%.1f",    "%.1e"},
    {"f3",     "%.3f",    "%.3e"},
    {"int",    "%.0f",    "%.0e"},
    {"pct",    "%.1f%%",  "%.1e%%"},
};
const NumberFormat kDefaultNumberFormat = {"f2", "%.2f", "%.2e"};

const NumberFormat& number_format_named(const char* name) {
    for (const NumberFormat& format : kNumberFormats) {
        if (std::strcmp(format.name, name) == 0) return format;
    }
    return kDefaultNumberFormat;
}

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
        copy_and_terminate(detail, detail_capacity, report);
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
            copy_and_terminate(verdict, verdict_capacity, rule.text != nullptr ? rule.text : L"");
            *level = rule.level;
            break;
        }
    }
    if (verdict[0] == 0) copy_and_terminate(verdict, verdict_capacity, kFallbackVerdict);

    copy_and_terminate(detail, detail_capacity, report);
    return *level;
}

void format_value(const char* format, double value, wchar_t* out, int32_t capacity) {
    if (capacity < 1) return;
    if (!std::isfinite(value)) {
        wtext_copy(out, capacity, L"--");
        out[capacity - 1] = 0;
        return;
    }
    const char* name = format != nullptr ? format : "f2";
    if (std::strcmp(name, "date") == 0) {
        civil_from_days(int64_from_double(value), out, capacity);
        return;
    }
    const NumberFormat& number_format = number_format_named(name);
    char scratch[kNumberScratch];
    if (ctext_format(scratch, kNumberScratch, number_format.fixed, value) < 0) {
        // Digits cut off would show a different number: say it in exponent form.
        ctext_format(scratch, kNumberScratch, number_format.exponent, value);
    }
    ansi_to_wide(scratch, out, capacity);
    out[capacity - 1] = 0;
}

int64_t days_from_civil(int32_t year, int32_t month, int32_t day) {
    // 64-bit throughout: identical to 32-bit arithmetic wherever that does not
    // overflow, and defined for every argument.
    int64_t y = month <= 2 ? static_cast<int64_t>(year) - 1 : year;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t shifted_month = month > 2 ? static_cast<int64_t>(month) - 3 : static_cast<int64_t>(month) + 9;
    int64_t doy = (153 * shifted_month + 2) / 5 + day - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate civil_date_from_days(int64_t days) {
    if (days > kMaxCalendarDays) days = kMaxCalendarDays;
    if (days < -kMaxCalendarDays) days = -kMaxCalendarDays;
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t day = doy - (153 * mp + 2) / 5 + 1;
    int64_t month = mp < 10 ? mp + 3 : mp - 9;
    int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return CivilDate{year, month, day};
}

int32_t civil_from_days(int64_t days, wchar_t* out, int32_t capacity) {
    CivilDate date = civil_date_from_days(days);
    return wtext_format(out, capacity, L"%04lld-%02lld-%02lld", static_cast<long long>(date.year),
                        static_cast<long long>(date.month), static_cast<long long>(date.day));
}
