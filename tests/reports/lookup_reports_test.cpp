// Drug compatibility (kind 6) and critical values (kind 4).
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <string>

#include "report_harness.h"
#include "reports/compat_drugs.h"

namespace {

using namespace report_test;

const wchar_t kCalcium[] =
    L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。";
const wchar_t kCalciumNewborn[] =
    L"结论：禁忌配伍。头孢曲松与含钙注射液可形成不溶性沉淀；钙剂与碳酸氢钠亦不宜同瓶。"
    L"新生儿（≤28 天）禁止与任何含钙静脉制剂合用，即使不同管路、不同时间输注。";
const wchar_t kDopamine[] =
    L"结论：禁忌配伍。多巴胺在碳酸氢钠等碱性溶液中失活，不可同瓶或同管连续输注，应分开通路或充分冲管。";
const wchar_t kCeftriaxoneVancomycin[] =
    L"结论：不宜同瓶。两药说明书均载混合后物理性不相容（沉淀），须分开输注，两药之间充分冲管。";
const wchar_t kVancomycin[] =
    L"结论：不宜同瓶。万古霉素与碱性药物/奥美拉唑配伍稳定性差，应分开输注并冲管。";
const wchar_t kFurosemide[] = L"结论：不宜同瓶。呋塞米与多巴胺、氨溴索与碱性液混合易发生理化变化。";
const wchar_t kOmeprazole[] =
    L"结论：不宜同瓶。注射用奥美拉唑钠说明书：仅用 0.9% 氯化钠或 5% 葡萄糖溶解稀释，禁止与其他药物混合，应单独输注。";
const wchar_t kVitaminCBicarbonate[] =
    L"结论：禁忌配伍。维生素C注射液说明书载其与碳酸氢钠配伍禁忌（碱性溶液中易氧化失效），不可同瓶或同管连续输注。";
const wchar_t kCeftriaxoneAmbroxol[] =
    L"结论：不宜同瓶。有研究报告头孢曲松钠与盐酸氨溴索混合后出现白色浑浊或絮状沉淀，须分开输注，两药之间充分冲管。";
const wchar_t kVancomycinFurosemide[] =
    L"结论：不宜同瓶。万古霉素与呋塞米经 Y 型管同输不相容（沉淀），须分开输注，两药之间充分冲管。";
const wchar_t kReported[] = L"结论：有文献报告两药混合后出现浑浊或沉淀，建议分开输注，请药师核对。";
const wchar_t kNoRecord[] =
    L"结论：本工具未收录该组合，不能据此判断可以同瓶或同管；请查说明书与本院配伍表，未确认前分开输注并冲管。";
const wchar_t kNoRecordVerdict[] = L"未收录：无法判断能否配伍，请查说明书或本院配伍表";
const wchar_t kNever[] = L"禁忌：不可同瓶输注，需间隔冲管";
const wchar_t kFlush[] = L"不宜同瓶，分开输注并冲管";

struct Pair {
    int32_t low;
    int32_t high;
    const wchar_t* conclusion;
    const wchar_t* verdict;
    int32_t level;
};

const Pair kListedPairs[] = {
    // low high conclusion               verdict                    level
    {1,    2,   kCalciumNewborn,         kNever,                    3},
    {2,    9,   kCalcium,                kNever,                    3},
    {9,    10,  kDopamine,               kNever,                    3},
    {7,    9,   kVitaminCBicarbonate,    kNever,                    3},
    {1,    3,   kCeftriaxoneVancomycin,  kFlush,                    2},
    {3,    6,   kVancomycin,             kFlush,                    2},
    {3,    9,   kVancomycin,             kFlush,                    2},
    {1,    5,   kCeftriaxoneAmbroxol,    kFlush,                    2},
    {3,    4,   kVancomycinFurosemide,   kFlush,                    2},
    {4,    10,  kFurosemide,             L"不宜同瓶，建议分开输注", 2},
    {5,    9,   kFurosemide,             L"不宜同瓶，建议分开输注", 2},
    {1,    6,   kOmeprazole,             kFlush,                    2},
    {2,    6,   kOmeprazole,             kFlush,                    2},
    {4,    6,   kOmeprazole,             kFlush,                    2},
    {5,    6,   kOmeprazole,             kFlush,                    2},
    {6,    7,   kOmeprazole,             kFlush,                    2},
    {6,    8,   kOmeprazole,             kFlush,                    2},
    {6,    9,   kOmeprazole,             kFlush,                    2},
    {6,    10,  kOmeprazole,             kFlush,                    2},
    {1,    7,   kReported,               L"建议分开输注",           1},
    {4,    5,   kReported,               L"建议分开输注",           1},
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
    for (int32_t i = 0; i < 10; ++i) EXPECT_STREQ(kCompatDrugNames[i], kNames[i]) << i + 1;
}

// The least level each ordered pair must reach, row drug A, column drug B. No
// pair is ever green: a pair not on record is not known to be compatible.
// Omeprazole (6) is given alone; bicarbonate with dopamine (9, 10) or vitamin C
// (7, 9) and ceftriaxone with calcium (1, 2) are contraindicated.
const int32_t kMinimumLevel[10][10] = {
    //  1  2  3  4  5  6  7  8  9 10
    {1, 3, 2, 1, 2, 2, 1, 1, 1, 1},  //  1 头孢曲松
    {3, 1, 1, 1, 1, 2, 1, 1, 3, 1},  //  2 葡萄糖酸钙
    {2, 1, 1, 2, 1, 2, 1, 1, 2, 1},  //  3 万古霉素
    {1, 1, 2, 1, 1, 2, 1, 1, 1, 2},  //  4 呋塞米
    {2, 1, 1, 1, 1, 2, 1, 1, 2, 1},  //  5 氨溴索
    {2, 2, 2, 2, 2, 1, 2, 2, 2, 2},  //  6 奥美拉唑
    {1, 1, 1, 1, 1, 2, 1, 1, 3, 1},  //  7 维生素C
    {1, 1, 1, 1, 1, 2, 1, 1, 1, 1},  //  8 胰岛素
    {1, 3, 2, 1, 2, 2, 3, 1, 1, 3},  //  9 碳酸氢钠
    {1, 1, 1, 2, 1, 2, 1, 1, 3, 1},  // 10 多巴胺
};

TEST(Compatibility, EveryOrderedPairReachesItsLeastLevel) {
    for (int32_t a = 1; a <= 10; ++a) {
        for (int32_t b = 1; b <= 10; ++b) {
            TestTool tool;
            make_tool(&tool, {{"drugA", static_cast<double>(a)}, {"drugB", static_cast<double>(b)}});
            EXPECT_GE(run_report(6, tool).level, kMinimumLevel[a - 1][b - 1]) << a << "+" << b;
        }
    }
}

// Every ordered pair of two different drugs 1 to 10: listed pairs in either
// order give their row, every other pair the closing row.
TEST(Compatibility, EveryPairInBothOrders) {
    for (int32_t a = 1; a <= 10; ++a) {
        for (int32_t b = 1; b <= 10; ++b) {
            const Pair* listed = nullptr;
            for (const Pair& pair : kListedPairs) {
                if ((pair.low == a && pair.high == b) || (pair.low == b && pair.high == a)) {
                    listed = &pair;
                }
            }
            if (a == b) continue;  // the same drug twice: NumbersAsEnteredAndOutOfRange
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
        {{"drugA", 7},   {"drugB", 6},   L"待查：7 号 维生素C  +  6 号 奥美拉唑",     2},
        {{"drugA", 10},  {"drugB", 4},   L"待查：10 号 多巴胺  +  4 号 呋塞米",       2},
        // The same drug twice is not a pair: a slip to check.
        {{"drugA", 3},   {"drugB", 3},   L"待查：3 号 万古霉素  +  3 号 万古霉素",    1},
        // A number outside 1 to 10 names no drug and the pair is not judged.
        {{"drugA", 0},   {"drugB", 2},   L"待查：0 号 （无此编号）  +  2 号 葡萄糖酸钙",  1},
        {{nullptr, 0},   {"drugB", 1},   L"待查：0 号 （无此编号）  +  1 号 头孢曲松",    1},
        {{"drugA", 11},  {"drugB", 5},   L"待查：11 号 （无此编号）  +  5 号 氨溴索",     1},
        {{"drugA", -1},  {"drugB", 2},   L"待查：-1 号 （无此编号）  +  2 号 葡萄糖酸钙", 1},
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
        if (c.a.value == 3 && c.b.value == 3) {
            EXPECT_EQ(got[5], L"结论：两个编号为同一药物，无法判断配伍，请核对编号。");
            EXPECT_EQ(run.verdict, L"两个编号为同一药物，请核对");
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
    int32_t first_line;  // index in kCriticalLines; -1: a number that names no group
    int32_t line_count;
};

const wchar_t kCriticalNumbers[] =
    L"危急值类别编号须为 1–6：1 电解质，2 血糖与血气，3 血常规，4 凝血，5 微生物与感染，6 心肌与胰腺。";

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
};

TEST(CriticalValues, HeadingGroupLinesThenTheProcedure) {
    const Group cases[] = {
        // key    value  first  count
        {"kind",  1,     0,     3},
        {"kind",  2,     3,     2},
        {"kind",  3,     5,     2},
        {"kind",  4,     7,     2},
        {"kind",  5,     9,     2},
        {"kind",  6,     11,    2},
        {"kind",  0,     -1,    0},
        {"kind",  7,     -1,    0},
        {"kind",  -1,    -1,    0},
        {"kind",  kNaN,  -1,    0},
        {"panel", 1,     -1,    0},
        {nullptr, 0,     -1,    0},
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
        if (c.first_line < 0) {
            const bool is_kind = c.key != nullptr && std::string(c.key) == "kind";
            wchar_t number[64];
            wtext_format(number, 64, L"类别：%d 号（无此编号）\r\n",
                         static_cast<int>(is_kind && !std::isnan(c.value) ? c.value : 0));
            expected += std::wstring(number) + kCriticalNumbers + L"\r\n";
        }
        // The national rule's steps, and no minute limit of its own.
        expected += L"\r\n处置要求：检验科双人核对→立即电话通知临床→接听人记录、复读确认→立即报告主管或值班医师→"
                    L"医师处置并记录（时限按本院规定）。\r\n";
        EXPECT_EQ(run.report, expected) << c.value;
        EXPECT_EQ(run.verdict, c.first_line < 0 ? L"编号无效，请核对" : L"危急值必须闭环：报告、接收、处理、记录");
        EXPECT_EQ(run.level, c.first_line < 0 ? 1 : 0);
    }
}

}  // namespace
