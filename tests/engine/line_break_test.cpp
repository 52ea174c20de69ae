// Where Chinese text may wrap: each case marks with "|" every place a line may
// break, and only those.
#include <gtest/gtest.h>

#include <string>

#include "engine/line_break.h"

namespace {

const wchar_t* const kBreakCases[] = {
    L"本|班|病|情。|下",              // never before "。"
    L"诊|断，|体",                    // nor "，"
    L"（静|脉）|管",                  // nor "）", and never after "（"
    L"说|明：|输",                    // nor "："
    L"呼|吸|＿次/分 |血",             // "次/分" whole, and its blank "＿"
    L"导|尿／吸|氧",                  // the full-width slash too
    L"体|温|＿℃ |脉",                 // "℃" after its blank
    L"间|隔 |8 小|时",                // "8 小时": a number keeps its unit
    L"第|1天 |08:00",                // "1天", and the ASCII time stays whole
    L"10% |氯|化|钾",                 // "%" after its number
    L"mmHg |Ctrl+P |打|印",           // ASCII words stay whole
    L"start |/wait |\"\" |Kinetora.exe",  // a slash after a blank may open a line
    L"“打|印”|后",                    // quotation marks
    L"＿|＿|＿|＿ |住",               // a long blank wraps inside itself
    L"mmHg |SpO2＿%；|本",            // an ASCII label keeps its blank
};

TEST(LineBreak, BreaksFallOnlyWhereTheCaseMarksThem) {
    for (const wchar_t* marked : kBreakCases) {
        std::wstring text;
        std::wstring expected;
        for (const wchar_t* c = marked; *c != 0; ++c) {
            if (*c == L'|') {
                expected.back() = L'|';
            } else {
                text += *c;
                expected += L'.';
            }
        }
        std::wstring actual;
        const int32_t length = static_cast<int32_t>(text.size());
        for (int32_t i = 1; i <= length; ++i) {
            actual += line_break_allowed(text.c_str(), length, i) ? L'|' : L'.';
        }
        // Position i - 1 of both strings stands for a break before text[i].
        expected.back() = L'.';
        EXPECT_EQ(actual, expected) << marked;
    }
}

TEST(LineBreak, NoBreakAtEitherEndOrOutsideTheText) {
    const wchar_t text[] = L"中文";
    EXPECT_FALSE(line_break_allowed(text, 2, 0));
    EXPECT_FALSE(line_break_allowed(text, 2, 2));
    EXPECT_FALSE(line_break_allowed(text, 2, -1));
    EXPECT_FALSE(line_break_allowed(nullptr, 2, 1));
    EXPECT_TRUE(line_break_allowed(text, 2, 1));
}

}  // namespace
