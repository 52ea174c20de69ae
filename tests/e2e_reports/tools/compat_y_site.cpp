// Drug compatibility test tool (kind 6): vancomycin (3) with furosemide (4),
// incompatible at the Y-site: level 2.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kDrugInputs[] = {
    // key      label     unit  default
    {"drugA",   L"药物A", L"号", 3.0},
    {"drugB",   L"药物B", L"号", 4.0},
};

const ToolDef kCompatibility = {
    604, L"配伍禁忌查询", L"", L"输液安全", L"", L"",
    2, kDrugInputs, 0, nullptr, 0, nullptr, 6,
};

}  // namespace

const ToolDef& e2e_y_site_tool() { return kCompatibility; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_y_site_tool(); }
#endif
