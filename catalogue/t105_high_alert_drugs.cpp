// Tool 105, the program Kinetora-T105.exe: the high-alert drugs (custom report
// kind 5). Default: the concentrated electrolytes.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key    label        unit   default
    {"kind",  L"药品类别", L"号", 1.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，1–4（编号见说明）；小数不作查询，提示“输入超出范围”；其他编号显示“无此编号”，不列内容，提示核对编号",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    105,
    L"高警示药品",
    L"查看各类高警示药品及其存放、核对与使用要点",
    L"用药安全",
    L"《中国高警示药品推荐目录》（中国药学会医院药学专业委员会，2019 版）；ISMP 高警示药品目录",
    L"类别编号：1 高浓度电解质，2 胰岛素与口服降糖药，3 抗凝与化疗药，4 麻醉与肌松药。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    5,
};

}  // namespace

extern const CatalogueTool catalogue_tool_105;
const CatalogueTool catalogue_tool_105 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
