// Test tool naming report kind 12, which does not exist.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolDef kPlaceholder = {
    120, L"未知报告", L"", L"测试", L"", L"",
    0, nullptr, 0, nullptr, 0, nullptr, 12,
};

}  // namespace

const ToolDef& e2e_placeholder_tool() { return kPlaceholder; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_placeholder_tool(); }
#endif
