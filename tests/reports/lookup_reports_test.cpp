// Drug compatibility (kind 6) and critical values (kind 4).
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "report_harness.h"

namespace {

using namespace report_test;

const wchar_t kCalcium[] =
    L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。";
const wchar_t kVancomycin[] =
    L"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。";
const wchar_t kFurosemide[] = L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";
const wchar_t kOmeprazole[] = L"结论：奥美拉唑与维生素C 同瓶 pH 冲突，稳定性下降，建议分开。";
const wchar_t kNoRecord[] =
    L"结论：本工具库内未收录该组合的明确禁忌，但仍须查本院配伍表并现配现用、注意冲管。";
const wchar_t kNoRecordVerdict[] = L"未收录明确禁忌，仍需核对院内配伍表";

struct Pair {
    int32_t low;
    int32_t high;
    const wchar_t* conclusion;
    const wchar_t* verdict;
    int32_t level;
};

const Pair kListedPairs[] = {
    // low high conclusion    verdict                           level
    {1,    2,   kCalcium,     L"禁忌：不可同瓶输注，需间隔冲管", 3},
    {2,    9,   kCalcium,     L"禁忌：不可同瓶输注，需间隔冲管", 3},
    {3,    6,   kVancomycin,  L"不宜同瓶，分开输注并冲管",       2},
    {3,    9,   kVancomycin,  L"不宜同瓶，分开输注并冲管",       2},
    {4,    10,  kFurosemide,  L"不宜同瓶，建议分开输注",         2},
    {5,    9,   kFurosemide,  L"不宜同瓶，建议分开输注",         2},
    {6,    7,   kOmeprazole,  L"建议分开输注",                   1},
};

const wchar_t* const kNames[] = {L"头孢曲松", L"葡萄糖酸钙", L"万古霉素", L"呋塞米", L"氨溴索",
                                 L"奥美拉唑", L"维生素C",    L"胰岛素",   L"碳酸氢钠", L"多巴胺"};

std::wstring compatibility_report(const std::wstring& first_line, const wchar_t* conclusion) {
    return lines({first_line.c_str(), L"", L"编号：1头孢曲松 2葡萄糖酸钙 3万古霉素 4呋塞米 5氨溴索",
                  L"      6奥美拉唑 7维生素C 8胰岛素 9碳酸氢钠 10多巴胺", L"", conclusion});
}

std::wstring query_line(int32_t a, const wchar_t* name_a, int32_t b, const wchar_t* name_b) {
    wchar_t line[128];
    wtext_format(line, 128, L"待查：%d 号 %ls  +  %d 号 %ls", a, name_a, b, name_b);
    return line;
}

TEST(Compatibility, DrugNamesByNumber) {
    for (int32_t i = 0; i < 10; ++i) EXPECT_STREQ(compat_drug_names[i], kNames[i]) << i + 1;
}

// Every ordered pair of drugs 1 to 10: listed pairs in either order give their
// row, every other pair (a drug with itself included) the closing row.
TEST(Compatibility, EveryPairInBothOrders) {
    for (int32_t a = 1; a <= 10; ++a) {
        for (int32_t b = 1; b <= 10; ++b) {
            const Pair* listed = nullptr;
            for (const Pair& pair : kListedPairs) {
                if ((pair.low == a && pair.high == b) || (pair.low == b && pair.high == a)) {
                    listed = &pair;
                }
            }
            TestTool tool;
            make_tool(&tool, {{"drugA", static_cast<double>(a)}, {"drugB", static_cast<double>(b)}});
            ReportRun run = run_report(6, tool);
            std::wstring first = query_line(a, kNames[a - 1], b, kNames[b - 1]);
            if (listed != nullptr) {
                EXPECT_EQ(run.report, compatibility_report(first, listed->conclusion)) << a << "+" << b;
                EXPECT_EQ(run.verdict, listed->verdict) << a << "+" << b;
                EXPECT_EQ(run.level, listed->level) << a << "+" << b;
            } else {
                EXPECT_EQ(run.report, compatibility_report(first, kNoRecord)) << a << "+" << b;
                EXPECT_EQ(run.verdict, kNoRecordVerdict) << a << "+" << b;
                EXPECT_EQ(run.level, 0) << a << "+" << b;
            }
        }
    }
}

TEST(Compatibility, NumbersAsEnteredAndOutOfRange) {
    struct Query {
        KeyValue a;
        KeyValue b;
        const wchar_t* first_line;
        int32_t level;
    };
    const Query cases[] = {
        {{"drugA", 9},   {"drugB", 2},   L"待查：9 号 碳酸氢钠  +  2 号 葡萄糖酸钙",  3},
        {{"drugA", 2},   {"drugB", 1},   L"待查：2 号 葡萄糖酸钙  +  1 号 头孢曲松",  3},
        {{"drugA", 1.9}, {"drugB", 2.2}, L"待查：1 号 头孢曲松  +  2 号 葡萄糖酸钙",  3},
        {{"drugA", 7},   {"drugB", 6},   L"待查：7 号 维生素C  +  6 号 奥美拉唑",     1},
        {{"drugA", 10},  {"drugB", 4},   L"待查：10 号 多巴胺  +  4 号 呋塞米",       2},
        {{"drugA", 10.9},{"drugB", 4},   L"待查：10 号 多巴胺  +  4 号 呋塞米",       2},
        {{"drugA", 3},   {"drugB", 3},   L"待查：3 号 万古霉素  +  3 号 万古霉素",    0},
        // A number outside 1 to 10 names no drug and the pair is not judged.
        {{"drugA", 0},   {"drugB", 2},   L"待查：0 号 （无此编号）  +  2 号 葡萄糖酸钙",  1},
        {{nullptr, 0},   {"drugB", 1},   L"待查：0 号 （无此编号）  +  1 号 头孢曲松",    1},
        {{"drugA", 0.9}, {"drugB", 2},   L"待查：0 号 （无此编号）  +  2 号 葡萄糖酸钙",  1},
        {{"drugA", 11},  {"drugB", 5},   L"待查：11 号 （无此编号）  +  5 号 氨溴索",     1},
        {{"drugA", -1},  {"drugB", 2},   L"待查：-1 号 （无此编号）  +  2 号 葡萄糖酸钙", 1},
        {{"drugA", -1.9},{"drugB", 1},   L"待查：-1 号 （无此编号）  +  1 号 头孢曲松",   1},
        {{"drugA", 2},   {nullptr, 0},   L"待查：2 号 葡萄糖酸钙  +  0 号 （无此编号）",  1},
        {{"drugA", kInf},{"drugB", 2},   L"待查：2147483647 号 （无此编号）  +  2 号 葡萄糖酸钙", 1},
        {{"drugA", kNaN},{"drugB", -kInf}, L"待查：0 号 （无此编号）  +  -2147483648 号 （无此编号）", 1},
    };
    for (const Query& c : cases) {
        TestTool tool;
        make_tool(&tool, {c.a, c.b});
        ReportRun run = run_report(6, tool);
        std::vector<std::wstring> got = split_lines(run.report);
        ASSERT_EQ(got.size(), 6u);
        EXPECT_EQ(got[0], c.first_line);
        EXPECT_EQ(run.level, c.level) << utf8(c.first_line);
        if (c.level == 0) {
            EXPECT_EQ(got[5], kNoRecord);
            EXPECT_EQ(run.verdict, kNoRecordVerdict);
        }
        if (wcsstr(c.first_line, L"（无此编号）") != nullptr) {
            EXPECT_EQ(got[5], L"结论：药物编号须为 1–10，无法判断配伍，请核对编号。");
            EXPECT_EQ(run.verdict, L"药物编号无效，请核对");
        }
    }
}

struct Group {
    const char* key;
    double value;
    int32_t first_line;  // index in kCriticalLines
    int32_t line_count;
};

const wchar_t* const kCriticalLines[] = {
    L"血钾 <2.5 或 >6.5 mmol/L",                            // 0: group 1
    L"血钠 <120 或 >160 mmol/L",
    L"血钙 <1.5 或 >3.5 mmol/L",
    L"血糖 <2.8 或 >22.2 mmol/L",                           // 3: group 2
    L"pH <7.20 或 >7.60；PaO2 <45 mmHg；PaCO2 >70 mmHg",
    L"白细胞 <1.0 或 >30.0 ×10^9/L",                        // 5: group 3
    L"血红蛋白 <50 g/L；血小板 <20 或 >1000 ×10^9/L",
    L"INR >4.0；纤维蛋白原 <1.0 g/L",                       // 7: group 4
    L"D-二聚体显著升高并伴临床血栓表现",
    L"血培养阳性（无菌部位）",                              // 9: group 5
    L"脑脊液培养阳性；HIV 初筛阳性需确认",
    L"肌钙蛋白明显升高（高于第 99 百分位）",                // 11: group 6
    L"血淀粉酶/脂肪酶 >3 倍正常上限",
    L"请查阅本院《危急值报告目录》",                        // 13: any other
};

TEST(CriticalValues, HeadingGroupLinesThenTheProcedure) {
    const Group cases[] = {
        // key    value  first  count
        {"kind",  1,     0,     3},
        {"kind",  2,     3,     2},
        {"kind",  2.5,   3,     2},
        {"kind",  3,     5,     2},
        {"kind",  4,     7,     2},
        {"kind",  5,     9,     2},
        {"kind",  6,     11,    2},
        {"kind",  6.9,   11,    2},
        {"kind",  0,     13,    1},
        {"kind",  0.99,  13,    1},
        {"kind",  7,     13,    1},
        {"kind",  -1,    13,    1},
        {"kind",  kNaN,  13,    1},
        {"panel", 1,     13,    1},
        {nullptr, 0,     13,    1},
    };
    for (const Group& c : cases) {
        TestTool tool;
        make_tool(&tool, {{c.key, c.value}});
        ReportRun run = run_report(4, tool);
        std::wstring expected = L"常见检验危急值（参考，需以本院文件为准）：\r\n";
        for (int32_t i = 0; i < c.line_count; ++i) {
            expected += kCriticalLines[c.first_line + i];
            expected += L"\r\n";
        }
        expected += L"\r\n处置要求：核实标本→15 分钟内电话报告临床→记录报告与接听人→医师 30 分钟内处理并记录。\r\n";
        EXPECT_EQ(run.report, expected) << c.value;
        EXPECT_EQ(run.verdict, L"危急值必须闭环：报告、接收、处理、记录");
        EXPECT_EQ(run.level, 0);
    }
}

}  // namespace
