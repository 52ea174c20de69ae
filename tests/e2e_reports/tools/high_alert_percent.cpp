// High-alert drugs test tool (kind 5): group 1 with its percent signs.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include "e2e_tools.h"

namespace {

const ToolInput kHighAlertInputs[] = {
    // key      label     unit  default
    {"kind",    L"类别",  L"",  1.0},
};

const ToolDef kHighAlert = {
    105, L"高警示药品", L"", L"用药安全", L"", L"",
    1, kHighAlertInputs, 0, nullptr, 0, nullptr, 5,
};

}  // namespace

const ToolDef& e2e_high_alert_tool() { return kHighAlert; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_high_alert_tool(); }
#endif
