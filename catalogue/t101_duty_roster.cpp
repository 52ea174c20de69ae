// Tool 101, the program Kinetora-T101.exe: the nurse duty roster (custom report
// kind 1). Defaults: three nurses over a week from rotation start 0, so every
// shift of every day has one nurse, as the roster's rule line says.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key      label        unit   default
    {"nurses",  L"护士人数", L"人", 3.0},
    {"days",    L"排班天数", L"天", 7.0},
    {"start",   L"轮转起点", L"",   0.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，3–40；少于 3 人时不排班（三班轮转每日需白班、夜班各 1 人），小数或超出时不排班，提示“输入超出范围”",
    L"整数，1–31；小数或超出时不排班，提示“输入超出范围”",
    L"整数，0、1 或 2；填上一周期表末的“下一周期轮转起点”，可接续上一周期（夜班后不排白班）；其他值不排班",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    101,
    L"护理排班表",
    L"按白班、夜班、休息三班轮转，排出每位护士每天的班次",
    L"护理管理",
    L"三班正向轮转：白班 D → 夜班 N → 休息 R，夜班后休息；每日各班人数按表末统计（NIOSH 护士轮班与长工时培训，2015）",
    L"排班表为自动轮转的初稿：请按科室实际人数、能级、休假及连续夜班的要求调整后执行。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    1,
};

}  // namespace

extern const CatalogueTool catalogue_tool_101;
const CatalogueTool catalogue_tool_101 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
