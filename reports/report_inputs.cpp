// Input lookup by key, shared by every report.
#include <cmath>
#include <cstring>

#include "../engine/checked.h"
#include "../engine/format_value.h"
#include "custom_reports.h"

bool find_input_value(const ToolDef& tool, const double* input_values, const char* key,
                      double* value) {
    if (tool.inputs == nullptr || input_values == nullptr || key == nullptr) return false;
    for (int32_t i = 0; i < clamped_input_count(tool); ++i) {
        const char* input_key = tool.inputs[i].key;
        if (input_key != nullptr && std::strcmp(input_key, key) == 0) {
            *value = input_values[i];
            return true;
        }
    }
    return false;
}

int32_t find_whole_input(const ToolDef& tool, const double* input_values, const char* key) {
    double value = 0.0;
    find_input_value(tool, input_values, key, &value);
    return whole_number_from_double(value);
}

const wchar_t kOutOfRangeVerdict[] = L"输入超出范围，请核对";

bool read_whole_within(const ToolDef& tool, const double* input_values, const WholeLimit& limit,
                       int32_t* value, wchar_t* report, int32_t capacity) {
    double entered = 0.0;
    find_input_value(tool, input_values, limit.key, &entered);
    *value = whole_number_from_double(entered);
    // Judged on the value as entered, so that 40.5 nurses is not taken for 40.
    if (entered >= limit.low && entered <= limit.high) return true;
    wchar_t shown[64];
    format_exact_value(entered, shown, 64);
    append_line(report, capacity, L"%ls %ls 超出范围（%d–%d）", limit.label, shown, limit.low,
                limit.high);
    return false;
}

bool read_positive(const ToolDef& tool, const double* input_values, const char* key,
                   const wchar_t* label, double* value, wchar_t* report, int32_t capacity) {
    *value = 0.0;
    find_input_value(tool, input_values, key, value);
    if (std::isfinite(*value) && *value > 0.0) return true;
    append_line(report, capacity, L"%ls 须大于 0", label);
    return false;
}
