// Tool 108, the program Kinetora-T108.exe: the surgical safety checklist (custom report
// kind 8). It reads no input: the window says so where the inputs would be. Its
// printed page ends with the signatures of surgeon, anaesthetist and theatre nurse.
#include "catalogue.h"

namespace {

const ToolDef kTool = {
    108,
    L"手术安全核查",
    L"列出麻醉实施前、手术开始前、患者离室前的三步核查内容",
    L"围手术期安全",
    L"WHO 手术安全核查表（2009）；《手术安全核查制度》（原卫生部，2010）：麻醉实施前、手术开始前、患者离开手术室前",
    L"须由外科、麻醉、护理三方共同口述确认并签字；任一环节缺失不得进入下一环节。",
    0, nullptr,
    0, nullptr,
    0, nullptr,
    8,
    // The three signatures of the checklist, in place of the common line.
    L"手术医师：＿＿＿＿  麻醉医师：＿＿＿＿  手术室护士：＿＿＿＿",
};

}  // namespace

extern const CatalogueTool catalogue_tool_108;
const CatalogueTool catalogue_tool_108 = {&kTool, nullptr};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
