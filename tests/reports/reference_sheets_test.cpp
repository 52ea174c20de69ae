// The five reference sheets: kinds 3, 5, 8, 9 and 11.
#include <gtest/gtest.h>

#include <string>

#include "report_harness.h"

namespace {

using namespace report_test;

// A selector value given to a sheet; a null key leaves the input out.
struct Selector {
    const char* key;
    double value;
    const wchar_t* first;   // the chosen line (kinds 3, 5, 11)
    const wchar_t* second;  // second chosen line, or null
};

const wchar_t kBloodDrawFixed[] =
    L"标准采血顺序（按添加剂，避免交叉污染）：\r\n"
    L"1 血培养瓶（需氧/厌氧）\r\n"
    L"2 凝血管 淡蓝（枸橼酸钠，凝血 PT/APTT）\r\n"
    L"3 促凝/血清管 红或金黄（生化、免疫）\r\n"
    L"4 肝素管 绿（血气、部分生化）\r\n"
    L"5 EDTA 紫（血常规、糖化、血型）\r\n"
    L"6 氟化钠 灰（血糖、乳酸）\r\n"
    L"用蝶翼针且凝血管为第一管时，先采一支弃去管。\r\n"
    L"\r\n";

const wchar_t kDrawNumbers[] =
    L"检验项目编号须为 1–6：1 血常规，2 凝血，3 生化，4 血气，5 血培养，6 血糖/乳酸。";

// The verdict and level of a sheet: its own at level 0, or for a number that
// names no row, the refusal at level 1.
void expect_verdict(const ReportRun& run, const wchar_t* first, const wchar_t* own) {
    const bool refused = std::wstring(first).find(L"（无此编号）") != std::wstring::npos;
    EXPECT_EQ(run.verdict, refused ? L"编号无效，请核对" : own) << utf8(first);
    EXPECT_EQ(run.level, refused ? 1 : 0) << utf8(first);
}

TEST(BloodDrawOrder, NineFixedLinesThenTheLineOfTheKind) {
    const Selector cases[] = {
        {"kind",  1,    L"本次：血常规 → 紫管 EDTA，采血后 8 次颠倒混匀，2 小时内送检。", nullptr},
        {"kind",  2,    L"本次：凝血 → 淡蓝管，需采满刻度线（约 2.0ml），采血后立即轻柔颠倒 3-4 次。", nullptr},
        {"kind",  3,    L"本次：生化 → 红/金黄管，避免溶血，采血后静置 30 分钟离心。", nullptr},
        {"kind",  4,    L"本次：血气 → 肝素化注射器，排气后立即送检，15 分钟内完成。", nullptr},
        {"kind",  5,    L"本次：血培养 → 每套需氧瓶、厌氧瓶各 1 瓶，共采 2 套，取不同部位，先注入培养瓶。", nullptr},
        {"kind",  6,    L"本次：血糖/乳酸 → 灰管，需冰浴送检，30 分钟内完成。", nullptr},
        {"kind",  0,    L"本次：0 号（无此编号）",  kDrawNumbers},
        {"kind",  7,    L"本次：7 号（无此编号）",  kDrawNumbers},
        {"kind",  -1,   L"本次：-1 号（无此编号）", kDrawNumbers},
        {"Kind",  1,    L"本次：0 号（无此编号）",  kDrawNumbers},
        {nullptr, 0,    L"本次：0 号（无此编号）",  kDrawNumbers},
    };
    for (const Selector& c : cases) {
        TestTool tool;
        make_tool(&tool, {{c.key, c.value}});
        ReportRun run = run_report(3, tool);
        std::wstring chosen = std::wstring(c.first) + L"\r\n";
        if (c.second != nullptr) chosen += std::wstring(c.second) + L"\r\n";
        EXPECT_EQ(run.report, kBloodDrawFixed + chosen) << c.value;
        expect_verdict(run, c.first, L"按标准顺序采血可减少溶血与交叉污染");
    }
}

const wchar_t kAnaesthetics[] = L"麻醉与肌松药：丙泊酚、维库溴铵、琥珀胆碱、阿片类";
const wchar_t kAlertNumbers[] =
    L"药品类别编号须为 1–4：1 高浓度电解质，2 胰岛素与口服降糖药，3 抗凝与化疗药，4 麻醉与肌松药。";
const wchar_t kAnaestheticPoints[] =
    L"要点：专柜加锁、基数管理、使用后登记、拮抗剂备用（纳洛酮拮抗阿片类；新斯的明仅用于非去极化肌松药，如维库溴铵）。";

TEST(HighAlertDrugs, HeadingThenTheGroupAndItsPoints) {
    const Selector cases[] = {
        {"kind", 1,   L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
                      L"要点：专用标识、专区存放、双人核对、禁止直接静脉推注（钾）。"},
        {"kind", 2,   L"胰岛素与口服降糖药：胰岛素、格列本脲",
                      L"要点：独立存放、专用注射器、剂量双人核对、低血糖监测与急救糖备用。"},
        {"kind", 3,   L"抗凝与化疗药：肝素、华法林、低分子肝素、化疗药物",
                      L"要点：化疗药集中配置与防护、抗凝药监测 INR/APTT、出血风险宣教。"},
        {"kind", 4,   kAnaesthetics, kAnaestheticPoints},
        {"kind", 0,   L"类别：0 号（无此编号）",  kAlertNumbers},
        {"kind", -1,  L"类别：-1 号（无此编号）", kAlertNumbers},
        {"kind", 5,   L"类别：5 号（无此编号）",  kAlertNumbers},
        {nullptr, 0,  L"类别：0 号（无此编号）",  kAlertNumbers},
    };
    for (const Selector& c : cases) {
        TestTool tool;
        make_tool(&tool, {{c.key, c.value}});
        ReportRun run = run_report(5, tool);
        EXPECT_EQ(run.report, lines({L"高警示药品类别与要点：", c.first, c.second,
                                     L"完整目录见《中国高警示药品推荐目录》及本院目录。"}))
            << c.value;
        expect_verdict(run, c.first, L"高警示药品须专区、专标识、双人核对");
    }
}

// A form: under each phase's heading one item a line behind a tick box, then
// the three parties who confirm the phase; the sign-in holds the site mark,
// the anaesthesia safety check and the pulse oximeter, the time-out the
// antibiotic within 60 minutes before incision.
TEST(SafetyChecklist, AFormOfTickBoxesWhateverTheInputs) {
    const wchar_t kParties[] = L"三方确认：□ 手术医师  □ 麻醉医师  □ 手术室护士";
    const std::wstring expected = lines({
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
        kParties,
        L"",
        L"【手术开始前】",
        L"□ 团队自我介绍",
        L"□ 确认患者、部位、术式",
        L"□ 预计手术时间与失血量",
        L"□ 预防性抗菌药物已于切皮前 60 分钟内给予（或无需给予）",
        L"□ 器械灭菌合格",
        L"□ 影像资料到位",
        kParties,
        L"",
        L"【患者离室前】",
        L"□ 手术名称与记录一致",
        L"□ 标本标识与送检",
        L"□ 器械敷料清点",
        L"□ 皮肤与管路",
        L"□ 恢复与转运方案",
        kParties,
        L"",
        L"要求：三方（外科、麻醉、护理）共同口述确认并签字，任一环节缺失不得进入下一环节。",
    });
    TestTool empty;
    make_tool(&empty, {});
    TestTool busy;
    make_tool(&busy, {{"kind", 3}, {"beds", 9}, {"panel", 2}});
    for (const TestTool* tool : {&empty, &busy}) {
        ReportRun run = run_report(8, *tool);
        EXPECT_EQ(run.report, expected);
        EXPECT_EQ(run.verdict, L"三方核查缺一不可，签字后归档");
        EXPECT_EQ(run.level, 0);
    }
}

// One bed's block, after the empty line that opens it: the bed with two
// identifiers, then one line per heading, each blank ending in the same column.
std::vector<std::wstring> handover_block(const wchar_t* number) {
    return {L"",
            std::wstring(number) + L" 床  姓名＿＿＿＿＿＿  住院号＿＿＿＿＿＿",
            L"诊断：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
            L"本班病情（含生命体征）：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
            L"治疗与管路：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿",
            L"需下一班关注：＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿"};
}

TEST(Handover, OneBlockPerBedBetweenOneAndThirty) {
    struct Beds {
        const char* key;
        double value;
        int32_t lines;
    };
    // Counts outside 1 to 30 are refused (the limits' own test).
    const Beds cases[] = {
        // key     value   beds
        {"beds",   1,      1},
        {"beds",   2,      2},
        {"beds",   30,     30},
    };
    for (const Beds& c : cases) {
        TestTool tool;
        make_tool(&tool, {{c.key, c.value}});
        ReportRun run = run_report(9, tool);
        std::vector<std::wstring> expected = {L"交班报告（逐床填写，床旁交接）："};
        for (int32_t bed = 1; bed <= c.lines; ++bed) {
            wchar_t number[8];
            wtext_format(number, 8, L"%02d", bed);
            for (const std::wstring& line : handover_block(number)) expected.push_back(line);
        }
        expected.push_back(L"");
        expected.push_back(L"危重患者须床旁交接；新入院、手术、输血、病情变化患者逐一交接并双签名。");
        EXPECT_EQ(split_lines(run.report), expected) << c.value;
        EXPECT_EQ(run.report.substr(run.report.size() - 2), L"\r\n");
        EXPECT_EQ(run.verdict, L"模板已生成，床旁交接并双方签名");
        EXPECT_EQ(run.level, 0);
    }
}

const wchar_t kUrinePanel[] =
    L"尿常规（清洁中段尿）：尿蛋白、尿糖、尿潜血、白细胞、亚硝酸盐、比重、pH、镜检。";
const wchar_t kUrineNote[] = L"注意：留取中段尿，1 小时内送检；月经期避免。";
const wchar_t kPanelNumbers[] =
    L"检验套餐编号须为 1–6：1 血常规，2 生化全套，3 凝血功能，4 甲状腺功能，5 心肌损伤标志物，6 尿常规。";

TEST(LabPanels, PanelLineAndNoteLineWithoutHeading) {
    const Selector cases[] = {
        {"panel", 1,   L"血常规（紫管 EDTA）：WBC、RBC、Hb、Hct、PLT、MCV/MCH/MCHC、中性/淋巴/单核/嗜酸/嗜碱比例。",
                       L"注意：剧烈运动、情绪、采血时间可影响结果；PLT 聚集需涂片复核。"},
        {"panel", 2,   L"生化全套（红/金黄管）：肝功（ALT/AST/ALP/GGT/胆红素/白蛋白）、肾功（BUN/Cr/UA）、血糖、血脂、电解质。",
                       L"注意：空腹 8-12 小时；溶血标本钾、AST 假性升高。"},
        {"panel", 3,   L"凝血功能（淡蓝管）：PT、INR、APTT、TT、纤维蛋白原、D-二聚体。",
                       L"注意：采血量必须达刻度；肝素治疗中查 APTT。"},
        {"panel", 4,   L"甲状腺功能（红/金黄管）：TSH、FT3、FT4、TPOAb、TgAb。",
                       L"注意：空腹；含碘造影剂后 1 周内避免复查。"},
        {"panel", 5,   L"心肌损伤标志物：cTnI/cTnT、CK-MB、肌红蛋白、BNP/NT-proBNP。",
                       L"注意：胸痛发作后 2-4 小时开始升高；动态复查更有意义。"},
        {"panel", 6,   kUrinePanel, kUrineNote},
        {"panel", 0,   L"套餐：0 号（无此编号）",  kPanelNumbers},
        {"panel", -1,  L"套餐：-1 号（无此编号）", kPanelNumbers},
        {"panel", 7,   L"套餐：7 号（无此编号）",  kPanelNumbers},
        {"kind",  1,   L"套餐：0 号（无此编号）",  kPanelNumbers},
        {nullptr, 0,   L"套餐：0 号（无此编号）",  kPanelNumbers},
    };
    for (const Selector& c : cases) {
        TestTool tool;
        make_tool(&tool, {{c.key, c.value}});
        ReportRun run = run_report(11, tool);
        EXPECT_EQ(run.report, lines({c.first, c.second})) << c.value;
        expect_verdict(run, c.first, L"套餐与采血管已列出，按顺序采血");
    }
}

}  // namespace
