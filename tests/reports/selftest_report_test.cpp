// The self-test file of tools with custom reports: the same expected bytes that
// the end-to-end programs must write under Windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "app/selftest.h"
#include "e2e_reports/tools/e2e_tools.h"
#include "report_harness.h"

namespace {

using namespace report_test;

std::string read_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.good()) << path;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct SelftestCase {
    const char* name;
    const ToolDef& (*tool)();
};

const SelftestCase kCases[] = {
    {"kind6_level3",        e2e_compatibility_tool},
    {"roster_3x3",          e2e_small_roster_tool},
    {"roster_40x31",        e2e_full_roster_tool},
    {"placeholder_kind12",  e2e_placeholder_tool},
    {"high_alert_percent",  e2e_high_alert_tool},
    {"dosing_bars",         e2e_dosing_tool},
    {"card_flags",          e2e_card_flags_tool},
    {"roster_continued",    e2e_continued_roster_tool},
    {"compat_vitamin_c",    e2e_vitamin_c_tool},
    {"compat_ambroxol",     e2e_ambroxol_tool},
    {"compat_y_site",       e2e_y_site_tool},
    {"compat_unlisted",     e2e_unlisted_pair_tool},
    {"roster_two_nurses",   e2e_two_nurse_roster_tool},
    {"roster_fraction",     e2e_fraction_roster_tool},
    {"follow_up_past",      e2e_past_follow_up_tool},
};

TEST(SelftestFile, MatchesTheExpectedBytes) {
    for (const SelftestCase& c : kCases) {
        std::vector<wchar_t> text(kSelftestTextCapacity);
        EXPECT_EQ(build_selftest_text(c.tool(), text.data(), kSelftestTextCapacity), 0) << c.name;
        const std::wstring path_text =
            L"reports_selftest_" + std::wstring(c.name, c.name + std::strlen(c.name)) + L".txt";
        write_utf8_file(path_text.c_str(), text.data());
        const std::string written = read_bytes(utf8(path_text));
        std::remove(utf8(path_text).c_str());
        const std::string expected =
            read_bytes(std::string(KINETORA_E2E_EXPECTED_DIR) + "/" + c.name + ".txt");
        EXPECT_EQ(written, expected) << c.name;
    }
}

// Flattened as the DETAIL field is: CR dropped, LF as a blank.
std::wstring flattened(const std::wstring& report) {
    std::wstring out;
    for (wchar_t unit : report) {
        if (unit == L'\r') continue;
        out += unit == L'\n' ? L' ' : unit;
    }
    return out;
}

// The longest roster, as a grid, fits the self-test's report and its DETAIL
// whole, and the file text stays below 8192 UTF-8 bytes: the file holds it
// (the expected file above is the whole of it).
TEST(SelftestFile, LongestRosterDetailIsWholeInTheFile) {
    const ToolDef& tool = e2e_full_roster_tool();
    std::vector<wchar_t> text(kSelftestTextCapacity);
    ASSERT_EQ(build_selftest_text(tool, text.data(), kSelftestTextCapacity), 0);
    TestTool same;
    make_tool(&same, {{"nurses", 40}, {"days", 31}});
    ReportRun run = run_report(1, same);
    const std::wstring detail = flattened(run.report);
    EXPECT_EQ(detail.size(), run.report.size() - split_lines(run.report).size());  // CRs dropped
    const std::wstring whole(text.data());
    EXPECT_NE(whole.find(L"\r\nOUT|报告文本|见 DETAIL|\r\n"), std::wstring::npos);
    EXPECT_NE(whole.find(L"\r\nDETAIL|" + detail + L"\r\nERRORS|0\r\n"), std::wstring::npos);
    EXPECT_LE(utf8(whole).size(), 8191u);
}

}  // namespace
