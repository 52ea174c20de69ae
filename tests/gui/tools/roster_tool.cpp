// Test tool: the nurse duty roster (custom kind 1), 40 nurses over 31 days by
// default: a report longer than the window's report buffer.
#include "engine/tool_def.h"

namespace {

const ToolInput kInputs[] = {
    // key       label    unit   default
    {"nurses",  L"护士",  L"人", 40.0},
    {"days",    L"天数",  L"天", 31.0},
};

const ToolDef kTool = {
    901, L"排班测试", L"排班表", L"测试", L"排班规则", L"仅供测试。",
    2, kInputs, 0, nullptr, 0, nullptr, 1,
};

}  // namespace

const ToolDef& get_tool_definition() { return kTool; }
