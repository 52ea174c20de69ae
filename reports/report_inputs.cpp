// Input lookup by key, shared by every report.
#include <cmath>
#include <cstring>

#include "../engine/checked.h"
#include "../engine/format_value.h"
#include "../engine/wide_text.h"
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

int32_t refuse_input(wchar_t* verdict, int32_t verdict_capacity) {
    wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
    return kOutOfRangeLevel;
}

namespace {

constexpr int32_t kLabelScratch = 64;
constexpr int32_t kValueScratch = 64;

// The input with this key, or null.
const ToolInput* find_input(const ToolDef& tool, const char* key) {
    if (tool.inputs == nullptr || key == nullptr) return nullptr;
    for (int32_t i = 0; i < clamped_input_count(tool); ++i) {
        const char* input_key = tool.inputs[i].key;
        if (input_key != nullptr && std::strcmp(input_key, key) == 0) return &tool.inputs[i];
    }
    return nullptr;
}

// The label a refusal names: the limit's own, else the input's label, else its
// key (ASCII, widened).
void refusal_label(const ToolDef& tool, const char* key, const wchar_t* label, wchar_t* out) {
    if (label != nullptr && label[0] != 0) {
        wtext_copy(out, kLabelScratch, label);
        return;
    }
    const ToolInput* input = find_input(tool, key);
    if (input != nullptr && input->label != nullptr && input->label[0] != 0) {
        wtext_copy(out, kLabelScratch, input->label);
        return;
    }
    int32_t at = 0;
    for (const char* p = key != nullptr ? key : ""; *p != 0 && at < kLabelScratch - 1; ++p) {
        out[at++] = static_cast<wchar_t>(static_cast<unsigned char>(*p));
    }
    out[at] = 0;
}

bool is_fraction(double value) { return std::isfinite(value) && value != std::trunc(value); }

void append_fraction_line(wchar_t* report, int32_t capacity, const wchar_t* label, double value) {
    wchar_t shown[kValueScratch];
    format_grouped_value(value, shown, kValueScratch);
    append_line(report, capacity, L"%ls 须为整数（当前为 %ls）", label, shown);
}

void append_range_line(wchar_t* report, int32_t capacity, const wchar_t* label, double value,
                       const wchar_t* range) {
    wchar_t shown[kValueScratch];
    format_grouped_value(value, shown, kValueScratch);
    append_line(report, capacity, L"%ls %ls 超出范围（%ls）", label, shown, range);
}

}  // namespace

bool read_whole_within(const ToolDef& tool, const double* input_values, const WholeLimit& limit,
                       int32_t* value, wchar_t* report, int32_t capacity) {
    double entered = 0.0;
    find_input_value(tool, input_values, limit.key, &entered);
    *value = whole_number_from_double(entered);
    // Judged on the value as entered: 2.5 nurses is not taken for 2, nor 40.5
    // for 40.
    const bool within = entered >= limit.low && entered <= limit.high;
    if (within && !is_fraction(entered)) return true;
    wchar_t label[kLabelScratch];
    refusal_label(tool, limit.key, limit.label, label);
    if (is_fraction(entered)) {
        append_fraction_line(report, capacity, label, entered);
    } else if (limit.below != nullptr && entered < limit.low) {
        append_text_line(report, capacity, limit.below);
    } else {
        wchar_t low[kValueScratch];
        wchar_t high[kValueScratch];
        format_grouped_value(limit.low, low, kValueScratch);
        format_grouped_value(limit.high, high, kValueScratch);
        wchar_t range[2 * kValueScratch];
        wtext_format(range, 2 * kValueScratch, L"%ls–%ls", low, high);
        append_range_line(report, capacity, label, entered, range);
    }
    return false;
}

bool read_number_within(const ToolDef& tool, const double* input_values, const NumberLimit& limit,
                        double* value, wchar_t* report, int32_t capacity) {
    *value = 0.0;
    find_input_value(tool, input_values, limit.key, value);
    const bool above = limit.above_low ? *value > limit.low : *value >= limit.low;
    if (above && *value <= limit.high) return true;  // false for NaN
    wchar_t label[kLabelScratch];
    refusal_label(tool, limit.key, limit.label, label);
    wchar_t low[kValueScratch];
    wchar_t high[kValueScratch];
    format_grouped_value(limit.low, low, kValueScratch);
    format_grouped_value(limit.high, high, kValueScratch);
    wchar_t range[2 * kValueScratch];
    wtext_format(range, 2 * kValueScratch, limit.above_low ? L"大于 %ls，至多 %ls" : L"%ls–%ls", low,
                 high);
    append_range_line(report, capacity, label, *value, range);
    return false;
}

bool read_lookup_number(const ToolDef& tool, const double* input_values, const char* key,
                        int32_t* value, wchar_t* report, int32_t capacity) {
    double entered = 0.0;
    find_input_value(tool, input_values, key, &entered);
    *value = whole_number_from_double(entered);
    if (!is_fraction(entered)) return true;
    wchar_t label[kLabelScratch];
    refusal_label(tool, key, nullptr, label);
    append_fraction_line(report, capacity, label, entered);
    return false;
}

bool is_not_given(const ToolDef& tool, const double* input_values, const char* key) {
    const ToolInput* input = find_input(tool, key);
    double entered = 0.0;
    return input != nullptr && input->optional && find_input_value(tool, input_values, key, &entered) &&
           std::isnan(entered);
}
