#include "e2e_tools.h"

namespace {

const ToolInput kDrugInputs[] = {
    // key      label     unit  default
    {"drugA",   L"药物A", L"号", 2.0},
    {"drugB",   L"药物B", L"号", 1.0},
};

const ToolInput kSmallRosterInputs[] = {
    // key      label     unit   default
    {"nurses",  L"人数",  L"人", 3.0},
    {"days",    L"天数",  L"天", 3.0},
};

const ToolInput kFullRosterInputs[] = {
    // key      label     unit   default
    {"nurses",  L"人数",  L"人", 40.0},
    {"days",    L"天数",  L"天", 31.0},
};

const ToolInput kHighAlertInputs[] = {
    // key      label     unit  default
    {"kind",    L"类别",  L"",  1.0},
};

const ToolInput kDosingInputs[] = {
    // key        label       unit    default
    {"start",     L"首剂时间", L"时",  6.0},
    {"interval",  L"间隔",     L"小时", 10.0},
    {"times",     L"次数",     L"次",  3.0},
};

// A formula tool's parts that a custom report must ignore.
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
const ToolDef kSmallRoster = {
    101, L"护理排班", L"三班轮转排班", L"护理管理", L"", L"",
    2, kSmallRosterInputs, 0, nullptr, 0, nullptr, 1,
};
const ToolDef kFullRoster = {
    102, L"护理排班", L"三班轮转排班", L"护理管理", L"", L"",
    2, kFullRosterInputs, 0, nullptr, 0, nullptr, 1,
};
const ToolDef kPlaceholder = {
    120, L"未知报告", L"", L"测试", L"", L"",
    0, nullptr, 0, nullptr, 0, nullptr, 12,
};
const ToolDef kHighAlert = {
    105, L"高警示药品", L"", L"用药安全", L"", L"",
    1, kHighAlertInputs, 0, nullptr, 0, nullptr, 5,
};
const ToolDef kDosing = {
    202, L"给药时间表", L"", L"临床药理", L"", L"",
    3, kDosingInputs, 0, nullptr, 0, nullptr, 2,
};

}  // namespace

const ToolDef& e2e_compatibility_tool() { return kCompatibility; }
const ToolDef& e2e_small_roster_tool() { return kSmallRoster; }
const ToolDef& e2e_full_roster_tool() { return kFullRoster; }
const ToolDef& e2e_placeholder_tool() { return kPlaceholder; }
const ToolDef& e2e_high_alert_tool() { return kHighAlert; }
const ToolDef& e2e_dosing_tool() { return kDosing; }
