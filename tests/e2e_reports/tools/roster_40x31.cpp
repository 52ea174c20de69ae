// Roster test tool (kind 1): the longest roster, 40 nurses over 31 days.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kFullRosterInputs[] = {
    // key      label     unit   default
    {"nurses",  L"人数",  L"人", 40.0},
    {"days",    L"天数",  L"天", 31.0},
};

const ToolDef kFullRoster = {
    102, L"护理排班", L"三班轮转排班", L"护理管理", L"", L"",
    2, kFullRosterInputs, 0, nullptr, 0, nullptr, 1,
};

}  // namespace

const ToolDef& e2e_full_roster_tool() { return kFullRoster; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_full_roster_tool(); }
#endif
