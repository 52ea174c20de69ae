// Tool 110, the program Kinetora-T110.exe: the infusion card (custom report
// kind 10). Defaults: bed 12, a dose of 2 in 100 ml at 40 drops a minute with a
// giving set of 20 drops per ml. The bed may be left empty for an extra bed.
#include "catalogue.h"

namespace {

const ToolInput kInputs[] = {
    // key      label        unit         default
    {"bed",     L"床号",     L"床",       12.0, InputForm::number, true},
    {"dose",    L"医嘱药量", L"医嘱单位", 2.0},
    {"volume",  L"溶媒量",   L"ml",       100.0},
    {"gtt",     L"滴速",     L"滴/分",    40.0},
    {"drip",    L"滴系数",   L"滴/ml",    20.0},
};

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    L"整数，1–9999；加床可留空，卡上印“床号＿＿＿＿”由护士手写；小数或超出时不出卡，提示核对。床号不作为身份识别，卡上另有姓名与住院号",
    L"按医嘱的单位（g、mg、U 等）填写，大于 0、至多 1,000,000,000；卡上按所填数字原样印出，不取整、不补零，1,000 及以上加千位分隔（4,800,000），单位留空按医嘱填写",
    L"ml，大于 0、至多 5000；卡上按所填数字原样印出（12.5 ml）",
    L"大于 0、至多 1000；卡上取整，不足 1 印“不足 1 滴/分”并提示核对；高于 60 滴/分提示核对（成人常用 40–60、儿童 20–40）",
    L"输液器每 ml 的滴数，大于 0、至多 100；常用 10、15、20，微滴 60，其他值提示核对输液器；每小时量 = 滴速 × 60 ÷ 滴系数",
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    110,
    L"静脉输液卡",
    L"生成含床号、药量、溶媒量与滴速的静脉输液卡",
    L"输液安全",
    L"每小时输液量（ml/h）= 滴速（滴/分）× 60 ÷ 滴系数（滴/ml）；预计输完时间 = 溶媒量 ÷ 每小时输液量；剂量不写尾随零（ISMP 易错剂量表示）",
    L"执行前双人核对药名、剂量、浓度、有效期与配伍；输注中每 30 分钟巡视并记录。",
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    10,
};

}  // namespace

extern const CatalogueTool catalogue_tool_110;
const CatalogueTool catalogue_tool_110 = {
    &kTool, kLimits,
    L"床号不作为身份识别，以姓名与住院号核对：中国医院协会《患者安全目标》；"
    L"1,000 及以上加千位分隔：ISMP 易错剂量表示；"
    L"滴系数 20 与 60 滴/ml：ISO 8536-4，10 与 15 滴/ml 及常用滴速成人 40–60、儿童 20–40 滴/分："
    L"《基础护理学》（第 7 版，人民卫生出版社，2022）"};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
