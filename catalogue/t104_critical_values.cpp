// Tool 104, the program Kinetora-T104.exe: the critical values (custom report
// kind 4). Default: the electrolytes, the group with three lines.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key    label          unit   default
    {"kind",  L"危急值类别", L"号", 1.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，1–6（编号见说明）；小数不作查询，提示“输入超出范围”；其他编号显示“无此编号”，不列内容，提示核对编号",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    104,
    L"检验危急值",
    L"查看常见检验危急值的界限，以及危急值的报告与处置流程",
    L"护理安全",
    L"《医疗质量安全核心制度要点》（国家卫生健康委，2018）危急值报告制度；中国医院协会《患者安全目标》",
    L"类别编号：1 电解质，2 血糖与血气，3 血常规，4 凝血，5 微生物与感染，6 心肌与胰腺。所列界限仅供参考，以本院《危急值报告目录》为准。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    4,
};

}  // namespace

extern const CatalogueTool catalogue_tool_104;
const CatalogueTool catalogue_tool_104 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
