// The dispatcher, line appending and input lookup.
#include <gtest/gtest.h>

#include <string>

#include "report_harness.h"

namespace {

using namespace report_test;

TEST(Dispatch, KindsOutsideOneToElevenGiveThePlaceholder) {
    const int32_t kinds[] = {0, -1, 12, 100, INT32_MIN, INT32_MAX};
    TestTool tool;
    make_tool(&tool, {{"kind", 1}, {"drugA", 1}, {"drugB", 2}});
    for (int32_t kind : kinds) {
        ReportRun run = run_report(kind, tool);
        EXPECT_EQ(run.report, L"（该工具暂无自定义报告）") << kind;  // no CR LF
        EXPECT_EQ(run.verdict, L"暂无报告内容") << kind;
        EXPECT_EQ(run.level, 0) << kind;
    }
    // 13 units hold the 12 units of the placeholder whole.
    EXPECT_EQ(run_report(0, tool, 13, 21).report, L"（该工具暂无自定义报告）");
}

TEST(Dispatch, EmptiesBothBuffersBeforeWriting) {
    TestTool tool;
    make_tool(&tool, {});
    for (int32_t kind = -1; kind <= 12; ++kind) {
        GuardedBuffer report(kSelftestReportCapacity);
        GuardedBuffer verdict(kVerdictCapacity);
        wtext_copy(report.data(), report.capacity, L"上一次的报告\r\n");
        wtext_copy(verdict.data(), verdict.capacity, L"上一次的结论");
        build_custom_report(kind, tool.def, tool.values, report.data(), report.capacity,
                            verdict.data(), verdict.capacity);
        ReportRun fresh = run_report(kind, tool);
        EXPECT_EQ(report.text(), fresh.report) << kind;
        EXPECT_EQ(verdict.text(), fresh.verdict) << kind;
    }
}

TEST(Dispatch, EveryKindWritesAReportAndAVerdictThatFitsTwentyThreeUnits) {
    TestTool tool;
    make_tool(&tool, {});
    for (int32_t kind = 1; kind <= 11; ++kind) {
        ReportRun run = run_report(kind, tool, kSelftestReportCapacity, 24);
        EXPECT_FALSE(run.report.empty()) << kind;
        ASSERT_GE(run.report.size(), 2u) << kind;
        EXPECT_EQ(run.report.substr(run.report.size() - 2), L"\r\n") << kind;
        // The longest verdict, a drug pair not on record, has 23 units; 24 hold
        // every one of them whole.
        EXPECT_EQ(run.verdict, run_report(kind, tool).verdict) << kind;
        EXPECT_LE(run.verdict.size(), 23u) << kind;
        EXPECT_FALSE(run.verdict.empty()) << kind;
    }
}

struct AppendCase {
    int32_t capacity;
    const wchar_t* before;
    const wchar_t* format;
    int argument;
    const wchar_t* after;
};

TEST(AppendLine, FollowsTheBoundedAppendRule) {
    const AppendCase cases[] = {
        // cap  before     format        arg  after
        {32,    L"",       L"第%d行",    3,   L"第3行\r\n"},
        {32,    L"x\r\n",  L"%02d 床",   7,   L"x\r\n07 床\r\n"},
        {32,    L"",       L"SpO2＿%%",  0,   L"SpO2＿%\r\n"},
        {7,     L"ab",     L"cd",        0,   L"abcd\r\n"},   // fits exactly
        {6,     L"ab",     L"cd",        0,   L"abcd\r"},     // one free unit: a lone CR
        {5,     L"ab",     L"cdef",      0,   L"abcd"},       // cut inside the line, no CR LF
        {5,     L"ab",     L"c%dz",      12,  L"abc1"},
        {3,     L"ab",     L"cd",        0,   L"ab"},         // full: nothing more
        {1,     L"",       L"cd",        0,   L""},
    };
    for (const AppendCase& c : cases) {
        GuardedBuffer buffer(c.capacity);
        wtext_copy(buffer.data(), c.capacity, c.before);
        append_line(buffer.data(), c.capacity, c.format, c.argument);
        EXPECT_TRUE(buffer.sound());
        EXPECT_EQ(buffer.text(), c.after) << utf8(c.format) << " capacity " << c.capacity;
    }
}

TEST(AppendLine, CutsAFormattedLineAt511UnitsAndStillClosesIt) {
    GuardedBuffer buffer(2048);
    buffer.data()[0] = 0;
    append_line(buffer.data(), buffer.capacity, L"%0600d", 7);
    EXPECT_TRUE(buffer.sound());
    EXPECT_EQ(buffer.text(), std::wstring(511, L'0') + L"\r\n");
}

TEST(AppendTextLine, CopiesAFixedLineUnchanged) {
    const wchar_t* fixed_lines[] = {
        L"高浓度电解质：10% 氯化钾、10% 氯化钠、25% 硫酸镁",
        L"100%d %ls %% %",
        L"",
    };
    for (const wchar_t* line : fixed_lines) {
        GuardedBuffer buffer(256);
        buffer.data()[0] = 0;
        append_text_line(buffer.data(), buffer.capacity, line);
        EXPECT_TRUE(buffer.sound());
        EXPECT_EQ(buffer.text(), std::wstring(line) + L"\r\n");
    }
    GuardedBuffer small(6);
    wtext_copy(small.data(), small.capacity, L"ab");
    append_text_line(small.data(), small.capacity, L"1%");
    EXPECT_TRUE(small.sound());
    EXPECT_EQ(small.text(), L"ab1%\r");
}

TEST(AppendTextLine, CutsALongLineAt511Units) {
    std::wstring line(700, L'字');
    GuardedBuffer buffer(2048);
    buffer.data()[0] = 0;
    append_text_line(buffer.data(), buffer.capacity, line.c_str());
    EXPECT_TRUE(buffer.sound());
    EXPECT_EQ(buffer.text(), std::wstring(511, L'字') + L"\r\n");
}

TEST(FindInputValue, MatchesTheFirstEqualKeyByteForByte) {
    TestTool tool;
    make_tool(&tool, {{"kinds", 1}, {"Kind", 2}, {"kind", 3}, {"kind", 4}, {"kin", 5}});
    struct Lookup {
        const char* key;
        bool found;
        double value;
    };
    const Lookup lookups[] = {
        // key      found  value
        {"kind",    true,  3},   // the first of two equal keys
        {"Kind",    true,  2},   // case-sensitive
        {"kin",     true,  5},
        {"KIND",    false, -7},  // missing: the value is left untouched
        {"kind ",   false, -7},
        {"",        false, -7},
    };
    for (const Lookup& lookup : lookups) {
        double value = -7;
        EXPECT_EQ(find_input_value(tool.def, tool.values, lookup.key, &value), lookup.found)
            << lookup.key;
        EXPECT_EQ(value, lookup.value) << lookup.key;
    }
}

TEST(FindWholeInput, TruncatesTowardZeroAndSaturates) {
    struct Whole {
        double value;
        int32_t whole;
    };
    const Whole cases[] = {
        // value           whole
        {2.9,              2},
        {-0.5,             0},
        {-2.9,             -2},
        {12.7,             12},
        {kTwo31 - 1,       INT32_MAX},
        {kTwo31 - 0.5,     INT32_MAX},
        {kTwo31,           INT32_MAX},
        {1e308,            INT32_MAX},
        {kInf,             INT32_MAX},
        {-kTwo31,          INT32_MIN},
        {-kTwo31 - 1,      INT32_MIN},
        {-1e308,           INT32_MIN},
        {-kInf,            INT32_MIN},
        {kNaN,             0},
        {-kNaN,            0},
        {-0.0,             0},
    };
    for (const Whole& c : cases) {
        TestTool tool;
        make_tool(&tool, {{"n", c.value}});
        EXPECT_EQ(find_whole_input(tool.def, tool.values, "n"), c.whole) << c.value;
    }
    TestTool empty;
    make_tool(&empty, {});
    EXPECT_EQ(find_whole_input(empty.def, empty.values, "n"), 0);
}

}  // namespace

