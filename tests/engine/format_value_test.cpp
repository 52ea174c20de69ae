#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/format_value.h"
#include "tests/support/guarded_buffer.h"

namespace {

std::wstring format(const char* name, double value, int32_t capacity = 128) {
    GuardedBuffer out(capacity);
    out.data()[0] = L'x';
    format_value(name, value, out.data(), capacity);
    EXPECT_TRUE(out.sound()) << (name ? name : "(null)") << " " << value;
    return out.data();
}

TEST(FormatValue, FormatNames) {
    struct Row {
        const char* name;
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        // name      value      text
        {"f0",       12.3456,   L"12"},
        {"f1",       12.3456,   L"12.3"},
        {"f2",       12.3456,   L"12.35"},
        {"f3",       12.3456,   L"12.346"},
        {"int",      12.3456,   L"12"},
        {"pct",      12.3456,   L"12.3%"},
        {nullptr,    12.3456,   L"12.35"},
        {"F1",       12.3456,   L"12.35"},    // names are case-sensitive
        {"",         12.3456,   L"12.35"},
        {"f1",       -0.04,     L"-0.0400"},  // small values: FormatValue.NonZeroNeverReadsAsZero
        {"date",     0,         L"1970-01-01"},
        {"date",     19723,     L"2024-01-01"},
        {"date",     -1,        L"1969-12-31"},
        {"date",     0.9,       L"1970-01-01"},
        {"date",     -0.9,      L"1970-01-01"},
        {"date",     20794.99,  L"2026-12-07"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(format(row.name, row.value), row.text) << (row.name ? row.name : "(null)");
    }
}

// A non-zero value never prints as zeros alone: 3 significant digits instead,
// fixed-point, or in exponent form where that would not fit. Values the
// format shows with a digit of their own keep their text.
TEST(FormatValue, NonZeroNeverReadsAsZero) {
    struct Row {
        const char* name;
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        // name   value           text
        {"f3",    0.693 / 1400,   L"0.000495"},   // ke of a 1,400 h half-life
        {"f3",    -0.000495,      L"-0.000495"},
        {"f3",    0.0004996,      L"0.000500"},   // rounding to 3 digits carries
        {"f2",    0.004,          L"0.00400"},
        {"f1",    0.04,           L"0.0400"},
        {"f0",    0.4,            L"0.400"},
        {"f0",    0.5,            L"0.500"},      // "%.0f" rounds half to even: "0"
        {"int",   0.25,           L"0.250"},
        {"pct",   0.04,           L"0.0400%"},
        {"f3",    1e-20,          L"0.0000000000000000000100"},
        {"f3",    1e-300,         L"1.00e-300"},
        {"pct",   -5e-324,        L"-4.94e-324%"},
        // a digit of their own, or zero itself: as before
        {"f3",    0.0005,         L"0.001"},
        {"f3",    0.00099996,     L"0.001"},
        {"f3",    0.087,          L"0.087"},
        {"f0",    0.6,            L"1"},
        {"f3",    0.0,            L"0.000"},
        {"f3",    -0.0,           L"-0.000"},
        {"pct",   0.05,           L"0.1%"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(format(row.name, row.value), row.text) << row.name << " " << row.value;
    }
}

const char* const kAllNames[] = {"f0", "f1", "f2", "f3", "int", "pct", "date", "other", nullptr};

TEST(FormatValue, NonFiniteIsTwoDashesForEveryName) {
    for (const char* name : kAllNames) {
        for (double value : {NAN, INFINITY, -INFINITY}) {
            EXPECT_EQ(format(name, value), L"--");
        }
    }
}

// Values whose fixed-point text would not fit the 80-byte scratch are written in
// exponent form, never cut into a different number.
TEST(FormatValue, HugeValuesUseExponentForm) {
    struct Row {
        const char* name;
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        // 1e75 is 75 digits as a double: with ".000" it is 79 characters and still fits
        {"f0",   1e75,     L"999999999999999926539781176481198923508803215199467887262646419780362305536"},
        {"f3",   1e75,     L"999999999999999926539781176481198923508803215199467887262646419780362305536.000"},
        // the exponent form keeps 6 significant digits, not the format's precision
        {"f3",   1e76,     L"1.00000e+76"},
        {"f2",   1e77,     L"1.00000e+77"},
        {"f0",   1.51e79,  L"1.51000e+79"},
        {"f0",   1e308,    L"1.00000e+308"},
        {"f1",   1e308,    L"1.00000e+308"},
        {"f2",   -1e308,   L"-1.00000e+308"},
        {"f3",   1e308,    L"1.00000e+308"},
        {"int",  -1.23456789e300, L"-1.23457e+300"},
        {"pct",  1e308,    L"1.00000e+308%"},
        {"date", 1e308,    nullptr},
    };
    for (const Row& row : rows) {
        std::wstring text = format(row.name, row.value);
        if (row.text != nullptr) EXPECT_EQ(text, row.text) << row.name;
    }
    for (const char* name : kAllNames) {
        for (double value : {1e75, 1e308, -1e308, 1.7976931348623157e308}) {
            std::wstring text = format(name, value);
            EXPECT_FALSE(text.empty());
            EXPECT_LT(text.size(), 80u);
        }
    }
}

TEST(FormatValue, CutAtCapacity) {
    // "12.346" is 6 units: capacity 6 keeps 5, 7 keeps all.
    struct Row {
        const char* name;
        int32_t capacity;
        const wchar_t* text;
    };
    const Row rows[] = {
        {"f3",   1,  L""},
        {"f3",   6,  L"12.34"},
        {"f3",   7,  L"12.346"},
        {"f3",   8,  L"12.346"},
        {"date", 10, L"1970-01-0"},
        {"date", 11, L"1970-01-01"},
        {nullptr, 2, L"1"},
    };
    for (const Row& row : rows) {
        double value = std::string(row.name ? row.name : "") == "date" ? 0.0 : 12.3456;
        EXPECT_EQ(format(row.name, value, row.capacity), row.text) << row.capacity;
    }
    EXPECT_EQ(format("f0", NAN, 2), L"-");
}

}  // namespace

namespace {

// The exact form: the fewest digits that give the same double, never rounded to
// a fixed number of places, no trailing zeros, positional between 1e-6 and 1e21.
TEST(FormatExactValue, FewestDigitsThatGiveTheValueBack) {
    struct Row {
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        {2,             L"2"},
        {0.125,         L"0.125"},
        {12.5,          L"12.5"},
        {0.1,           L"0.1"},
        {4800000,       L"4800000"},
        {1.23456789,    L"1.23456789"},
        {0.1 + 0.2,     L"0.30000000000000004"},
        {0.000001,      L"0.000001"},
        {0.0000001,     L"1e-07"},
        {1e21,          L"1e+21"},
        {-2.5,          L"-2.5"},
        {0,             L"0"},
        {NAN,           L"--"},
        {INFINITY,      L"--"},
    };
    for (const Row& row : rows) {
        GuardedBuffer out(64);
        format_exact_value(row.value, out.data(), 64);
        EXPECT_TRUE(out.sound());
        EXPECT_EQ(std::wstring(out.data()), row.text) << row.value;
    }
}

// Thousands separators from 1,000 on, in the whole part only; the digits are
// those of the exact form.
TEST(FormatValue, GroupedFromOneThousand) {
    struct Row {
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        {999,           L"999"},
        {1000,          L"1,000"},
        {12500,         L"12,500"},
        {999999,        L"999,999"},
        {1000000,       L"1,000,000"},
        {4800000,       L"4,800,000"},
        {1234.5,        L"1,234.5"},
        {0.125,         L"0.125"},
        {-1000,         L"-1,000"},
        {-999.5,        L"-999.5"},
        {123456789012.25, L"123,456,789,012.25"},
        {1e21,          L"1e+21"},
        {0.0000001,     L"1e-07"},
        {NAN,           L"--"},
    };
    for (const Row& row : rows) {
        GuardedBuffer out(64);
        format_grouped_value(row.value, out.data(), 64);
        EXPECT_TRUE(out.sound());
        EXPECT_EQ(std::wstring(out.data()), row.text) << row.value;
    }
    // A buffer too short keeps the beginning, terminated.
    GuardedBuffer short_out(4);
    format_grouped_value(4800000, short_out.data(), 4);
    EXPECT_TRUE(short_out.sound());
    EXPECT_EQ(std::wstring(short_out.data()), L"4,8");
}

}  // namespace
