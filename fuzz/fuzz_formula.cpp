// Formula text with random input and output values (NaN, infinities and
// +-1e308 among them). Properties: the flag is 0 or 1, a success is finite,
// a second evaluation gives the same value and flag (no hidden state), and a
// successful formula gives the same value wrapped in blanks and in parentheses
// (the latter unless it is long enough to reach the nesting limit).
//
// Input layout: 18 value selectors (14 inputs, 4 outputs), then the formula.
#include <cstdint>
#include <cstring>

#include "engine/formula_language.h"
#include "engine/tool_def.h"
#include "fuzz_support.h"

namespace {

const ToolInput kInputs[] = {
    // key       label  unit  default
    {"age",      L"",   L"",  0},
    {"sex",      L"",   L"",  0},
    {"weight",   L"",   L"",  0},
    {"height",   L"",   L"",  0},
    {"scr",      L"",   L"",  0},
    {"dose",     L"",   L"",  0},
    {"hr",       L"",   L"",  0},
    {"sbp",      L"",   L"",  0},
    {"dbp",      L"",   L"",  0},
    {"temp",     L"",   L"",  0},
    {"spo2",     L"",   L"",  0},
    {"_",        L"",   L"",  0},
    {"t",        L"",   L"",  0},
    {"x",        L"",   L"",  0},
};
const ToolOutput kOutputs[] = {
    // key       label  unit  formula  format
    {"ke",       L"",   L"",  "",      nullptr},
    {"steady",   L"",   L"",  "",      nullptr},
    {"t",        L"",   L"",  "",      nullptr},  // shadowed by the input "t"
    {"a63_aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", L"", L"", "", nullptr},
};
const ToolDef kTool = {1, L"", L"", L"", L"", L"", 14, kInputs, 4, kOutputs, 0, nullptr, 0};

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in = fuzz_bytes(data, size);
    double inputs[kMaxToolInputs];
    double outputs[kMaxToolOutputs] = {};
    for (int i = 0; i < 14; ++i) inputs[i] = take_value(&in);
    for (int i = 0; i < 4; ++i) outputs[i] = take_value(&in);
    std::vector<char> text = take_text(&in, fuzz_remaining(in));

    int32_t flag = -1;
    double value = evaluate_formula(kTool, text.data(), inputs, outputs, &flag);
    FUZZ_CHECK(flag == 0 || flag == 1);
    if (flag == 0) FUZZ_CHECK(std::isfinite(value));
    if (text[0] == 0) FUZZ_CHECK(flag == 1 && value == 0.0);

    int32_t again_flag = -1;
    double again = evaluate_formula(kTool, text.data(), inputs, outputs, &again_flag);
    FUZZ_CHECK(again_flag == flag);
    FUZZ_CHECK(same_bits(again, value) || (std::isnan(again) && std::isnan(value)));
    if (flag != 0) return 0;

    const size_t length = text.size() - 1;
    std::vector<char> wrapped(length + 3);
    wrapped[0] = '(';
    std::memcpy(wrapped.data() + 1, text.data(), length);
    wrapped[length + 1] = ')';
    wrapped[length + 2] = 0;
    int32_t wrapped_flag = -1;
    double wrapped_value = evaluate_formula(kTool, wrapped.data(), inputs, outputs, &wrapped_flag);
    if (length < static_cast<size_t>(kMaxFormulaNesting) - 10) {
        FUZZ_CHECK(wrapped_flag == 0);
        FUZZ_CHECK(same_bits(wrapped_value, value));
    }
    wrapped[0] = ' ';
    wrapped[length + 1] = '\t';
    int32_t blank_flag = -1;
    double blank_value = evaluate_formula(kTool, wrapped.data(), inputs, outputs, &blank_flag);
    FUZZ_CHECK(blank_flag == 0);
    FUZZ_CHECK(same_bits(blank_value, value));
    return 0;
}