// The numbers the window lists under the inputs: every number of the report's
// own table, in order, each with a name the report itself gives that number
// (its line of valid numbers, or the drug number lines), and nothing for a
// report without a lookup number.
struct ChoicesCase {
    int32_t kind;
    int32_t count;  // lines of the list; 0: no list
};

const ChoicesCase kChoicesCases[] = {
    {0, 0}, {1, 0}, {2, 0}, {3, 6}, {4, 6}, {5, 4}, {6, 10},
    {7, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 6}, {12, 0}, {-1, 0},
};

TEST(Dispatch, ChoicesListEveryNumberOfTheReportsOwnTableWithItsName) {
    for (const ChoicesCase& c : kChoicesCases) {
        GuardedBuffer out(1024);
        const int32_t written = build_custom_report_choices(c.kind, out.data(), out.capacity);
        EXPECT_TRUE(out.sound()) << c.kind;
        const std::wstring list = out.text();
        EXPECT_EQ(written, static_cast<int32_t>(list.size())) << c.kind;
        if (c.count == 0) {
            EXPECT_EQ(list, L"") << c.kind;
            continue;
        }
        // A number that names no row: the report names every valid number.
        TestTool tool;
        make_tool(&tool, {{"kind", 99}, {"panel", 99}, {"drugA", 99}, {"drugB", 98}});
        const std::wstring report = run_report(c.kind, tool).report;
        size_t start = 0;
        int32_t number = 0;
        while (start <= list.size()) {
            size_t end = list.find(L"\r\n", start);
            if (end == std::wstring::npos) end = list.size();
            const std::wstring line = list.substr(start, end - start);
            ++number;
            const std::wstring head = std::to_wstring(number) + L" ";
            ASSERT_EQ(line.substr(0, head.size()), head) << c.kind << " line " << number;
            const std::wstring name = line.substr(head.size());
            EXPECT_FALSE(name.empty()) << c.kind << " line " << number;
            EXPECT_NE(report.find(name), std::wstring::npos) << c.kind << ": " << name.c_str();
            start = end + 2;
        }
        EXPECT_EQ(number, c.count) << c.kind;
    }
}

TEST(Dispatch, ChoicesThatDoNotFitGiveNoListRatherThanPartOfOne) {
    GuardedBuffer whole(1024);
    const int32_t length = build_custom_report_choices(6, whole.data(), whole.capacity);
    ASSERT_GT(length, 0);
    for (int32_t capacity : {1, 2, length}) {
        GuardedBuffer out(capacity);
        wtext_copy(out.data(), capacity, L"旧");
        EXPECT_EQ(build_custom_report_choices(6, out.data(), capacity), 0) << capacity;
        EXPECT_EQ(out.text(), L"") << capacity;
        EXPECT_TRUE(out.sound()) << capacity;
    }
    GuardedBuffer exact(length + 1);
    EXPECT_EQ(build_custom_report_choices(6, exact.data(), exact.capacity), length);
    EXPECT_EQ(exact.text(), whole.text());
}
