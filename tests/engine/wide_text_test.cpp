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

namespace {

std::wstring repeat(wchar_t unit, int count) { return std::wstring(static_cast<size_t>(count), unit); }

// Whether a text carries the cut marker as a line of its own: copy and save say so.
TEST(CutText, MarkerIsFoundAsALine) {
    const std::wstring marker = kCutMarkerLine;
    struct Row {
        std::wstring text;
        bool cut;
    };
    const Row rows[] = {
        {L"第一行\r\n" + marker + L"\r\n", true},
        {L"第一行\r\n" + marker + L"\r\n—— 结论", true},
        {L"第一行\r\n", false},
        {marker + L"\r\n", false},
        {L"第一行\r\n" + marker, false},
        {L"第一行\r\n" + marker + L"后\r\n", false},
    };
    for (const Row& row : rows) EXPECT_EQ(has_cut_marker(row.text.c_str()), row.cut) << row.text.size();
}

// A text that filled its buffer ends in the marker line; whole lines before it
// are kept where they fit.
TEST(CutText, EndsWithTheMarkerLine) {
    const std::wstring marker = std::wstring(L"\r\n") + kCutMarkerLine + L"\r\n";
    const int32_t capacity = 40;  // the marker with its line ends takes 16 units
    struct Row {
        std::wstring text;  // as the buffer holds it
        std::wstring after;
    };
    const Row rows[] = {
        // not full: untouched
        {repeat(L'字', 38), repeat(L'字', 38)},
        // full, lines of 10 units: the two whole lines that fit stay
        {repeat(L'一', 8) + L"\r\n" + repeat(L'二', 8) + L"\r\n" + repeat(L'三', 8) + L"\r\n" +
             repeat(L'四', 9),
         repeat(L'一', 8) + L"\r\n" + repeat(L'二', 8) + marker},
        // full, one line: cut where the marker still fits
        {repeat(L'长', 39), repeat(L'长', 23) + marker},
    };
    for (const Row& row : rows) {
        std::wstring buffer = row.text;
        buffer.resize(capacity, L'\0');
        mark_cut_text(&buffer[0], capacity);
        EXPECT_EQ(std::wstring(buffer.c_str()), row.after) << row.text.size();
    }
}

}  // namespace
