// Reading an input field's text as a number, and an input's default as text.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <string>

#include "window/input_field.h"

namespace {

std::wstring repeat(wchar_t unit, int count) { return std::wstring(static_cast<size_t>(count), unit); }

}  // namespace

// The inputs the table reads for: a number with an ASCII unit, a time of day,
// a unit of two CJK units and a slash, and no unit at all.
const ToolInput kHalfLife = {"t", L"半衰期", L"h", 8.0};
const ToolInput kFirstDose = {"start", L"首剂时间", L"时", 8.0, InputForm::time_of_day};
const ToolInput kDripRate = {"gtt", L"滴速", L"滴/分", 40.0};
const ToolInput kNoUnit = {"n", L"编号", nullptr, 1.0};

TEST(InputReading, WholeFieldOrNothing) {
    struct Row {
        const ToolInput* input;
        std::wstring text;
        bool accepted;
        double value;  // when accepted
    };
    const Row rows[] = {
        // plain decimal numbers, blanks around them trimmed
        {&kHalfLife, L"12", true, 12},
        {&kHalfLife, L" 12\t", true, 12},
        {&kHalfLife, L"\x3000" L"12\x3000", true, 12},
        {&kHalfLife, L"\x00A0" L"12", true, 12},
        {&kHalfLife, L"-3.25e1", true, -32.5},
        {&kHalfLife, L"+7", true, 7},
        {&kHalfLife, L".5", true, 0.5},
        {&kHalfLife, L"5.", true, 5},
        {&kHalfLife, L"2E-3", true, 0.002},
        {&kHalfLife, L"0.1", true, 0.1},
        {&kNoUnit, L"12 ", true, 12},
        {&kHalfLife, L"1e-999", true, 0},
        {&kHalfLife, L"123456789012345678901234567890", true, 1.2345678901234568e29},
        // full-width forms and the Chinese full stop
        {&kHalfLife, L"１２．５", true, 12.5},
        {&kHalfLife, L"12。5", true, 12.5},
        {&kHalfLife, L"－３", true, -3},
        {&kHalfLife, L"１ｅ３", true, 1000},
        // the field's own unit, with or without blanks, in any case or width
        {&kHalfLife, L"12 h", true, 12},
        {&kHalfLife, L"12h", true, 12},
        {&kHalfLife, L"12 H", true, 12},
        {&kHalfLife, L"１２ｈ", true, 12},
        {&kDripRate, L"40滴/分", true, 40},
        {&kDripRate, L"40 滴／分", true, 40},
        {&kFirstDose, L"8时", true, 8},
        // a time of day where the input takes one
        {&kFirstDose, L"22:30", true, 22.5},
        {&kFirstDose, L"7:45", true, 7.75},
        {&kFirstDose, L" 00:00 ", true, 0},
        {&kFirstDose, L"２３：５９", true, 23 + 59 / 60.0},
        {&kFirstDose, L"22.5", true, 22.5},
        // refused: nothing, text, a second number, other notations
        {&kHalfLife, L"", false, 0},
        {&kHalfLife, L"   ", false, 0},
        {&kHalfLife, L"\t\t", false, 0},
        {&kHalfLife, L"abc", false, 0},
        {&kHalfLife, L"12abc", false, 0},
        {&kHalfLife, L"1,5", false, 0},
        {&kHalfLife, L"12,5", false, 0},
        {&kHalfLife, L"1 5", false, 0},
        {&kHalfLife, L"1/2", false, 0},
        {&kHalfLife, L"1.2.3", false, 0},
        {&kHalfLife, L"+-5", false, 0},
        {&kHalfLife, L".", false, 0},
        {&kHalfLife, L"-", false, 0},
        {&kHalfLife, L"1e", false, 0},
        {&kHalfLife, L"1e+", false, 0},
        {&kHalfLife, L"0x10", false, 0},
        {&kHalfLife, L"0x1A", false, 0},
        {&kHalfLife, L"inf", false, 0},
        {&kHalfLife, L"-INF", false, 0},
        {&kHalfLife, L"Infinity", false, 0},
        {&kHalfLife, L"nan", false, 0},
        {&kHalfLife, L"1e400", false, 0},
        {&kHalfLife, L"-1e999", false, 0},
        {&kHalfLife, L"１ｅ９９９", false, 0},
        {&kHalfLife, L"ｉｎｆ", false, 0},
        // refused: another unit, a unit alone, a unit where the input has none
        {&kHalfLife, L"12 min", false, 0},
        {&kHalfLife, L"12 hh", false, 0},
        {&kHalfLife, L"h", false, 0},
        {&kHalfLife, L"12 h h", false, 0},
        {&kFirstDose, L"2周", false, 0},
        {&kNoUnit, L"12A", false, 0},
        // refused: a time of day where the input takes none, or no time of day
        {&kHalfLife, L"22:30", false, 0},
        {&kFirstDose, L"24:00", false, 0},
        {&kFirstDose, L"22:60", false, 0},
        {&kFirstDose, L"22:5", false, 0},
        {&kFirstDose, L"122:30", false, 0},
        {&kFirstDose, L"22:30时", false, 0},
        {&kFirstDose, L"-1:30", false, 0},
        {&kFirstDose, L"22:30:00", false, 0},
    };
    for (const Row& row : rows) {
        double value = -1;
        const bool accepted = read_input_value(*row.input, row.text.c_str(), &value);
        EXPECT_EQ(accepted, row.accepted) << row.text.size() << " units, input " << row.input->key;
        EXPECT_EQ(value, row.accepted ? row.value : -1) << row.text.size() << " units";
    }
}

