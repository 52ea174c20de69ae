// Tool 30, the program Kinetora.exe: elimination half-life pharmacokinetics.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key  label      unit   default
    {"t",   L"半衰期", L"h",  8.0},
};

const ToolOutput kOutputs[] = {
    // key       label              unit     formula    format
    {"ke",      L"消除速率常数",    L"1/h",  "0.693/t", "f3"},
    {"steady",  L"达稳态时间",      L"h",    "5*t",     "f1"},
    {"t90",     L"消除 90% 时间",   L"h",    "3.32*t",  "f1"},
};

// The manual's words for each input.
const wchar_t* const kLimits[] = {
    L"小时数，应大于 0（为 0 或负数时结果无效，并有提示）；超过 24 h 提示蓄积风险",
};
static_assert(sizeof kLimits / sizeof kLimits[0] == sizeof kInputs / sizeof kInputs[0],
              "one limits text per input");

// A half-life of 0 or below (also what an empty or unreadable field gives)
// makes every output meaningless: that is said first, above the other verdicts.
const ToolRule kRules[] = {
    // condition  level  text
    {"t<=0",      2,     L"半衰期须大于 0：结果无效，请检查输入"},
    {"t>24",      1,     L"半衰期较长，蓄积风险高，注意 loading 与监测"},
    {"",          0,     L"药代参数估算完成"},
};

const ToolDef kTool = {
    30,
    L"Kinetora",
    L"由半衰期估算消除、蓄积与达稳态",
    L"临床药理",
    L"ke=0.693/t1/2；约 5 个半衰期达稳态，3.3 个半衰期消除 90%（《药理学》药物代谢动力学章，人民卫生出版社）",
    L"肝肾功能不全、心衰患者半衰期延长，需延长给药间隔。",
    1, kInputs,
    3, kOutputs,
    3, kRules,
    0,
};

}  // namespace

extern const CatalogueTool catalogue_tool_30;
const CatalogueTool catalogue_tool_30 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
