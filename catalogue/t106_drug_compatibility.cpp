// Tool 106, the program Kinetora-T106.exe: the drug compatibility check (custom report
// kind 6). Defaults: ceftriaxone with calcium gluconate, a contraindicated pair
// (level 3).
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key     label          unit   default
    {"drugA",  L"药物一编号", L"号", 1.0},
    {"drugB",  L"药物二编号", L"号", 2.0},
};

// Numbers outside 1 to 10 name no drug: the report shows "（无此编号）" in place
// of a name and does not judge the pair.
const wchar_t kDrugLimits[] = L"整数，1–10（编号见说明）；其他编号显示“无此编号”，不作判断，提示核对编号；两个编号相同时提示核对";

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    kDrugLimits,
    kDrugLimits,
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    106,
    L"配伍禁忌查询",
    L"查询两种常用注射药物能否同瓶输注，并按风险分级提示",
    L"输液安全",
    L"各药品说明书及国家药监部门安全警示；多巴胺与碳酸氢钠：Am J Hosp Pharm 1975；以本院配伍表为准",
    L"药物编号：1 头孢曲松，2 葡萄糖酸钙，3 万古霉素，4 呋塞米，5 氨溴索，6 奥美拉唑，7 维生素C，8 胰岛素，9 碳酸氢钠，10 多巴胺。未收录的组合不等于可以配伍，仍须查本院配伍表。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    6,
};

}  // namespace

extern const CatalogueTool catalogue_tool_106;
const CatalogueTool catalogue_tool_106 = {&kTool, kLimits};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
