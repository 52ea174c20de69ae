#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/selftest.h"
#include "tests/support/guarded_buffer.h"

namespace {

std::wstring selftest_text(const ToolDef& tool, int32_t* exit_code,
                           int32_t capacity = kSelftestTextCapacity) {
    GuardedBuffer text(capacity);
    *exit_code = build_selftest_text(tool, text.data(), capacity);
    EXPECT_TRUE(text.sound());
    return text.data();
}

TEST(SelftestText, BuiltInToolGivesTheEightLines) {
    int32_t exit_code = -1;
    std::wstring text = selftest_text(get_tool_definition(), &exit_code);
    EXPECT_EQ(exit_code, 0);
    EXPECT_EQ(text,
              L"TOOL|30|Kinetora|临床药理\r\n"
              L"LEVEL|0\r\n"
              L"OUT|消除速率常数|0.087|1/h\r\n"
              L"OUT|达稳态时间|40.0|h\r\n"
              L"OUT|消除 90% 时间|26.6|h\r\n"
              L"VERDICT|药代参数估算完成\r\n"
              L"DETAIL|消除速率常数：0.087 1/h 达稳态时间：40.0 h 消除 90% 时间：26.6 h \r\n"
              L"ERRORS|0\r\n");
}

// Outputs are evaluated on their own for the OUT lines (other outputs read 0),
// while DETAIL shows compute_tool's chained values.
const ToolInput kInputs[] = {{"a", L"甲", L"", 4.0}};
const ToolOutput kOutputs[] = {
    // key    label  unit      formula      format
    {"base",  L"基", L"mg",    "a * 2",     "f0"},
    {"ratio", L"比", nullptr,  "a / base",  "f2"},
    {"pipe",  L"竖|线", L"",   "base + 1",  "f0"},
};
const ToolRule kRules[] = {{"ratio > 0.4", 2, L"比例|高"}};
const ToolDef kChainTool = {9, L"链|工具", L"", L"测试", L"", L"", 1, kInputs, 3, kOutputs,
                            1, kRules, 0};

TEST(SelftestText, OutputsEvaluatedOnTheirOwn) {
    int32_t exit_code = -1;
    std::wstring text = selftest_text(kChainTool, &exit_code);
    EXPECT_EQ(exit_code, 2);
    EXPECT_EQ(text,
              L"TOOL|9|链|工具|测试\r\n"
              L"LEVEL|2\r\n"
              L"OUT|基|8|mg\r\n"
              L"OUT|比|0.00|\r\n"
              L"OUT|竖|线|1|\r\n"
              L"VERDICT|比例|高\r\n"
              L"DETAIL|基：8 mg 比：0.50 竖|线：9 \r\n"
              L"ERRORS|1\r\n");
}

TEST(SelftestText, NoOutputsAndCustomKind) {
    const ToolRule rules[] = {{"", 0, L""}};
    const ToolDef empty_tool = {1, L"空", L"", L"类", L"", L"", 0, nullptr, 0, nullptr, 1, rules, 0};
    int32_t exit_code = -1;
    EXPECT_EQ(selftest_text(empty_tool, &exit_code),
              L"TOOL|1|空|类\r\nLEVEL|0\r\nVERDICT|请核对输入参数后重新计算\r\nDETAIL|\r\nERRORS|0\r\n");
    EXPECT_EQ(exit_code, 0);

    // A custom-report tool: one fixed OUT line, no output evaluated (its
    // formula would fail), exit code 0.
    const ToolOutput failing[] = {{"x", L"x", L"", "1/0", nullptr}};
    const ToolDef custom = {2, L"占位", L"", L"类", L"", L"", 0, nullptr, 1, failing, 0, nullptr, 99};
    std::wstring text = selftest_text(custom, &exit_code);
    EXPECT_EQ(exit_code, 0);
    EXPECT_EQ(text,
              L"TOOL|2|占位|类\r\nLEVEL|0\r\nOUT|报告文本|见 DETAIL|\r\n"
              L"VERDICT|暂无报告内容\r\nDETAIL|（该工具暂无自定义报告）\r\nERRORS|0\r\n");
}

TEST(SelftestText, FlatteningRules) {
    struct Row {
        std::wstring report;
        std::wstring flattened;
    };
    const Row rows[] = {
        {L"a\r\nb\r\n", L"a b "},
        {L"lone\nLF", L"lone LF"},
        {L"lone\rCR", L"loneCR"},
        {L"tab\there", L"tab\there"},
        // Whatever is left after 8000 units is announced, never dropped silently.
        {std::wstring(8000, L'x') + L"\r\n", std::wstring(8000, L'x')},
        {std::wstring(8001, L'x'), std::wstring(8000, L'x') + L" ……（内容过长，已截断）"},
        {std::wstring(5000, L'\r') + std::wstring(8000, L'y') + L"z",
         std::wstring(8000, L'y') + L" ……（内容过长，已截断）"},
    };
    for (const Row& row : rows) {
        std::vector<wchar_t> text(kSelftestTextCapacity, 0);
        append_flattened_report(text.data(), kSelftestTextCapacity, row.report.c_str());
        EXPECT_EQ(std::wstring(text.data()) == row.flattened, true) << row.report.size();
    }
    // The file text's own capacity bounds the append.
    GuardedBuffer small(5);
    small.data()[0] = 0;
    append_flattened_report(small.data(), 5, L"abcdef");
    EXPECT_EQ(std::wstring(small.data()), L"abcd");
    EXPECT_TRUE(small.sound());
}

TEST(SelftestText, TextStaysWithinItsBuffer) {
    for (int32_t capacity : {1, 2, 20, 100}) {
        int32_t exit_code = -1;
        std::wstring text = selftest_text(get_tool_definition(), &exit_code, capacity);
        EXPECT_EQ(exit_code, 0);
        EXPECT_EQ(text.size(), static_cast<size_t>(capacity - 1));
    }
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Each write says whether the whole text reached the file.
TEST(Utf8File, WritesBytesWithoutMarkOrZeroAndSaysWhetherWhole) {
    const std::string path = testing::TempDir() + "kinetora_utf8_test.txt";
    const std::string missing = testing::TempDir() + "no_such_folder_k/x.txt";
    const std::wstring fits(2730, L'中');  // 2730 three-byte units and the zero byte: 8191 bytes
    std::string fits_bytes;
    for (int i = 0; i < 2730; ++i) fits_bytes += "\xE4\xB8\xAD";
    struct Row {
        const std::string* path;
        std::wstring text;
        bool whole;
        std::string bytes;  // the file afterwards
    };
    const Row rows[] = {
        {&path, L"半衰期|8\r\n", true, "\xE5\x8D\x8A\xE8\xA1\xB0\xE6\x9C\x9F|8\r\n"},
        {&path, fits, true, fits_bytes},
        // One more unit needs 8192 bytes: the file is emptied and stays empty.
        {&path, fits + L"x", false, ""},
        // A folder that does not exist: nothing is written.
        {&missing, L"x", false, ""},
    };
    for (const Row& row : rows) {
        const std::wstring wide_path(row.path->begin(), row.path->end());
        EXPECT_EQ(write_utf8_file(wide_path.c_str(), row.text.c_str()), row.whole)
            << row.text.size();
        EXPECT_EQ(read_file(*row.path), row.bytes) << row.text.size();
    }
    std::remove(path.c_str());
}

}  // namespace
