// Follow-up plan test tool (kind 7): a first visit 30 days ago: refused at
// level 2, no date in the past printed as a plan.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kFollowUpInputs[] = {
    // key     label        unit     default
    {"start",  L"首次随访", L"天后", -30.0},
    {"gap",    L"随访间隔", L"天",   14.0},
    {"times",  L"随访次数", L"次",   4.0},
};

const ToolDef kFollowUp = {
    701, L"随访计划", L"", L"延续护理", L"", L"",
    3, kFollowUpInputs, 0, nullptr, 0, nullptr, 7,
};

}  // namespace

const ToolDef& e2e_past_follow_up_tool() { return kFollowUp; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_past_follow_up_tool(); }
#endif
