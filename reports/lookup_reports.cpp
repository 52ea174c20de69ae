// The lookup reports: drug compatibility (kind 6), whose level is the pair's
// risk, and laboratory critical values (kind 4).
#include "../engine/wide_text.h"
#include "compat_drugs.h"
#include "custom_reports.h"

namespace {

// ---- Kind 6: drug compatibility ---------------------------------------------

constexpr int32_t kDrugCount = kCompatDrugCount;
// Drugs per number line of the report.
constexpr int32_t kDrugsPerLine = 5;
constexpr int32_t kNumberLineScratch = 128;

// Conclusion lines, some shared by several pairs.
const wchar_t kCeftriaxoneCalcium[] =
    L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。"
    L"新生儿（≤28 天）禁止与任何含钙静脉制剂合用，即使不同管路、不同时间输注。";
const wchar_t kCalciumPrecipitate[] =
    L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。";
const wchar_t kDopamineAlkaline[] =
    L"结论：禁忌配伍。多巴胺在碳酸氢钠等碱性溶液中失活，不可同瓶或同管连续输注，应分开通路或充分冲管。";
const wchar_t kCeftriaxoneVancomycin[] =
    L"结论：不宜同瓶。两药说明书均载混合后物理性不相容（沉淀），须分开输注，两药之间充分冲管。";
const wchar_t kVancomycinAlkaline[] =
    L"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。";
const wchar_t kFurosemideDopamine[] =
    L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";
const wchar_t kOmeprazoleAlone[] =
    L"结论：不宜同瓶。注射用奥美拉唑钠说明书：仅用 0.9% 氯化钠或 5% 葡萄糖溶解稀释，禁止与其他药物混合，应单独输注。";
const wchar_t kVitaminCBicarbonate[] =
    L"结论：禁忌配伍。维生素C注射液说明书载其与碳酸氢钠配伍禁忌（碱性溶液中易氧化失效），不可同瓶或同管连续输注。";
const wchar_t kCeftriaxoneAmbroxol[] =
    L"结论：不宜同瓶。有研究报告头孢曲松钠与盐酸氨溴索混合后出现白色浑浊或絮状沉淀，须分开输注，两药之间充分冲管。";
const wchar_t kVancomycinFurosemide[] =
    L"结论：不宜同瓶。万古霉素与呋塞米经 Y 型管同输不相容（沉淀），须分开输注，两药之间充分冲管。";
const wchar_t kReportedIncompatible[] =
    L"结论：有文献报告两药混合后出现浑浊或沉淀，建议分开输注，请药师核对。";
const wchar_t kNothingOnRecord[] =
    L"结论：本工具未收录该组合，不能据此判断可以同瓶或同管；请查说明书与本院配伍表，未确认前分开输注并冲管。";

// Verdicts.
const wchar_t kNeverTogether[] = L"禁忌：不可同瓶输注，需间隔冲管";
const wchar_t kApartAndFlush[] = L"不宜同瓶，分开输注并冲管";
const wchar_t kApart[] = L"不宜同瓶，建议分开输注";
const wchar_t kBetterApart[] = L"建议分开输注";
const wchar_t kCannotJudge[] = L"未收录：无法判断能否配伍，请查说明书或本院配伍表";

// Levels: 3 contraindicated in one bottle, 2 not to share a bottle, 1 better
// given apart or not on record. A pair without a rule is not known to be
// compatible, so it is never shown at level 0, the colour of a normal result.
struct CompatRule {
    int32_t low;   // smaller drug number of the pair
    int32_t high;  // larger drug number
    const wchar_t* conclusion;
    const wchar_t* verdict;
    int32_t level;
};

// Unordered pairs of two different drugs 1 to 10, smaller number first. The
// last row answers every pair not listed; its numbers are not compared. Omeprazole (6) is to be given alone: every pair with it is at least
// level 2.
const CompatRule kCompatRules[] = {
    // low high  conclusion              verdict          level
    {1,   2,     kCeftriaxoneCalcium,    kNeverTogether,  3},
    {2,   9,     kCalciumPrecipitate,    kNeverTogether,  3},
    {9,   10,    kDopamineAlkaline,      kNeverTogether,  3},
    {7,   9,     kVitaminCBicarbonate,   kNeverTogether,  3},
    {1,   3,     kCeftriaxoneVancomycin, kApartAndFlush,  2},
    {3,   6,     kVancomycinAlkaline,    kApartAndFlush,  2},
    {3,   9,     kVancomycinAlkaline,    kApartAndFlush,  2},
    {1,   5,     kCeftriaxoneAmbroxol,   kApartAndFlush,  2},
    {3,   4,     kVancomycinFurosemide,  kApartAndFlush,  2},
    {4,   10,    kFurosemideDopamine,    kApart,          2},
    {5,   9,     kFurosemideDopamine,    kApart,          2},
    {1,   6,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {2,   6,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {4,   6,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {5,   6,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {6,   7,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {6,   8,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {6,   9,     kOmeprazoleAlone,       kApartAndFlush,  2},
    {6,   10,    kOmeprazoleAlone,       kApartAndFlush,  2},
    {1,   7,     kReportedIncompatible,  kBetterApart,    1},
    {4,   5,     kReportedIncompatible,  kBetterApart,    1},
    {0,   0,     kNothingOnRecord,       kCannotJudge,    1},
};

// A number outside 1 to 10 names no drug: the pair cannot be judged, and no
// drug's name may stand beside it (a pharmacist reads the names, not the numbers).
const CompatRule kUnknownNumber = {
    0, 0, L"结论：药物编号须为 1–10，无法判断配伍，请核对编号。", L"药物编号无效，请核对", 1};
const wchar_t kNoSuchNumber[] = L"（无此编号）";

// The same drug twice is not a pair: nothing to judge, most likely a slip.
const CompatRule kSameDrug = {
    0, 0, L"结论：两个编号为同一药物，无法判断配伍，请核对编号。", L"两个编号为同一药物，请核对", 1};

bool is_drug_number(int32_t number) { return number >= 1 && number <= kDrugCount; }

const wchar_t* drug_name(int32_t number) {
    return is_drug_number(number) ? kCompatDrugNames[number - 1] : kNoSuchNumber;
}

// The number lines: "编号：" and drugs 1 to 5, then drugs 6 to 10 under them.
void append_drug_numbers(wchar_t* report, int32_t capacity) {
    for (int32_t first = 1; first <= kDrugCount; first += kDrugsPerLine) {
        wchar_t line[kNumberLineScratch];
        wtext_copy(line, kNumberLineScratch, first == 1 ? L"编号：" : L"      ");
        for (int32_t n = first; n < first + kDrugsPerLine && n <= kDrugCount; ++n) {
            wchar_t item[kNumberLineScratch];
            wtext_format(item, kNumberLineScratch, n == first ? L"%d%ls" : L" %d%ls", n,
                         kCompatDrugNames[n - 1]);
            wtext_append(line, kNumberLineScratch, item);
        }
        append_text_line(report, capacity, line);
    }
}

const CompatRule& find_compat_rule(int32_t a, int32_t b) {
    if (!is_drug_number(a) || !is_drug_number(b)) return kUnknownNumber;
    if (a == b) return kSameDrug;
    int32_t low = a < b ? a : b;
    int32_t high = a < b ? b : a;
    int32_t last = count_of(kCompatRules) - 1;
    for (int32_t i = 0; i < last; ++i) {
        if (kCompatRules[i].low == low && kCompatRules[i].high == high) return kCompatRules[i];
    }
    return kCompatRules[last];
}

// ---- Kind 4: critical values ------------------------------------------------

const ChoiceRow kCriticalGroups[] = {
    // "kind"        lines
    {1,              {L"血钾 <2.5 或 >6.5 mmol/L",
                      L"血钠 <120 或 >160 mmol/L",
                      L"血钙 <1.5 或 >3.5 mmol/L"}},
    {2,              {L"血糖 <2.8 或 >22.2 mmol/L",
                      L"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg"}},
    {3,              {L"白细胞 <1.0 或 >30.0 ×10^9/L",
                      L"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L"}},
    {4,              {L"INR >4.0；纤维蛋白原 <1.0 g/L",
                      L"D-二聚体显著升高并伴临床血栓表现"}},
    {5,              {L"血培养阳性（无菌部位）",
                      L"脑脊液培养阳性；HIV 初筛阳性需确认"}},
    {6,              {L"肌钙蛋白明显升高（高于第 99 百分位）",
                      L"血淀粉酶/脂肪酶 >3 倍正常上限"}},
};
const ChoiceTable kCriticalTable = {
    kCriticalGroups, count_of(kCriticalGroups), L"类别：",
    L"危急值类别编号须为 1–6：1 电解质，2 血糖与血气，3 血常规，4 凝血，5 微生物与感染，6 心肌与胰腺。"};

// The national rule's steps; it sets no minute limits, so none is printed.
const wchar_t kCriticalProcedure[] =
    L"处置要求：检验科双人核对→立即电话通知临床→接听人记录、复读确认→立即报告主管或值班医师→医师处置并记录（时限按本院规定）。";

}  // namespace

int32_t build_compatibility_report(const ToolDef& tool, const double* input_values,
                                   wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                   int32_t verdict_capacity) {
    // A fraction is refused; any whole number prints as entered.
    int32_t a = 0;
    int32_t b = 0;
    const bool a_whole = read_lookup_number(tool, input_values, "drugA", &a, report, report_capacity);
    const bool b_whole = read_lookup_number(tool, input_values, "drugB", &b, report, report_capacity);
    if (!a_whole || !b_whole) return refuse_input(verdict, verdict_capacity);
    append_line(report, report_capacity, L"待查：%d 号 %ls  +  %d 号 %ls", a, drug_name(a), b,
                drug_name(b));
    append_text_line(report, report_capacity, L"");
    append_drug_numbers(report, report_capacity);
    append_text_line(report, report_capacity, L"");
    const CompatRule& rule = find_compat_rule(a, b);
    append_text_line(report, report_capacity, rule.conclusion);
    wtext_copy(verdict, verdict_capacity, rule.verdict);
    return rule.level;
}

int32_t build_critical_values_report(const ToolDef& tool, const double* input_values,
                                     wchar_t* report, int32_t report_capacity, wchar_t* verdict,
                                     int32_t verdict_capacity) {
    int32_t kind = 0;
    if (!read_lookup_number(tool, input_values, "kind", &kind, report, report_capacity)) {
        return refuse_input(verdict, verdict_capacity);
    }
    append_text_line(report, report_capacity, L"常见检验危急值（参考，需以本院文件为准）：");
    const bool known = append_choice(report, report_capacity, kCriticalTable, kind);
    append_text_line(report, report_capacity, L"");
    append_text_line(report, report_capacity, kCriticalProcedure);
    if (!known) {
        wtext_copy(verdict, verdict_capacity, kInvalidNumberVerdict);
        return kInvalidNumberLevel;
    }
    wtext_copy(verdict, verdict_capacity, L"危急值必须闭环：报告、接收、处理、记录");
    return 0;
}

const ChoiceTable* lookup_choice_table(int32_t kind) { return kind == 4 ? &kCriticalTable : nullptr; }
