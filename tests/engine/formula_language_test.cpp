#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ios>
#include <string>

#include "engine/formula_language.h"

namespace {

// Inputs t = 30, x = -8; outputs ke and steady as if already computed.
const ToolInput kInputs[] = {
    {"t", L"t", L"", 0},
    {"x", L"x", L"", 0},
    {"dup", L"dup", L"", 0},
};
const ToolOutput kOutputs[] = {
    {"ke", L"ke", nullptr, "", nullptr},
    {"steady", L"steady", nullptr, "", nullptr},
    {"dup", L"dup", nullptr, "", nullptr},
};
const ToolDef kTool = {1, L"", L"", L"", L"", L"", 3, kInputs, 3, kOutputs, 0, nullptr, 0};
const double kInputValues[] = {30.0, -8.0, 5.0};
const double kOutputValues[] = {0.0231, 150.0, 99.0};

struct Case {
    const char* formula;
    double value;
    int32_t flag;
};

void expect_case(const Case& c) {
    int32_t flag = -1;
    double value = evaluate_formula(kTool, c.formula, kInputValues, kOutputValues, &flag);
    EXPECT_EQ(flag, c.flag) << "formula: " << c.formula;
    if (std::isnan(c.value)) {
        EXPECT_TRUE(std::isnan(value)) << "formula: " << c.formula;
    } else {
        EXPECT_DOUBLE_EQ(value, c.value) << "formula: " << c.formula;
    }
}

TEST(FormulaLanguage, DocumentedTable) {
    const Case cases[] = {
        // formula                       value     flag
        {"0.693/t",                      0.0231,   0},
        {"5 * t",                        150,      0},
        {"t>24",                         1,        0},
        {"t>=30",                        1,        0},
        {"t<30",                         0,        0},
        {"t==30",                        1,        0},
        {"t!=30",                        0,        0},
        {"1 < t < 40",                   1,        1},
        {"t = 30",                       30,       1},
        {"t>24 && ke<0.1",               1,        0},
        {"!t",                           0,        0},
        {"!0",                           1,        0},
        {"t>24 ? 1 : 2",                 1,        0},
        {"t>24 ? 1 : t<10 ? 2 : 3",      1,        0},
        {"t>24 ? 1 2",                   1,        1},
        {"t>24 ? 1 : 1/0",               1,        1},
        {"2^3^2",                        512,      0},
        {"-2^2",                         4,        0},
        {"2^-1",                         0.5,      0},
        {"2 ** 3",                       2,        1},
        {"2**3",                         2,        1},
        {"-x",                           8,        0},
        {"+-+x",                         8,        0},
        {"--x",                          -8,       0},
        {"10 % 3",                       1,        0},
        {"mod(10, 3)",                   1,        0},
        {"mod(-7, 3)",                   -1,       0},
        {"mod(7, -3)",                   1,        0},
        {"mod(7, 0)",                    0,        1},
        {"7 % 0",                        0,        1},
        {"10/0 + 1",                     1,        1},
        {"2 * 3/0 * 5",                  0,        1},
        {"sqrt(x)",                      0,        1},
        {"cbrt(x)",                      -std::pow(8.0, 0.3333333333333333), 0},
        {"abs(x)",                       8,        0},
        {"sign(x)",                      -1,       0},
        {"sign(0)",                      0,        0},
        {"round(2.5)",                   3,        0},
        {"round(-2.5)",                  -2,       0},
        {"floor(-1.5)",                  -2,       0},
        {"ceil(-1.5)",                   -1,       0},
        {"log(0)",                       0,        1},
        {"log10(1000)",                  3,        0},
        {"exp(1000)",                    INFINITY, 1},
        {"exp(1000) > 0",                1,        0},
        {"min(t, x)",                    -8,       0},
        {"max(t, x)",                    30,       0},
        {"pow(2, 10)",                   1024,     0},
        {"min(t)",                       0,        1},
        {"sqrt(4, 9)",                   0,        1},
        {"min(1, 2, 3)",                 1,        1},
        {"sqrt (16)",                    4,        0},
        {"( t )",                        30,       0},
        {"T",                            0,        1},
        {"pi",                           0,        1},
        {"t + foo",                      30,       1},
        {"2t",                           2,        1},
        {"1.5.3",                        1.5,      1},
        {".",                            0,        1},
        {"1e3",                          1000,     0},
        {".5",                           0.5,      0},
        {"t<24 || steady>100",           1,        0},
    };
    for (const Case& c : cases) expect_case(c);
}

TEST(FormulaLanguage, FurtherCases) {
    const Case cases[] = {
        // formula                       value     flag
        {"cbrt(64)",                     3.9999999999999996, 0},
        {"\tt\n+\r1 ",                   31,       0},
        {"t\v+ 1",                       30,       1},   // vertical tab is no blank
        {"t\f",                          30,       1},   // nor is form feed
        {"",                             0,        1},
        {" \t\r\n",                      0,        1},
        {"dup",                          5,        0},   // input wins over output
        {"ke",                           0.0231,   0},
        {"0x1A",                         26,       0},
        {"0x",                           0,        1},   // "0" read, "x" left over
        {"5.",                           5,        0},
        {"2.5E-2",                       0.025,    0},
        {"1e",                           1,        1},
        {"1e+",                          1,        1},
        {"1 <= 1",                       1,        0},
        {"1 < = 1",                      0,        1},   // no blank inside "<="
        {"1 & 1",                        1,        1},
        {"1 | 1",                        1,        1},
        {"t !",                          30,       1},
        {"1/exp(1000)",                  0,        0},
        {"pow(-8, 0.5)",                 NAN,      1},
        {"0/0",                          0,        1},
        {"(1",                           1,        1},
        {"sqrt(16",                      4,        1},
        {"min(1,",                       0,        1},
        {"f()",                          0,        1},
        {"sqrt()",                       0,        1},
        {"Sqrt(4)",                      0,        1},   // function names are case-sensitive
        {"unknown(1, 2)",                0,        1},
        {"log10(-1) + 2",                2,        1},
        {"1 ? 2",                        2,        1},   // missing ":" and branch
        {"0 ? 2 : 3",                    3,        0},
        {"(0/0 > 1) ? 5 : 6",            6,        1},
        {"exp(1000) - exp(1000) ? 1 : 2", 1,       0},   // NaN condition counts as not 0
        {"exp(1000) - exp(1000) && 1",   1,        0},
        {"0 || 0",                       0,        0},
        {"0 || 2",                       1,        0},
        {"1 && 0 || 1",                  1,        0},
        {"!(exp(1000) - exp(1000))",     0,        0},
        {"-0 == 0",                      1,        0},
        {"2 * -3",                       -6,       0},
        {"10 - 2 - 3",                   5,        0},
        {"100 / 10 / 5",                 2,        0},
        {"7 % -3",                       1,        0},
        {"1 + 2 * 3 ^ 2",                19,       0},
        {"1 < 2 == 1",                   1,        1},
        {"\x80",                         0,        1},   // bytes beyond ASCII never read
        {"t\xC3\xA9",                    30,       1},
    };
    for (const Case& c : cases) expect_case(c);
}

// The 32-bit and the 64-bit programs compute the same double, to the last bit,
// and that is the correctly rounded one: powers with whole exponents and decimal
// logarithms (where the runtime's 32-bit and 64-bit functions part), and sums
// and products whose intermediate results an x87 unit would keep wider.
TEST(FormulaLanguage, SameBitsOnEveryBuild) {
    const Case cases[] = {
        // formula               value                   flag
        {"1.1^9",                0x1.2dd13add43095p+1,   0},
        {"1.2^6",                0x1.7e34b945308bap+1,   0},
        {"pow(1.4, 9)",          0x1.4a93a5cae67ebp+4,   0},
        {"log10(1.43)",          0x1.3e20d2066bdeep-3,   0},
        {"log10(10.4)",          0x1.045c4c033adcep+0,   0},
        {"5.8*4.8-1.6*5.8",      0x1.28f5c28f5c29p+4,    0},
        {"5.8/4.8+1.6/5.8",      0x1.7bf43ad9bf43ap+0,   0},
        {"(8.5+0.2)*23.1",       0x1.91f0a3d70a3d7p+7,   0},
    };
    for (const Case& c : cases) {
        int32_t flag = -1;
        double value = evaluate_formula(kTool, c.formula, kInputValues, kOutputValues, &flag);
        EXPECT_EQ(flag, c.flag) << c.formula;
        EXPECT_EQ(value, c.value) << c.formula << ": " << std::hexfloat << value;
    }
}

TEST(FormulaLanguage, AbsentFormulaFails) {
    int32_t flag = 0;
    EXPECT_EQ(evaluate_formula(kTool, nullptr, kInputValues, kOutputValues, &flag), 0.0);
    EXPECT_EQ(flag, 1);
}

TEST(FormulaLanguage, NamesOfSixtyThreeCharactersAndMore) {
    std::string name63(63, 'a');
    std::string name64(64, 'a');
    const ToolInput inputs[] = {{name63.c_str(), L"", L"", 0}};
    const ToolDef tool = {1, L"", L"", L"", L"", L"", 1, inputs, 0, nullptr, 0, nullptr, 0};
    const double values[] = {7.0};
    int32_t flag = -1;
    EXPECT_EQ(evaluate_formula(tool, name63.c_str(), values, nullptr, &flag), 7.0);
    EXPECT_EQ(flag, 0);
    evaluate_formula(tool, name64.c_str(), values, nullptr, &flag);
    EXPECT_EQ(flag, 1);
}

// Decimal numbers take a fast exact path; it must agree with strtod bit for bit.
TEST(FormulaLanguage, NumbersAgreeWithStrtod) {
    const char* texts[] = {"0.693", "3.32", "0.1", "0.3", "123456789012345", "1234567890123456",
                           "9007199254740993", "0.000001", "1e22", "1e23", "1e-22", "1e-23",
                           "4.35", "2.675", "1.7976931348623157e308", "5e-324", "0.30000000000000004",
                           "00012.5000", "7.", ".000123e5", "123.456e-7"};
    for (const char* text : texts) {
        int32_t flag = -1;
        double value = evaluate_formula(kTool, text, kInputValues, kOutputValues, &flag);
        EXPECT_EQ(flag, 0) << text;
        EXPECT_EQ(value, std::strtod(text, nullptr)) << text;
    }
    // Pseudo-random short decimals.
    uint32_t seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        uint32_t digits = seed % 100000000u;
        seed = seed * 1103515245u + 12345u;
        int point = static_cast<int>(seed % 9);
        seed = seed * 1103515245u + 12345u;
        int exponent = static_cast<int>(seed % 60) - 30;
        char text[64];
        std::snprintf(text, sizeof text, "%u", digits);
        std::string s(text);
        if (point < static_cast<int>(s.size())) s.insert(s.size() - point, ".");
        s += "e" + std::to_string(exponent);
        int32_t flag = -1;
        double value = evaluate_formula(kTool, s.c_str(), kInputValues, kOutputValues, &flag);
        ASSERT_EQ(value, std::strtod(s.c_str(), nullptr)) << s;
    }
}

