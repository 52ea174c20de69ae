// Tool 102, the program Kinetora-T102.exe: the dosing timetable (custom report
// kind 2). Defaults: every 8 hours from 08:00, six doses over three days.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key        label        unit     default
    {"start",     L"首剂时间", L"时",   8.0, InputForm::time_of_day},
    {"interval",  L"给药间隔", L"小时", 8.0},
    {"times",     L"给药次数", L"次",   6.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"从第 1 天 0 时起的小时数，0–720（30 天），可带小数（7.5 即 07:30），也可写成时刻（22:30）；超出时不排表，提示“输入超出范围”",
    L"小时数，大于 0、至多 720（30 天）；超出时不排表，提示“输入超出范围”",
    L"整数，1–30；小数或超出时不排表，提示“输入超出范围”",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    102,
    L"给药时间表",
    L"由首剂时间、给药间隔和次数排出每次给药的日期与时刻",
    L"临床用药",
    L"第 k 次给药时刻 = 首剂时间 + (k − 1) × 间隔；满 24 小时计入下一天；间隔按医嘱与药品说明书",
    L"间隔须遵医嘱，并结合药物半衰期与肝肾功能调整；夜间给药的时刻请在交接班时重点核对。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    2,
};

}  // namespace

extern const CatalogueTool catalogue_tool_102;
const CatalogueTool catalogue_tool_102 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
