// Tool 107, the program Kinetora-T107.exe: the follow-up plan (custom report
// kind 7). Defaults: a week after today, then every two weeks, four visits.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key     label        unit     default
    {"start",  L"首次随访", L"天后", 7.0},
    {"gap",    L"随访间隔", L"天",   14.0},
    {"times",  L"随访次数", L"次",   4.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数天数，0（今天）起，至多到今天起 10 年；早于今天或超出时不排计划，提示“输入超出范围”",
    L"整数，至少 1 天，至多 10 年；末次随访须在今天起 10 年内；小数或超出时不排计划，提示“输入超出范围”",
    L"整数，1–20；小数或超出时不排计划，提示“输入超出范围”",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    107,
    L"随访计划",
    L"以今天为起点，按间隔天数排出各次随访的日期",
    L"延续护理",
    L"第 n 次随访日期 = 今天 + 首次随访天数 + (n − 1) × 间隔天数；间隔与内容遵医嘱及本院出院随访制度",
    L"日期按本机当天的日期计算；遇节假日请与患者另行约定，并按计划短信或电话提醒。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    7,
};

}  // namespace

extern const CatalogueTool catalogue_tool_107;
const CatalogueTool catalogue_tool_107 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
