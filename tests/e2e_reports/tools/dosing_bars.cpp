// Dosing timetable test tool (kind 2): three doses, one a line.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kDosingInputs[] = {
    // key        label       unit    default
    {"start",     L"首剂时间", L"时",  6.0},
    {"interval",  L"间隔",     L"小时", 10.0},
    {"times",     L"次数",     L"次",  3.0},
};

const ToolDef kDosing = {
    202, L"给药时间表", L"", L"临床药理", L"", L"",
    3, kDosingInputs, 0, nullptr, 0, nullptr, 2,
};

}  // namespace

const ToolDef& e2e_dosing_tool() { return kDosing; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_dosing_tool(); }
#endif
