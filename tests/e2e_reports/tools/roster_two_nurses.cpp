// Roster test tool (kind 1): two nurses cannot cover a day and a night shift
// every day: refused at level 2.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kRosterInputs[] = {
    // key      label        unit   default
    {"nurses",  L"护士人数", L"人", 2.0},
    {"days",    L"排班天数", L"天", 7.0},
    {"start",   L"轮转起点", L"",   0.0},
};

const ToolDef kRoster = {
    104, L"护理排班", L"", L"护理管理", L"", L"",
    3, kRosterInputs, 0, nullptr, 0, nullptr, 1,
};

}  // namespace

const ToolDef& e2e_two_nurse_roster_tool() { return kRoster; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_two_nurse_roster_tool(); }
#endif