// Only an input the tool marks optional may be left empty: read as NaN, "not
// given". Text in it is read as in any other field.
TEST(InputReading, OnlyAnOptionalFieldMayBeEmpty) {
    const ToolInput kBed = {"bed", L"床号", L"床", 12.0, InputForm::number, true};
    struct Row {
        const ToolInput* input;
        const wchar_t* text;
        bool accepted;
        bool not_given;
    };
    const Row rows[] = {
        {&kBed,       L"",              true,  true},
        {&kBed,       L" \x3000\t",     true,  true},
        {&kBed,       L"12",            true,  false},
        {&kBed,       L"床",            false, false},
        {&kBed,       L"加12",          false, false},
        {&kHalfLife,  L"",              false, false},
        {&kHalfLife,  L"  ",            false, false},
        {&kFirstDose, L"",              false, false},
    };
    for (const Row& row : rows) {
        double value = -1;
        const bool accepted = read_input_value(*row.input, row.text, &value);
        EXPECT_EQ(accepted, row.accepted) << row.input->key << " " << wcslen(row.text);
        EXPECT_EQ(std::isnan(value), row.not_given) << row.input->key << " " << wcslen(row.text);
    }
}

TEST(InputReading, TextsLongerThanTheFieldAreRefused) {
    double value = 0;
    // 125 blanks and "12": 127 units, read whole.
    EXPECT_TRUE(read_input_value(kHalfLife, (repeat(L' ', 125) + L"12").c_str(), &value));
    EXPECT_EQ(value, 12);
    // 126 blanks and "12": one unit more than is read, never half of the number.
    EXPECT_FALSE(read_input_value(kHalfLife, (repeat(L' ', 126) + L"12").c_str(), &value));
    // A field of 127 "9"s converts whole; beyond the double range it is refused.
    EXPECT_TRUE(read_input_value(kHalfLife, repeat(L'9', 127).c_str(), &value));
    EXPECT_EQ(value, 1e127);
    EXPECT_FALSE(read_input_value(kHalfLife, (L"1e" + repeat(L'9', 125)).c_str(), &value));
}

TEST(InputReading, FullWidthMapping) {
    wchar_t text[] = L"０１２３４５６７８９＋－．。｡Ｅｅ\x3000ｈ，Ａ";
    map_full_width_forms(text);
    EXPECT_EQ(std::wstring(text), L"0123456789+-...Ee ｈ，Ａ");
}

TEST(InputReading, PlainNumberIsTheWholeText) {
    double value = -1;
    EXPECT_TRUE(parse_plain_number(L"42", 2, &value));
    EXPECT_EQ(value, 42);
    // Only the given length counts; blanks are the caller's to trim.
    EXPECT_TRUE(parse_plain_number(L"42abc", 2, &value));
    EXPECT_FALSE(parse_plain_number(L" 42", 3, &value));
    EXPECT_FALSE(parse_plain_number(L"\t\n\v\f\r 42", 8, &value));
    EXPECT_FALSE(parse_plain_number(L"", 0, &value));
    EXPECT_EQ(value, 42);
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
