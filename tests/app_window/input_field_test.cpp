// Reading an input field's text as a number, and an input's default as text.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/input_field.h"

namespace {

std::wstring repeat(wchar_t unit, int count) { return std::wstring(static_cast<size_t>(count), unit); }

}  // namespace

TEST(InputReading, FieldTexts) {
    const double inf = HUGE_VAL;
    const double nan = std::nan("");
    struct Row {
        std::wstring text;
        double value;
        bool finite;
    };
    const Row rows[] = {
        // blanks and the emptiness test
        {L"", 0, true},
        {L"   ", 0, true},
        {L" 12", 12, true},
        {L"\t5", 5, true},       // a tab is not blank, but the conversion skips it
        {L"\t\t", 0, true},
        {L" \t \n7", 7, true},
        // the numeric prefix; the rest is ignored
        {L"12abc", 12, true},
        {L"12 h", 12, true},
        {L"abc", 0, true},
        {L"1,5", 1, true},
        {L"-3.25e1", -32.5, true},
        {L".5", 0.5, true},
        {L"5.", 5, true},
        {L".", 0, true},
        {L"+-5", 0, true},
        {L"1e", 1, true},
        {L"1e+", 1, true},
        {L"2E-3x", 0.002, true},
        {L"0x1A", 26, true},
        {L"-0x1.8p1", -3, true},
        {L"0x", 0, true},
        {L"0xg", 0, true},
        {L"in", 0, true},
        {L"1e-999", 0, true},
        {L"0.1", 0.1, true},
        {L"123456789012345678901234567890", 1.2345678901234568e29, true},
        // not a finite number: the input error
        {L"inf", inf, false},
        {L"-INF", -inf, false},
        {L"Infinity", inf, false},
        {L"infinite", inf, false},
        {L" +inf", inf, false},
        {L"nan", nan, false},
        {L"NaN(12)", nan, false},
        {L"1e999", inf, false},
        {L"-1e999", -inf, false},
        {L"0x1p99999", inf, false},
        // full-width forms typed in full-width mode
        {L"１２．５", 12.5, true},
        {L"\x3000１２", 12, true},
        {L"\x3000\x3000", 0, true},
        {L"－３", -3, true},
        {L"＋７", 7, true},
        {L"１ｅ３", 1000, true},
        {L"２Ｅ２", 200, true},
        {L"１ｅ９９９", inf, false},
        {L"１２ｈ", 12, true},
        {L"12。5", 12.5, true},  // the Chinese input method's full stop
        {L"ｉｎｆ", 0, true},    // only the listed forms are mapped
    };
    for (const Row& row : rows) {
        double value = -1;
        EXPECT_EQ(read_input_value(row.text.c_str(), &value), row.finite) << row.text.size();
        if (std::isnan(row.value)) {
            EXPECT_TRUE(std::isnan(value));
        } else {
            EXPECT_EQ(value, row.value) << row.value;
        }
    }
}

TEST(InputReading, OnlyTheFirst127UnitsCount) {
    double value = 0;
    // 126 blanks and "12": the field holds the "1" only.
    EXPECT_TRUE(read_input_value((repeat(L' ', 126) + L"12").c_str(), &value));
    EXPECT_EQ(value, 1);
    // 127 blanks and a number beyond them: an empty field.
    EXPECT_TRUE(read_input_value((repeat(L' ', 127) + L"5").c_str(), &value));
    EXPECT_EQ(value, 0);
    // A numeric prefix as long as the field itself.
    EXPECT_TRUE(read_input_value((L"1" + repeat(L'0', 130)).c_str(), &value));
    EXPECT_EQ(value, 1e126);
    // A field of 127 "9"s converts whole; beyond the double range it is an error.
    EXPECT_TRUE(read_input_value(repeat(L'9', 127).c_str(), &value));
    EXPECT_EQ(value, 1e127);
    EXPECT_FALSE(read_input_value((L"1e" + repeat(L'9', 125)).c_str(), &value));
}

TEST(InputReading, FullWidthMapping) {
    wchar_t text[] = L"０１２３４５６７８９＋－．。｡Ｅｅ\x3000ｈ，Ａ";
    map_full_width_forms(text);
    EXPECT_EQ(std::wstring(text), L"0123456789+-...Ee ｈ，Ａ");
}

TEST(InputReading, ConversionSkipsClassicWhiteSpaceOnly) {
    EXPECT_EQ(convert_number_prefix(L"\t\n\v\f\r 42"), 42);
    EXPECT_EQ(convert_number_prefix(L"\x00A0" L"42"), 0);  // no-break space is no white space
    EXPECT_EQ(convert_number_prefix(L"\x3000" L"42"), 0);  // mapped before, not here
}

TEST(InputField, DefaultValuesInShortestForm) {
    struct Row {
        double value;
        const wchar_t* text;
    };
    const Row rows[] = {
        {8, L"8"}, {0.5, L"0.5"}, {1234567, L"1.23457e+06"}, {-0.0001, L"-0.0001"},
        {0.00001, L"1e-05"}, {0, L"0"}, {123456, L"123456"},
    };
    for (const Row& row : rows) {
        wchar_t text[kDefaultTextCapacity];
        format_default_value(row.value, text, kDefaultTextCapacity);
        EXPECT_EQ(std::wstring(text), row.text);
    }
}
