// Tool 109, the program Kinetora-T109.exe: the handover template (custom report
// kind 9). Default: five beds.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key    label          unit   default
    {"beds",  L"交班床位数", L"床", 5.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，1–30；小数或超出时不出模板，提示“输入超出范围”",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    109,
    L"交班报告模板",
    L"按床位数生成逐床填写的交班报告模板",
    L"护理管理",
    L"逐床交接：姓名与住院号两种标识核对身份，不以床号识别（中国医院协会《患者安全目标》）；诊断、本班病情（含生命体征）、治疗与管路、需下一班关注",
    L"危重、新入院、手术、输血及病情变化的患者须床旁交接，交接双方签名。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    9,
};

}  // namespace

extern const CatalogueTool catalogue_tool_109;
const CatalogueTool catalogue_tool_109 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
