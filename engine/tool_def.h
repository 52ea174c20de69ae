// Tool definition records: constant data that describes one clinical tool.
#pragma once

#include <cstdint>

// What an input field accepts besides a plain decimal number (with the input's
// unit after it). Stated by the tool, never guessed from the unit or the key.
enum class InputForm : int32_t {
    number,       // a plain decimal number only
    time_of_day,  // also a clock time "HH:MM" (0:00 to 23:59), read as hours: 22:30 is 22.5
};

struct ToolInput {
    const char* key;        // ASCII identifier used by formulas and reports; case-sensitive
    const wchar_t* label;   // shown beside the input field
    const wchar_t* unit;    // shown after the field; null or empty: none
    double default_value;   // the field's starting value and the self-test's input
    InputForm form = InputForm::number;  // left out by the tools that take numbers only
    // The field may be left empty: it is then read as NaN, "not given", and the
    // report prints a blank to write in by hand. Every other field must hold a
    // value.
    bool optional = false;
};

struct ToolOutput {
    const char* key;        // later formulas and rule conditions read the value by this key
    const wchar_t* label;   // start of the report line; never null
    const wchar_t* unit;    // null or empty: no unit
    const char* formula;    // formula-language text
    const char* format;     // format name for format_value; null means "f2"
};

struct ToolRule {
    const char* condition;  // formula-language text; "" always matches; never null
    int32_t level;          // level of the verdict when this rule decides
    const wchar_t* text;    // verdict text; never null
};

// At most this many inputs and outputs: callers hold input and output values in
// fixed arrays of this size.
constexpr int32_t kMaxToolInputs = 16;
constexpr int32_t kMaxToolOutputs = 16;

struct ToolDef {
    int32_t id;
    const wchar_t* name;
    const wchar_t* description;
    const wchar_t* category;
    const wchar_t* reference;
    const wchar_t* note;
    int32_t input_count;
    const ToolInput* inputs;
    int32_t output_count;
    const ToolOutput* outputs;
    int32_t rule_count;
    const ToolRule* rules;
    int32_t custom_report_kind;  // 0: formulas and rules; otherwise build_custom_report decides
    // The line that ends the printed page, for the hand that signs it; null:
    // the common 核对人/执行人/日期 line. Left out by the tools that use that one.
    const wchar_t* signature_line = nullptr;
};

// The number of inputs and outputs to read: input_count and output_count held to
// 0..kMaxToolInputs and 0..kMaxToolOutputs, so that a loop over them stays
// inside the fixed value arrays whatever the counts say.
constexpr int32_t clamped_input_count(const ToolDef& tool) {
    return tool.input_count < 0 ? 0
           : tool.input_count < kMaxToolInputs ? tool.input_count : kMaxToolInputs;
}
constexpr int32_t clamped_output_count(const ToolDef& tool) {
    return tool.output_count < 0 ? 0
           : tool.output_count < kMaxToolOutputs ? tool.output_count : kMaxToolOutputs;
}

// The tool this build carries. Defined by exactly one tool source file per program
// (the build chooses which); never modified or freed.
const ToolDef& get_tool_definition();
