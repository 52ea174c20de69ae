// Drug compatibility test tool (kind 6): drugs 2 and 1, level 3.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kDrugInputs[] = {
    // key      label     unit  default
    {"drugA",   L"药物A", L"号", 2.0},
    {"drugB",   L"药物B", L"号", 1.0},
};

// A formula tool's parts that the custom report must ignore.
const ToolOutput kIgnoredOutputs[] = {
    // key  label        unit  formula  format
    {"x",   L"不应出现", L"",  "1/0",   "f2"},
};

const ToolRule kIgnoredRules[] = {
    // condition  level  text
    {"",          1,     L"不应采用"},
};

const ToolDef kCompatibility = {
    601, L"配伍禁忌查询", L"两种药物能否同瓶输注", L"输液安全", L"", L"",
    2, kDrugInputs, 1, kIgnoredOutputs, 1, kIgnoredRules, 6,
};

}  // namespace

const ToolDef& e2e_compatibility_tool() { return kCompatibility; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_compatibility_tool(); }
#endif
