// Infusion card test tool (kind 10): an extra bed left empty (the bed input
// optional, its value NaN), a dose with thousands separators, a volume with a
// decimal, an unusual giving set and a drop rate with one zero too many: the
// card with a blank bed and two lines to check, at level 1.
// Self-contained, so it can be a program's tool through the
// KINETORA_TOOL_SOURCE cache variable; the host tests compile
// every such tool together with KINETORA_E2E_ALL_TOOLS defined and reach them
// by name.
#include <limits>

#include "e2e_tools.h"

namespace {

const ToolInput kCardInputs[] = {
    // key      label       unit       default
    {"bed",     L"床号",     L"床",     std::numeric_limits<double>::quiet_NaN(), InputForm::number, true},
    {"dose",    L"医嘱药量", L"单位",   4800000.0},
    {"volume",  L"溶媒量",   L"ml",     12.5},
    {"gtt",     L"滴速",     L"滴/分",  400.0},
    {"drip",    L"滴系数",   L"滴/ml",  18.0},
};

const ToolDef kCard = {
    210, L"静脉输液卡", L"", L"输液安全", L"", L"",
    5, kCardInputs, 0, nullptr, 0, nullptr, 10,
};

}  // namespace

const ToolDef& e2e_card_flags_tool() { return kCard; }

#ifndef KINETORA_E2E_ALL_TOOLS
const ToolDef& get_tool_definition() { return e2e_card_flags_tool(); }
#endif
