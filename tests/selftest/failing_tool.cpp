// Test tool: output formulas that fail with the defaults, so the self-test
// exits with code 2. One output reads another, which the self-test sees as 0.
#include "engine/tool_def.h"

namespace {

const ToolInput kInputs[] = {
    // key  label    unit   default
    {"t",   L"时间", L"h",  0.0},
};

const ToolOutput kOutputs[] = {
    // key     label     unit     formula        format
    {"inv",   L"倒数",   L"1/h",  "1/t",         "f3"},
    {"big",   L"溢出",   nullptr, "exp(1000)",   "f1"},
    {"next",  L"后继",   L"",     "inv + 2",     "f0"},
};

const ToolRule kRules[] = {
    // condition  level  text
    {"t<1",       3,     L"输入过小"},
};

const ToolDef kTool = {
    7, L"失败测试", L"", L"测试", L"", L"",
    1, kInputs,
    3, kOutputs,
    1, kRules,
    0,
};

}  // namespace

const ToolDef& get_tool_definition() { return kTool; }