// Deep nesting fails instead of exhausting the stack, whatever the construct.
TEST(FormulaLanguage, DeepNestingFailsSafely) {
    const int kDepth = 100000;
    struct Shape {
        const char* open;
        const char* middle;
        const char* close;
    };
    const Shape shapes[] = {
        // open   middle  close
        {"(",     "1",    ")"},
        {"-",     "1",    ""},
        {"!",     "1",    ""},
        {"2^",    "1",    ""},
        {"1?",    "1",    ":1"},
        {"sqrt(", "1",    ")"},
        {"(",     "",     ""},
    };
    for (const Shape& shape : shapes) {
        std::string text;
        for (int i = 0; i < kDepth; ++i) text += shape.open;
        text += shape.middle;
        for (int i = 0; i < kDepth; ++i) text += shape.close;
        int32_t flag = 0;
        double value = evaluate_formula(kTool, text.c_str(), kInputValues, kOutputValues, &flag);
        EXPECT_EQ(flag, 1) << shape.open;
        (void)value;
    }
    // Within the limit nesting still works.
    std::string text(150, '(');
    text += "t";
    text += std::string(150, ')');
    int32_t flag = -1;
    EXPECT_EQ(evaluate_formula(kTool, text.c_str(), kInputValues, kOutputValues, &flag), 30.0);
    EXPECT_EQ(flag, 0);
}

TEST(FormulaLanguage, NonFiniteInputsDoNotFailUntilTheEnd) {
    const double inputs[] = {NAN, INFINITY, 0};
    struct Row {
        const char* formula;
        double value;
        int32_t flag;
    };
    const Row rows[] = {
        // formula        value  flag
        {"t > 1",         0,     0},
        {"t != t",        1,     0},
        {"x > 1",         1,     0},
        {"1 / x",         0,     0},
        {"x - x",         NAN,   1},
        {"t",             NAN,   1},
        {"sqrt(t)",       NAN,   1},
        {"sign(t)",       0,     0},
    };
    for (const Row& row : rows) {
        int32_t flag = -1;
        double value = evaluate_formula(kTool, row.formula, inputs, kOutputValues, &flag);
        EXPECT_EQ(flag, row.flag) << row.formula;
        if (std::isnan(row.value)) {
            EXPECT_TRUE(std::isnan(value)) << row.formula;
        } else {
            EXPECT_EQ(value, row.value) << row.formula;
        }
    }
}

}  // namespace
