// Tool 103, the program Kinetora-T103.exe: the blood-draw order (custom report
// kind 3). Default: a coagulation test, whose tube must be filled to the line.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key    label            unit   default
    {"kind",  L"检验项目编号", L"号", 2.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，1–6（编号见说明）；小数不作查询，提示“输入超出范围”；其他编号显示“无此编号”，不列内容，提示核对编号",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    103,
    L"采血顺序",
    L"列出多管采血的标准顺序，并给出本次检验项目的采血要点",
    L"检验标本",
    L"CLSI GP41 采血顺序：血培养瓶 → 凝血管 → 血清管 → 肝素管 → EDTA 管 → 氟化钠管；血培养见 WS/T 503—2017",
    L"检验项目编号：1 血常规，2 凝血，3 生化，4 血气，5 血培养，6 血糖/乳酸。采血顺序错误或采血量不足会影响结果，具体以本院检验科要求为准。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    3,
};

}  // namespace

extern const CatalogueTool catalogue_tool_103;
const CatalogueTool catalogue_tool_103 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
