// The fixed reference sheets: blood-draw order (kind 3), high-alert drugs (5),
// surgical safety checklist (8), handover template (9), laboratory panels (11).
// Each writes constant lines, at most one choice of lines picked by a whole-number
// input, and one verdict; each returns level 0, except for a number that names
// no choice (level 1) and a bed count outside its limits (level 2).
#include "../engine/wide_text.h"
#include "custom_reports.h"

namespace {

void append_text_lines(wchar_t* report, int32_t capacity, const wchar_t* const* lines,
                       int32_t count) {
    for (int32_t i = 0; i < count; ++i) append_text_line(report, capacity, lines[i]);
}

// ---- Kind 3: blood-draw order ----------------------------------------------

const wchar_t* const kBloodDrawLines[] = {
    L"标准采血顺序（按添加剂，避免交叉污染）：",
    L"1 血培养瓶（需氧/厌氧）",
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）",
    L"3 促凝/血清管 红或金黄（生化、免疫）",
    L"4 肝素管 绿（血气、部分生化）",
    L"5 EDTA 紫（血常规、糖化、血型）",
    L"6 氟化钠 灰（血糖、乳酸）",
    L"用蝶翼针且凝血管为第一管时，先采一支弃去管。",
    L"",
};

const ChoiceRow kBloodDrawChoices[] = {
    // "kind"        line
    {1,              {L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。"}},
    {2,              {L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。"}},
    {3,              {L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。"}},
    {4,              {L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。"}},
    {5,              {L"本次：血培养 → 每套需氧瓶、厌氧瓶各 1 瓶，共采 2 套，取不同部位，先注入培养瓶。"}},
    {6,              {L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。"}},
};
const ChoiceTable kBloodDrawTable = {
    kBloodDrawChoices, count_of(kBloodDrawChoices), L"本次：",
    L"检验项目编号须为 1–6：1 血常规，2 凝血，3 生化，4 血气，5 血培养，6 血糖/乳酸。"};

// ---- Kind 5: high-alert drugs -----------------------------------------------

// The group lines are fixed texts: the percent signs of group 1 are literal.
const ChoiceRow kHighAlertGroups[] = {
    // "kind"        group line, points line
    {1,              {L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
                      L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"}},
    {2,              {L"胰岛素与口服降糖药：胰岛素、格列本脲",
                      L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"}},
    {3,              {L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
                      L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"}},
    {4,              {L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类",
                      L"要点：专柜加锁、基数管理、使用后登记、拮抗剂备用（纳洛酮拮抗阿片类；新斯的明仅用于非去极化肌松药，如维库溴铵）。"}},
};

const ChoiceTable kHighAlertTable = {
    kHighAlertGroups, count_of(kHighAlertGroups), L"类别：",
    L"药品类别编号须为 1–4：1 高浓度电解质，2 胰岛素与口服降糖药，3 抗凝与化疗药，4 麻醉与肌松药。"};

// ---- Kind 8: surgical safety checklist --------------------------------------

// A form: each phase a heading, one item a line behind a tick box, and the
// three parties who confirm the phase aloud, each ticking its own box. Their
// signatures end the printed page (the tool's own signature line).
const wchar_t kCheckParties[] = L"三方确认：□ 手术医师  □ 麻醉医师  □ 手术室护士";

const wchar_t* const kChecklistLines[] = {
    L"手术安全核查表（三步核查，逐项核对后在□内打√）：",
    L"",
    L"【麻醉实施前】",
    L"□ 患者身份、手术部位、术式、知情同意",
    L"□ 手术部位标识",
    L"□ 麻醉设备与药品安全检查",
    L"□ 脉搏血氧仪已连接并工作",
    L"□ 过敏史",
    L"□ 气道与插管风险",
    L"□ 出血风险",
    L"□ 影像与植入物",
    L"□ 皮肤准备",
    kCheckParties,
    L"",
    L"【手术开始前】",
    L"□ 团队自我介绍",
    L"□ 确认患者、部位、术式",
    L"□ 预计手术时间与失血量",
    L"□ 预防性抗菌药物已于切皮前 60 分钟内给予（或无需给予）",
    L"□ 器械灭菌合格",
    L"□ 影像资料到位",
    kCheckParties,
    L"",
    L"【患者离室前】",
    L"□ 手术名称与记录一致",
    L"□ 标本标识与送检",
    L"□ 器械敷料清点",
    L"□ 皮肤与管路",
    L"□ 恢复与转运方案",
    kCheckParties,
    L"",
    L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得进入下一环节。",
};

// ---- Kind 9: handover template ----------------------------------------------

const WholeLimit kBedLimit = {"beds", L"交班床位数", 1, 30};

const wchar_t kHandoverHeading[] = L"交班报告（逐床填写，床旁交接）：";
// Each bed a block between empty lines, which the printed page keeps whole:
// two identifiers besides the bed number, then one line per heading, each blank
// ending in the same column, long enough to write in by hand.
const wchar_t kHandoverBedFormat[] = L"%02d 床  姓名＿＿＿＿＿＿  住院号＿＿＿＿＿＿";
const wchar_t* const kHandoverBedLines[] = {
    L"诊断：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
    L"本班病情（含生命体征）：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
    L"治疗与管路：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
    L"需下一班关注：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
};
const wchar_t kHandoverClosing[] = L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。";

// ---- Kind 11: laboratory panels ---------------------------------------------


const ChoiceRow kLabPanels[] = {
    // "panel"       panel line, note line
    {1,              {L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。",
                      L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"}},
    {2,              {L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。",
                      L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"}},
    {3,              {L"凝血功能（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
                      L"注意：采血量必须达刻度；肝素治疗中查 APTT。"}},
    {4,              {L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
                      L"注意：空腹；含碘造影剂后 1 周内避免复查。"}},
    {5,              {L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
                      L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"}},
    {6,              {L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。",
                      L"注意：留取中段尿，1 小时内送检；月经期避免。"}},
};
const ChoiceTable kLabPanelTable = {
    kLabPanels, count_of(kLabPanels), L"套餐：",
    L"检验套餐编号须为 1–6：1 血常规，2 生化全套，3 凝血功能，4 甲状腺功能，5 心肌损伤标志物，6 尿常规。"};

}  // namespace

int32_t build_blood_draw_order_report(const ToolDef& tool, const double* input_values,
                                      wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                      int32_t verdict_capacity) {
    int32_t kind = 0;
    if (!read_lookup_number(tool, input_values, "kind", &kind, report, report_capacity)) {
        return refuse_input(verdict, verdict_capacity);
    }
    append_text_lines(report, report_capacity, kBloodDrawLines, count_of(kBloodDrawLines));
    if (!append_choice(report, report_capacity, kBloodDrawTable, kind)) {
        wtext_copy(verdict, verdict_capacity, kInvalidNumberVerdict);
        return kInvalidNumberLevel;
    }
    wtext_copy(verdict, verdict_capacity, L"按标准顺序采血可减少溶血与交叉污染");
    return 0;
}

int32_t build_high_alert_drugs_report(const ToolDef& tool, const double* input_values,
                                      wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                      int32_t verdict_capacity) {
    int32_t kind = 0;
    if (!read_lookup_number(tool, input_values, "kind", &kind, report, report_capacity)) {
        return refuse_input(verdict, verdict_capacity);
    }
    append_text_line(report, report_capacity, L"高警示药品类别与要点：");
    const bool known = append_choice(report, report_capacity, kHighAlertTable, kind);
    append_text_line(report, report_capacity, L"完整目录见《中国高警示药品推荐目录》及本院目录。");
    if (!known) {
        wtext_copy(verdict, verdict_capacity, kInvalidNumberVerdict);
        return kInvalidNumberLevel;
    }
    wtext_copy(verdict, verdict_capacity, L"高警示药品须专区、专标识、双人核对");
    return 0;
}

int32_t build_safety_checklist_report(const ToolDef&, const double*, wchar_t* report,
                                      int32_t report_capacity, wchar_t* verdict,
                                      int32_t verdict_capacity) {
    append_text_lines(report, report_capacity, kChecklistLines, count_of(kChecklistLines));
    wtext_copy(verdict, verdict_capacity, L"三方核查缺一不可，签字后归档");
    return 0;
}

int32_t build_handover_report(const ToolDef& tool, const double* input_values, wchar_t* report,
                              int32_t report_capacity, wchar_t* verdict,
                              int32_t verdict_capacity) {
    int32_t beds = 0;
    if (!read_whole_within(tool, input_values, kBedLimit, &beds, report, report_capacity)) {
        wtext_copy(verdict, verdict_capacity, kOutOfRangeVerdict);
        return kOutOfRangeLevel;
    }
    append_text_line(report, report_capacity, kHandoverHeading);
    for (int32_t bed = 1; bed <= beds; ++bed) {
        append_text_line(report, report_capacity, L"");
        append_line(report, report_capacity, kHandoverBedFormat, bed);
        append_text_lines(report, report_capacity, kHandoverBedLines, count_of(kHandoverBedLines));
    }
    append_text_line(report, report_capacity, L"");
    append_text_line(report, report_capacity, kHandoverClosing);
    wtext_copy(verdict, verdict_capacity, L"模板已生成，床旁交接并双方签名");
    return 0;
}

int32_t build_lab_panels_report(const ToolDef& tool, const double* input_values,
                                wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                int32_t verdict_capacity) {
    int32_t panel = 0;
    if (!read_lookup_number(tool, input_values, "panel", &panel, report, report_capacity)) {
        return refuse_input(verdict, verdict_capacity);
    }
    if (!append_choice(report, report_capacity, kLabPanelTable, panel)) {
        wtext_copy(verdict, verdict_capacity, kInvalidNumberVerdict);
        return kInvalidNumberLevel;
    }
    wtext_copy(verdict, verdict_capacity, L"套餐与采血管已列出，按顺序采血");
    return 0;
}

const ChoiceTable* reference_choice_table(int32_t kind) {
    switch (kind) {
        case 3: return &kBloodDrawTable;
        case 5: return &kHighAlertTable;
        case 11: return &kLabPanelTable;
        default: return nullptr;
    }
}
