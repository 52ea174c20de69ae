// Test tool: the drug compatibility report (custom kind 6). Its defaults, drug
// 1 with drug 2, are a contraindicated pair: level 3.
#include "engine/tool_def.h"

namespace {

const ToolInput kInputs[] = {
    // key      label     unit  default
    {"drugA",  L"药物A",  L"",  1.0},
    {"drugB",  L"药物B",  L"",  2.0},
};

const ToolDef kTool = {
    906, L"配伍测试", L"两药同瓶配伍", L"测试", L"配伍表", L"仅供测试。",
    2, kInputs, 0, nullptr, 0, nullptr, 6,
};

}  // namespace

const ToolDef& get_tool_definition() { return kTool; }
