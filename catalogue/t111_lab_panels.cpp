// Tool 111, the program Kinetora-T111.exe: the laboratory panels (custom report
// kind 11). Default: the chemistry panel.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key     label            unit   default
    {"panel",  L"检验套餐编号", L"号", 2.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，1–6（编号见说明）；小数不作查询，提示“输入超出范围”；其他编号显示“无此编号”，不列内容，提示核对编号",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    111,
    L"检验套餐",
    L"查看常用检验套餐包含的项目、所用采血管与注意事项",
    L"检验标本",
    L"常用检验套餐与采血管颜色对照（CLSI GP41 采血管与采血顺序）；以本院检验科项目手册为准",
    L"套餐编号：1 血常规，2 生化全套，3 凝血功能，4 甲状腺功能，5 心肌损伤标志物，6 尿常规。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    11,
};

}  // namespace

extern const CatalogueTool catalogue_tool_111;
const CatalogueTool catalogue_tool_111 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
