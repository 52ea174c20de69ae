#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/checked.h"
#include "engine/wide_text.h"
#include "tests/support/guarded_buffer.h"

namespace {

TEST(WideText, AppendBoundsAroundCapacity) {
    // Buffer holds "ab"; appending "cde" into capacities one below, at and past the fit.
    struct Row {
        int32_t capacity;
        const wchar_t* expected;
    };
    const Row rows[] = {{1, L""}, {2, L"a"}, {3, L"ab"}, {5, L"abcd"}, {6, L"abcde"}, {7, L"abcde"}};
    for (const Row& row : rows) {
        GuardedBuffer b(row.capacity);
        wtext_copy(b.data(), row.capacity, L"ab");
        wtext_append(b.data(), row.capacity, L"cde");
        EXPECT_EQ(std::wstring(b.data()), row.expected) << row.capacity;
        EXPECT_TRUE(b.sound());
    }
}

TEST(WideText, FormatCutsAndReportsIdenticallyOnEveryPlatform) {
    struct Row {
        int32_t capacity;
        const wchar_t* text;
        int32_t result;
    };
    // "12|名字|3.50" is 10 units.
    const Row rows[] = {{1, L"", -1}, {10, L"12|名字|3.5", -1}, {11, L"12|名字|3.50", 10},
                        {12, L"12|名字|3.50", 10}};
    for (const Row& row : rows) {
        GuardedBuffer b(row.capacity);
        int32_t result = wtext_format(b.data(), row.capacity, L"%d|%ls|%.2f", 12, L"名字", 3.5);
        EXPECT_EQ(result, row.result) << row.capacity;
        EXPECT_EQ(std::wstring(b.data()), row.text) << row.capacity;
        EXPECT_TRUE(b.sound());
    }
}

TEST(WideText, FormatConversions) {
    struct Row {
        std::wstring produced;
        const wchar_t* expected;
    };
    wchar_t b[128];
    auto f = [&](const wchar_t* fmt, auto... args) {
        wtext_format(b, 128, fmt, args...);
        return std::wstring(b);
    };
    const Row rows[] = {
        {f(L"%02d|%03d|%04d", 5, 30, 2026),        L"05|030|2026"},
        {f(L"%04lld-%02lld", -1LL, 12LL),           L"-001-12"},
        {f(L"%d|%d|%lld", 0, INT32_MIN, INT64_MIN), L"0|-2147483648|-9223372036854775808"},
        {f(L"%g|%g|%g|%g", 8.0, 12.5, 1234567.0, 0.00001), L"8|12.5|1.23457e+06|1e-05"},
        {f(L"%.0f:00|%.2f", 7.75, 0.0),             L"8:00|0.00"},
        {f(L"%d日%c ", 3, 'N'),                      L"3日N "},
        {f(L"100%%|%ls", L"宽"),                     L"100%|宽"},
        {f(L"%ls", static_cast<const wchar_t*>(nullptr)), L"(null)"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.produced, row.expected);
}

TEST(WideText, FormatsOutsideTheSupportedSetFailWithAnEmptyBuffer) {
    // Flags, widths, precisions, lengths and conversions no format string of the
    // program uses. None reads an argument: the format fails before.
    const wchar_t* const formats[] = {
        L"%x", L"%u", L"%hd", L"%hhd", L"%+d", L"%#g", L"%*d", L"%.*f", L"%s", L"%-3d", L"% d",
        L"%5d", L"%5ls", L"%.3ls", L"%ld", L"%i", L"%e", L"%.10f", L"%.f", L"%02f", L"%.2d",
        L"%q", L"%",
    };
    for (const wchar_t* format : formats) {
        wchar_t b[64] = L"old";
        std::wstring text = std::wstring(L"a%d ") + format;
        EXPECT_EQ(wtext_format(b, 64, text.c_str(), 1), -1) << format;
        EXPECT_EQ(std::wstring(b), L"") << format;
    }
}

TEST(WideText, Utf8Conversion) {
    char out[16];
    EXPECT_EQ(utf8_from_wide(L"a\u00e9\u4e2d", out, 16), 7);
    EXPECT_EQ(std::string(out), "a\xC3\xA9\xE4\xB8\xAD");
    // Exactly fitting with the zero byte, and one byte short.
    EXPECT_EQ(utf8_from_wide(L"\u4e2d\u4e2d", out, 7), 7);
    EXPECT_EQ(utf8_from_wide(L"\u4e2d\u4e2d", out, 6), 0);
    EXPECT_EQ(utf8_from_wide(L"", out, 1), 1);
    // An unpaired surrogate becomes U+FFFD.
    const wchar_t lone[] = {static_cast<wchar_t>(0xD800), L'x', 0};
    EXPECT_EQ(utf8_from_wide(lone, out, 16), 5);
    EXPECT_EQ(std::string(out), "\xEF\xBF\xBDx");
}

TEST(Checked, WholeNumberSaturatesAndTruncates) {
    struct Row {
        double value;
        int32_t whole;
    };
    const Row rows[] = {
        {2.9, 2}, {-2.9, -2}, {-0.5, 0}, {NAN, 0}, {INFINITY, INT32_MAX}, {-INFINITY, INT32_MIN},
        {1e308, INT32_MAX}, {-1e308, INT32_MIN}, {2147483647.0, INT32_MAX},
        {2147483646.9, 2147483646}, {2147483648.0, INT32_MAX}, {-2147483648.0, INT32_MIN},
        {-2147483648.5, INT32_MIN}, {-2147483647.9, -2147483647},
    };
    for (const Row& row : rows) EXPECT_EQ(whole_number_from_double(row.value), row.whole) << row.value;
    EXPECT_EQ(int64_from_double(1e300), INT64_MAX);
    EXPECT_EQ(int64_from_double(-1e300), INT64_MIN);
    EXPECT_EQ(int64_from_double(NAN), 0);
    EXPECT_EQ(int64_from_double(-9.99), -9);
}

}  // namespace
